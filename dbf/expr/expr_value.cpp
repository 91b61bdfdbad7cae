#include "dbf/expr/expr_value.h"

namespace zarn {

const char* ExprOperatorText(TExprKind kind) {
  // Indexed by kind code; the codes of values and references have no text.
  static constexpr const char* kOperatorTable[kExprKindCount] = {
      "", "(", ")", ",", "", "", "", "", "", "", "",             // 0 .. 10
      "=", "<>", ">", "<", ">=", "<=", "AND", "OR", "XOR", "NOT",  // 11 .. 20
      "+", "-", "*", "/", "", "", "", "",                          // 21 .. 28
  };
  const int code = static_cast<int>(kind);
  return code < kExprKindCount ? kOperatorTable[code] : "";
}

}  // namespace zarn
