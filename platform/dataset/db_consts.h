// The framework's messages, word for word as the datasets raise them. The
// "%s" placeholders take a field's display name (or the texts named beside).
#pragma once

namespace zarn {

inline constexpr char kSFieldNotFound[] = "Field '%s' not found";
inline constexpr char kSNotEditing[] = "Dataset not in edit or insert mode";
inline constexpr char kSFieldReadOnly[] = "Field '%s' cannot be modified";
inline constexpr char kSDataSetClosed[] = "Cannot perform this operation on a closed dataset";
inline constexpr char kSDataSetOpen[] = "Cannot perform this operation on an open dataset";
inline constexpr char kSDataSetEmpty[] = "Cannot perform this operation on an empty dataset";
inline constexpr char kSDataSetReadOnly[] = "Cannot modify a read-only dataset";
inline constexpr char kSFieldRequired[] = "Field '%s' must have a value";
inline constexpr char kSRecordNotFound[] = "Record not found";
inline constexpr char kSNoDataFound[] = "No data found";
inline constexpr char kSDuplicateFieldName[] = "Duplicate field name '%s'";
inline constexpr char kSFieldAccessError[] = "Cannot access field '%s' as type %s";  // name, type
inline constexpr char kSFieldTypeMismatch[] = "Type mismatch for field '%s', expecting: %s actual: %s";
inline constexpr char kSFieldRangeError[] = "%s is not a valid value for field '%s'. The allowed range is %s to %s";
inline constexpr char kSUnknownFieldType[] = "Field '%s' is of an unknown type";
inline constexpr char kSNotInFilter[] = "Cannot access field '%s' in a filter";
inline constexpr char kSInvalidFilter[] = "Invalid filter expression.";
inline constexpr char kSInvalidFieldType[] = "Invalid field type";
inline constexpr char kSBlobNotSupported[] = "Field '%s' has no blob stream in this dataset";

// Conversion messages; the placeholder is the text that failed.
inline constexpr char kSInvalidInteger[] = "'%s' is not a valid integer value";
inline constexpr char kSInvalidFloat[] = "'%s' is not a valid floating point value";
inline constexpr char kSInvalidDate[] = "'%s' is not a valid date";
inline constexpr char kSInvalidTime[] = "'%s' is not a valid time";
inline constexpr char kSInvalidDateTime[] = "'%s' is not a valid date and time";
inline constexpr char kSInvalidBoolean[] = "'%s' is not a valid boolean value";
inline constexpr char kSVarTypeCast[] = "Could not convert variant of type (%s) into type (%s)";
inline constexpr char kSVarOverflow[] = "Arithmetic overflow occurred";

}  // namespace zarn
