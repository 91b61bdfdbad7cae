// The built-in functions of the expression language.
#pragma once

#include "dbf/expr/function_registry.h"

namespace zarn {

// Registers, in this order: TRUNC, ROUND, FRAC, STRTOINT, STRTOFLOAT,
// INTTOSTR, FLOATTOSTR, UPPER, LOWER (one argument each), FIELD (one), POS,
// POSSTR, POSTEXT (two), COPY (three), TRIM (one).
void RegisterBuiltinFunctions(TExprFunctionRegistry* registry);

}  // namespace zarn
