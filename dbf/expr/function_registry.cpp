#include "dbf/expr/function_registry.h"

#include "dbf/expr/locale_text.h"

namespace zarn {

void TExprFunctionRegistry::Register(std::string_view name, std::uint16_t arg_count,
                                     TExprFunctionHandler handler) {
  entries_.push_back({std::string(name.substr(0, kMaxNameLength)), arg_count, std::move(handler)});
}

int TExprFunctionRegistry::Find(std::string_view name) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (SameTextByLocale(entries_[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace zarn
