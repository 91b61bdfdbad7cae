#include "platform/dataset/field_defs.h"

#include "platform/dataset/dataset.h"
#include "platform/dataset/db_consts.h"
#include "platform/dataset/errors.h"
#include "platform/dataset/text_compare.h"

namespace zarn {

TFieldDef::TFieldDef(TFieldDefs* owner, std::string name, TFieldType type, int size, bool required, int field_no)
    : owner_(owner),
      name_(std::move(name)),
      data_type_(type),
      size_(size),
      field_no_(field_no),
      children_(std::make_unique<TFieldDefs>(owner ? owner->DataSet() : nullptr, this)) {
  SetRequired(required);
}

TFieldDef::~TFieldDef() = default;

std::string TFieldDef::FullName() const {
  const TFieldDef* parent = ParentDef();
  return parent ? parent->FullName() + "." + name_ : name_;
}

void TFieldDef::SetRequired(bool required) {
  attributes_ = required ? (attributes_ | faRequired) : (attributes_ & ~faRequired);
}

int TFieldDef::Index() const { return owner_ ? owner_->IndexOf(name_) : -1; }

bool TFieldDef::HasChildDefs() const { return children_->Count() > 0; }

TFieldDef* TFieldDef::ParentDef() const { return owner_ ? owner_->ParentDef() : nullptr; }

void TFieldDef::Assign(const TFieldDef& source) {
  name_ = source.name_;
  data_type_ = source.data_type_;
  size_ = source.size_;
  precision_ = source.precision_;
  field_no_ = source.field_no_;
  attributes_ = source.attributes_;
  children_->Assign(*source.children_);
}

TFieldDefs::TFieldDefs(TDataSet* dataset, TFieldDef* parent) : dataset_(dataset), parent_(parent) {}

TFieldDef& TFieldDefs::Add(std::string name, TFieldType type, int size, bool required) {
  if (IndexOf(name) >= 0) DatabaseErrorFmt(kSDuplicateFieldName, {name});
  items_.push_back(std::make_unique<TFieldDef>(this, std::move(name), type, size, required, Count() + 1));
  return *items_.back();
}

int TFieldDefs::IndexOf(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(items_[i]->Name(), name)) return i;
  return -1;
}

TFieldDef* TFieldDefs::FindDef(std::string_view name) const {
  const int index = IndexOf(name);
  return index < 0 ? nullptr : items_[index].get();
}

TFieldDef& TFieldDefs::Find(std::string_view name) const {
  TFieldDef* def = FindDef(name);
  if (!def) DatabaseErrorFmt(kSFieldNotFound, {name});
  return *def;
}

void TFieldDefs::Delete(int index) { items_.erase(items_.begin() + index); }

void TFieldDefs::Clear() { items_.clear(); }

void TFieldDefs::Assign(const TFieldDefs& source) {
  if (&source == this) return;
  items_.clear();
  for (const auto& def : source.items_) {
    items_.push_back(std::make_unique<TFieldDef>(this, def->Name(), def->DataType(), def->Size(), false, 0));
    items_.back()->Assign(*def);
  }
  hidden_fields_ = source.hidden_fields_;
}

void TFieldDefs::Update() {
  if (!updated_ && dataset_) {
    dataset_->InitFieldDefs();
    updated_ = true;
  }
}

namespace {

void AppendFlattened(const TFieldDefs& defs, std::vector<const TFieldDef*>& out) {
  for (const auto& def : defs) {
    out.push_back(def.get());
    AppendFlattened(def->ChildDefs(), out);
  }
}

}  // namespace

std::vector<const TFieldDef*> FlattenFieldDefs(const TFieldDefs& defs) {
  std::vector<const TFieldDef*> out;
  AppendFlattened(defs, out);
  return out;
}

}  // namespace zarn
