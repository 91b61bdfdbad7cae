// TDataSet: field objects, their binding to the definitions, calculated
// fields and the checks around storing a field value.
#include <cstring>

#include "platform/dataset/dataset.h"
#include "platform/dataset/db_consts.h"
#include "platform/dataset/field_buffer.h"
#include "platform/dataset/text_compare.h"

namespace zarn {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

const TFieldDef* FindDefByFullName(const std::vector<const TFieldDef*>& defs, std::string_view name) {
  for (const TFieldDef* def : defs)
    if (SameText(def->FullName(), name)) return def;
  return nullptr;
}

}  // namespace

std::vector<TField*> TDataSet::GetFieldList(std::string_view names) const {
  std::vector<TField*> fields;
  while (!names.empty()) {
    const size_t end = names.find(';');
    const std::string_view name = TrimBlanks(names.substr(0, end));
    if (!name.empty()) fields.push_back(&FieldByName(name));
    names = end == std::string_view::npos ? std::string_view() : names.substr(end + 1);
  }
  return fields;
}

TField& TDataSet::AddField(std::string name, TFieldType type, int size, TFieldKind kind) {
  CheckInactive();
  return fields_.Add(std::make_unique<TField>(*this, std::move(name), type, size, kind));
}

void TDataSet::CreateFields() {
  for (const TFieldDef* def : FieldDefList()) {
    auto field = std::make_unique<TField>(*this, def->Name(), def->DataType(), def->Size());
    if (def->ParentDef()) field->SetFullName(def->FullName());
    field->SetReadOnly(def->ReadOnly());
    field->SetRequired(def->Required());
    field->SetVisible(!def->Hidden());
    if (def->DataType() == ftBCD || def->DataType() == ftFMTBcd) field->SetPrecision(std::max(def->Precision(), 15));
    fields_.Add(std::move(field));
  }
}

void TDataSet::DestroyFields() { fields_.Clear(); }

void TDataSet::BindFields(bool binding) {
  calc_fields_size_ = 0;
  const std::vector<const TFieldDef*> defs = FieldDefList();
  for (const auto& field : fields_) {
    if (!binding) {
      field->SetFieldNo(0);
    } else if (field->FieldKind() == fkData) {
      const TFieldDef* def = FindDefByFullName(defs, field->FullName());
      if (!def) DatabaseErrorFmt(kSFieldNotFound, {field->DisplayName()});
      if (def->DataType() != field->DataType())
        DatabaseErrorFmt(kSFieldTypeMismatch,
                         {field->DisplayName(), FieldTypeName(field->DataType()), FieldTypeName(def->DataType())});
      field->SetFieldNo(def->FieldNo());
    } else {
      field->SetFieldNo(-1);
      field->SetCalcOffset(calc_fields_size_);
      calc_fields_size_ += 1 + FieldDataSize(field->DataType(), field->Size());
    }
  }
}

void TDataSet::InitFieldDefsFromFields() {
  field_defs_.Clear();
  for (const auto& field : fields_)
    if (field->FieldKind() == fkData) {
      TFieldDef& def = field_defs_.Add(field->FieldName(), field->DataType(), field->Size(), field->Required());
      if (field->ReadOnly()) def.SetAttributes(def.Attributes() | faReadonly);
    }
  field_defs_.SetUpdated(true);
}

// --- calculated fields ---

void TDataSet::GetCalcFields(TRecordBuffer buffer) {
  if (calc_fields_size_ == 0 && !OnCalcFields) return;
  const TDataSetState saved = SetTempState(dsCalcFields);
  TRecordBuffer saved_buffer = calc_buffer_;
  calc_buffer_ = buffer;
  try {
    CalculateFields(buffer);
  } catch (...) {
    calc_buffer_ = saved_buffer;
    RestoreState(saved);
    throw;
  }
  calc_buffer_ = saved_buffer;
  RestoreState(saved);
}

void TDataSet::CalculateFields(TRecordBuffer buffer) {
  ClearCalcFields(buffer);
  for (const auto& field : fields_)
    if (field->FieldKind() == fkLookup) CalculateLookupField(*field);
  Notify(OnCalcFields);
}

void TDataSet::CalculateLookupField(TField& field) {
  if (!field.LookupDataSet || !field.LookupDataSet->Active()) return;
  std::vector<Variant> keys;
  for (TField* key : GetFieldList(field.KeyFields)) keys.push_back(key->AsVariant());
  const Variant key_values = keys.size() == 1 ? keys.front() : Variant::Array(std::move(keys));
  SetFieldData(field, field.LookupDataSet->Lookup(field.LookupKeyFields, key_values, field.LookupResultField));
}

bool TDataSet::ReadCalcField(const char* calc_area, const TField& field, Variant& value) const {
  const char* slot = calc_area + field.CalcOffset();
  if (!slot[0]) return false;
  value = DecodeFieldValue(field.DataType(), field.Size(), slot + 1);
  return true;
}

void TDataSet::WriteCalcField(char* calc_area, const TField& field, const Variant& value) const {
  char* slot = calc_area + field.CalcOffset();
  slot[0] = value.IsClear() ? 0 : 1;
  EncodeFieldValue(field.DataType(), field.Size(), value, slot + 1);
}

// --- storing values ---

void TDataSet::CheckFieldWrite(TField& field, const Variant& value) const {
  switch (state_) {
    case dsEdit: case dsInsert: case dsSetKey: case dsCalcFields: case dsFilter: case dsNewValue: case dsInternalCalc:
      break;
    default:
      DatabaseError(kSNotEditing);
  }
  if (field.IsCalculated()) return;
  if (state_ == dsCalcFields || state_ == dsFilter) DatabaseError(kSNotEditing);
  if (field.ReadOnly() && state_ != dsSetKey) DatabaseErrorFmt(kSFieldReadOnly, {field.DisplayName()});
  field.Validate(value);
}

void TDataSet::FieldChanged(TField& field) {
  if (state_ != dsCalcFields && state_ != dsFilter && state_ != dsNewValue) DataEvent(deFieldChange, &field);
}

}  // namespace zarn
