// The text forms of values in dbftool's CSV and eval output: text as UTF-8,
// numbers with "." in the shortest form that reads back to the same double,
// dates yyyy-mm-dd, times hh:nn:ss, date-times "yyyy-mm-dd hh:nn:ss",
// logicals T and F, booleans true and false, null as empty text.
#pragma once

#include <string>
#include <string_view>

#include "dbf/expr/expr_value.h"
#include "dbf/handle.h"
#include "platform/dataset/field.h"

namespace zarn::dbftool {

std::string NumberText(double value);

// The value of field in the handle's current record (memo text whole).
// Returns a non-zero engine code when a memo cannot be read.
int FieldText(TDbfHandle* handle, const TDbfField& field, std::string* text);

// The value of a dataset field in its record, in the same forms as
// FieldText gives for the DBF field it was made from.
std::string DatasetFieldText(const TField& field);

// Stores text (UTF-8) into field of record; memo text goes to the memo file.
// Returns false with a message in *error when the text does not fit the
// field, or an engine code's message when a memo cannot be written.
bool StoreFieldText(TDbfHandle* handle, const TDbfField& field, std::string_view text, char* record,
                    std::string* error);

// "kind<TAB>value" of an expression result.
std::string ExprValueLine(const TExprValue& value);

}  // namespace zarn::dbftool
