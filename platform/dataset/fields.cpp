#include "platform/dataset/fields.h"

#include "platform/dataset/db_consts.h"
#include "platform/dataset/errors.h"
#include "platform/dataset/text_compare.h"

namespace zarn {

TField* TFields::FindField(std::string_view name) const {
  for (const auto& field : items_)
    if (SameText(field->FieldName(), name)) return field.get();
  for (const auto& field : items_)
    if (SameText(field->FullName(), name)) return field.get();
  return nullptr;
}

TField& TFields::FieldByName(std::string_view name) const {
  TField* field = FindField(name);
  if (!field) DatabaseErrorFmt(kSFieldNotFound, {name});
  return *field;
}

TField* TFields::FieldByNumber(int field_no) const {
  for (const auto& field : items_)
    if (field->FieldNo() == field_no && field->FieldKind() == fkData) return field.get();
  return nullptr;
}

int TFields::IndexOf(const TField* field) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].get() == field) return i;
  return -1;
}

TField& TFields::Add(std::unique_ptr<TField> field) {
  if (FindField(field->FieldName())) DatabaseErrorFmt(kSDuplicateFieldName, {field->FieldName()});
  items_.push_back(std::move(field));
  return *items_.back();
}

}  // namespace zarn
