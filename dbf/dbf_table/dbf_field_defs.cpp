#include "dbf/dbf_table/dbf_field_defs.h"

#include "dbf/dbf_table/dbf_table_errors.h"
#include "dbf/table_api.h"
#include "platform/dataset/db_consts.h"
#include "platform/dataset/errors.h"

namespace zarn {
namespace {

// Only text, byte and blob definitions carry the field length as their size.
bool HasLengthAsSize(TFieldType type) {
  return type == ftString || type == ftBytes || type == ftVarBytes || (type >= ftBlob && type <= ftParadoxOle);
}

std::string FreeName(const TFieldDefs& defs, const std::string& name) {
  if (defs.IndexOf(name) < 0) return name;
  for (int counter = 1;; ++counter) {
    std::string candidate = name + "_" + std::to_string(counter);
    if (defs.IndexOf(candidate) < 0) return candidate;
  }
}

bool IsWritten(const TFieldDefs& defs, const TFieldDef& def) { return !defs.HiddenFields() && !def.Hidden(); }

}  // namespace

void LoadFieldDefs(const TDbfHeader& header, TFieldDefs& defs) {
  defs.Clear();
  for (const auto& field : header.Fields()) {
    const TFieldType type = field->GetDataType();
    const int size = HasLengthAsSize(type) ? field->GetLength() : (type == ftBCD ? field->GetDecimals() : 0);
    TFieldDef& def = defs.Add(FreeName(defs, field->GetName()), type, size, false);
    def.SetFieldNo(field->FieldNo());
    if (type == ftBCD) def.SetPrecision(32);
    if (type == ftAutoInc) def.SetAttributes(def.Attributes() | faReadonly);
  }
}

bool IsCreatableType(TFieldType type) {
  return (type >= ftString && type <= ftDateTime) || (type >= ftAutoInc && type <= ftFmtMemo) ||
         type == ftDBaseOle || type == ftTypedBinary || type == ftWideString;
}

void CheckCreatableDefs(const TFieldDefs& defs) {
  for (const auto& def : defs)
    if (IsWritten(defs, *def) && !IsCreatableType(def->DataType())) DatabaseError(kSInvalidFieldType);
}

void DefineDbfFields(TDbfHandle* handle, const TFieldDefs& defs) {
  for (const auto& def : defs)
    if (IsWritten(defs, *def))
      CheckDbfCode(DefineField(handle, def->Name(), def->DataType(), def->Size(), def->Precision(), def->Required()));
}

}  // namespace zarn
