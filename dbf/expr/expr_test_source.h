// A field source over a few named values, for the evaluator's tests, fuzz
// target and benchmark: one record whose fields the test sets directly.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dbf/expr/field_source.h"
#include "dbf/expr/locale_text.h"

namespace zarn {

class TExprTestSource : public TExprFieldSource {
 public:
  struct Field {
    std::string name;
    TFieldType type;
    TExprValue value;  // ekNull for a null field
    bool unreadable = false;
  };

  // Adds a field; `value` is what the field holds (TExprValue::Null() for null).
  void Add(std::string name, TFieldType type, TExprValue value) {
    fields_.push_back({std::move(name), type, std::move(value)});
  }
  Field& At(const std::string& name) { return fields_[static_cast<std::size_t>(IndexOf(name))]; }
  int lookups() const { return lookups_; }

  std::optional<TExprFieldRef> FindField(std::string_view name) const override {
    ++lookups_;
    const int index = IndexOf(name);
    if (index < 0) return std::nullopt;
    return TExprFieldRef{&fields_[static_cast<std::size_t>(index)], index, fields_[static_cast<std::size_t>(index)].type};
  }

  void ReadField(const TExprFieldRef& ref, bool null_test, TExprValue* value) override {
    const Field& field = fields_[static_cast<std::size_t>(ref.index)];
    if (field.unreadable) throw std::runtime_error("Cannot read field " + field.name);
    if (field.value.IsNull()) {
      if (null_test) {
        value->kind = ekNull;
      } else {
        value->text.clear();
        value->integer = 0;
        value->number = 0;
        value->boolean = false;
      }
      return;
    }
    value->text = field.value.text;
    value->integer = field.value.integer;
    value->number = field.value.number;
    value->boolean = field.value.boolean;
  }

 private:
  int IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (SameTextByLocale(fields_[i].name, name)) return static_cast<int>(i);
    }
    return -1;
  }

  std::vector<Field> fields_;
  mutable int lookups_ = 0;
};

}  // namespace zarn
