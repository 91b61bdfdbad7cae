// Field definitions: what a dataset's structure says about each field (name,
// type, size, number), independent of the field objects that read values.
// A structured definition (ftADT) holds child definitions of its own.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/field_type.h"

namespace zarn {

class TDataSet;
class TFieldDefs;

enum TFieldAttribute : unsigned { faHiddenCol = 1, faReadonly = 2, faRequired = 4, faLink = 8, faUnNamed = 16, faFixed = 32 };
using TFieldAttributes = unsigned;

class TFieldDef {
 public:
  TFieldDef(TFieldDefs* owner, std::string name, TFieldType type, int size, bool required, int field_no);
  ~TFieldDef();

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // "Parent.Child" for a child definition, the name otherwise.
  std::string FullName() const;
  TFieldType DataType() const { return data_type_; }
  void SetDataType(TFieldType type) { data_type_ = type; }
  int Size() const { return size_; }
  void SetSize(int size) { size_ = size; }
  int Precision() const { return precision_; }
  void SetPrecision(int precision) { precision_ = precision; }
  int FieldNo() const { return field_no_; }
  void SetFieldNo(int field_no) { field_no_ = field_no; }
  bool Required() const { return (attributes_ & faRequired) != 0; }
  void SetRequired(bool required);
  TFieldAttributes Attributes() const { return attributes_; }
  void SetAttributes(TFieldAttributes attributes) { attributes_ = attributes; }
  bool Hidden() const { return (attributes_ & faHiddenCol) != 0; }
  bool ReadOnly() const { return (attributes_ & faReadonly) != 0; }
  // Position among its siblings.
  int Index() const;

  TFieldDefs& ChildDefs() { return *children_; }
  const TFieldDefs& ChildDefs() const { return *children_; }
  bool HasChildDefs() const;
  // The definition this one is a child of, or nullptr at the top level.
  TFieldDef* ParentDef() const;

  // Copies everything but the owner, children included.
  void Assign(const TFieldDef& source);

 private:
  TFieldDefs* owner_;
  std::string name_;
  TFieldType data_type_;
  int size_;
  int precision_ = 0;
  int field_no_;
  TFieldAttributes attributes_ = 0;
  std::unique_ptr<TFieldDefs> children_;
};

// An ordered list of definitions with unique names (compared without regard
// to case). The dataset's list refreshes itself through the dataset when it
// is asked to Update and is not up to date.
class TFieldDefs {
 public:
  // dataset: the dataset whose structure this is (nullptr for a detached
  // list); parent: the definition whose children these are.
  explicit TFieldDefs(TDataSet* dataset, TFieldDef* parent = nullptr);
  TFieldDefs(const TFieldDefs&) = delete;
  TFieldDefs& operator=(const TFieldDefs&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  TFieldDef& operator[](int index) { return *items_.at(index); }
  const TFieldDef& operator[](int index) const { return *items_.at(index); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  // Adds a definition; a name already present raises "Duplicate field name".
  // Its field number is its position + 1 unless set afterwards.
  TFieldDef& Add(std::string name, TFieldType type, int size = 0, bool required = false);
  // The index of the name (case-insensitive), or -1.
  int IndexOf(std::string_view name) const;
  TFieldDef* FindDef(std::string_view name) const;
  // Like FindDef; a missing name raises "Field '%s' not found".
  TFieldDef& Find(std::string_view name) const;
  void Delete(int index);
  void Clear();
  // Replaces the list with copies of the source's definitions.
  void Assign(const TFieldDefs& source);

  TDataSet* DataSet() const { return dataset_; }
  TFieldDef* ParentDef() const { return parent_; }
  // All definitions count as hidden (a dataset may skip them when it builds a file).
  bool HiddenFields() const { return hidden_fields_; }
  void SetHiddenFields(bool hidden) { hidden_fields_ = hidden; }
  // False until the dataset has filled the list from its source.
  bool Updated() const { return updated_; }
  void SetUpdated(bool updated) { updated_ = updated; }
  // Asks the dataset to fill the list when it is not up to date.
  void Update();

 private:
  TDataSet* dataset_;
  TFieldDef* parent_;
  std::vector<std::unique_ptr<TFieldDef>> items_;
  bool hidden_fields_ = false;
  bool updated_ = false;
};

// The definitions with all child definitions, depth first in list order (a
// parent before its children): the order in which datasets lay out slots.
std::vector<const TFieldDef*> FlattenFieldDefs(const TFieldDefs& defs);

}  // namespace zarn
