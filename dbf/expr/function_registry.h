// TExprFunctionRegistry: the functions an expression can call, in the order
// they were registered. A name is looked up case-insensitively and the first
// entry of that name wins, so the built-in functions, registered first, can
// never be replaced.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/expr/expr_value.h"

namespace zarn {

class TDsExprParser;

// Computes a function's result from its arguments (exactly the registered
// count, in order). A handler checks the kinds of its arguments itself and
// sets *result to the error value for kinds it does not take; *result is the
// error value when the handler is called.
using TExprFunctionHandler =
    std::function<void(TDsExprParser& parser, std::span<const TExprValue> args, TExprValue* result)>;

struct TExprFunction {
  std::string name;  // at most kMaxNameLength characters
  std::uint16_t arg_count = 0;
  TExprFunctionHandler handler;
};

class TExprFunctionRegistry {
 public:
  static constexpr std::size_t kMaxNameLength = 64;

  // Appends an entry; a longer name is cut to kMaxNameLength characters.
  void Register(std::string_view name, std::uint16_t arg_count, TExprFunctionHandler handler);

  // Index of the first entry named `name` (ignoring case), or -1.
  int Find(std::string_view name) const;

  const TExprFunction& At(int index) const { return entries_[static_cast<std::size_t>(index)]; }
  int Size() const { return static_cast<int>(entries_.size()); }

 private:
  std::vector<TExprFunction> entries_;
};

}  // namespace zarn
