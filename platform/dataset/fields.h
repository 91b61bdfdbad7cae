// TFields: the ordered field objects of a dataset, owned by it.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/dataset/field.h"

namespace zarn {

class TFields {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TField& operator[](int index) const { return *items_.at(index); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  // By field name or full name, without regard to case; nullptr when absent.
  TField* FindField(std::string_view name) const;
  // Like FindField; a missing name raises "Field '%s' not found".
  TField& FieldByName(std::string_view name) const;
  // The data field bound to the definition with this number, or nullptr.
  TField* FieldByNumber(int field_no) const;
  int IndexOf(const TField* field) const;

  // Takes ownership; a name already present raises "Duplicate field name".
  TField& Add(std::unique_ptr<TField> field);
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TField>> items_;
};

}  // namespace zarn
