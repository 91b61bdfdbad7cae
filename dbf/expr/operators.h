// The operators of the expression language applied to two values, by the
// kinds of the operands.
#pragma once

#include "dbf/expr/expr_value.h"
#include "platform/dataset/filter_options.h"

namespace zarn {

// Replaces *left by `*left op right`. A null left operand answers only '='
// (right is null) and '<>' (right is not null); otherwise an error operand,
// or a pair of kinds and operator without a rule, gives the error value.
// Texts meeting numbers, dates or times are converted to the other kind
// first; '=' between texts matches the right one as a pattern unless
// `options` hold foNoPartialCompare. Division by zero raises EZeroDivide, and
// a float result that is no number or overflows raises EInvalidOp or
// EOverflow.
void ApplyExprOperator(TExprValue* left, TExprKind op, const TExprValue& right, TFilterOptions options);

}  // namespace zarn
