// The compiled form of a token list: a flat program for a small value stack.
// The compiler walks the tokens exactly as a direct evaluation would (same
// grammar, same cursor moves, same places where a malformed expression turns
// into the error value) and records, in evaluation order, what that
// evaluation would compute. Running the program therefore gives every result,
// error value and raised error of the direct evaluation, while the tokens are
// read once per expression instead of once per record.
#pragma once

#include <cstdint>
#include <vector>

#include "dbf/expr/expr_value.h"
#include "dbf/expr/field_ref.h"
#include "dbf/expr/field_source.h"
#include "dbf/expr/function_registry.h"

namespace zarn {

enum class TExprOp : std::uint8_t {
  kPushConstant,    // push constants[a]
  kReadField,       // push the value of fields[a], null when the field is null
  kReadFieldValue,  // push the value of fields[a] as the field delivers it (FIELD)
  kApplyOperator,   // pop right, apply `kind` to the top value and right
  kNot,             // negate a boolean on top; anything else becomes error
  kCall,            // pop a arguments, push the result of registry entry b
  kDropToError,     // pop a values, push the error value
};

struct TExprInstruction {
  TExprOp op;
  TExprKind kind = ekError;
  std::int32_t a = 0;
  std::int32_t b = 0;
};

struct TExprProgram {
  std::vector<TExprInstruction> code;
  std::vector<TExprValue> constants;
  std::vector<TExprFieldRef> fields;
  int max_depth = 1;  // stack slots the program needs
};

// Deeper nesting of parentheses and function calls than this makes the
// whole expression the error value, so that no text can exhaust the stack.
inline constexpr int kMaxExprNesting = 256;

// Compiles `tokens` (ending with ekEnd, as TokenizeExpression makes them).
// FIELD called with a text literal is resolved against `fields` here, once;
// every other call goes through `functions` when the program runs.
TExprProgram CompileExpression(const std::vector<TExprValue>& tokens, const TExprFunctionRegistry& functions,
                               const TExprFieldSource& fields);

}  // namespace zarn
