// TDsDbParser: the expression evaluator of a DBF table handle. Field names
// are looked up in the table header's field list, and values are read from
// the handle's current record through the fields' decoding, so a filter
// sees exactly the record that the handle's last read, write or append left
// current. The handle owns one for its filter; a locate makes its own.
//
//   TDsDbParser filter(handle);
//   if (!filter.TrySetFilter("NC>=10.5", TFilterOptions::FromBits(bits))) ...
//   bool passes = filter.IsTrue();
#pragma once

#include <optional>
#include <string_view>

#include "dbf/expr/expr_parser.h"
#include "dbf/expr/field_source.h"

namespace zarn {

class TDbfHandle;

class TDsDbParser final : private TExprFieldSource, public TDsExprParser {
 public:
  // `handle` must outlive the evaluator. Before the handle has a current
  // record every field reads as null.
  explicit TDsDbParser(TDbfHandle* handle);

 private:
  std::optional<TExprFieldRef> FindField(std::string_view name) const override;
  void ReadField(const TExprFieldRef& field, bool null_test, TExprValue* value) override;

  TDbfHandle* handle_;
};

}  // namespace zarn
