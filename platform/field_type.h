// TFieldType: the dataset field types in the platform's order, so that a
// range such as ftString … ftDateTime means what it says.
#pragma once

namespace zarn {

enum TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate, ftTime,
  ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle,
  ftTypedBinary, ftCursor, ftFixedChar, ftWideString, ftLargeint, ftADT, ftArray, ftReference, ftDataSet,
  ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid, ftTimeStamp, ftFMTBcd
};

// The type's name as written in code ("ftString"), or nullptr past the end.
const char* FieldTypeName(TFieldType type);
// The type named, or ftUnknown for a name that is none of them.
TFieldType FieldTypeFromName(const char* name);

}  // namespace zarn
