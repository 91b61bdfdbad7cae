#include "dbf/expr/compiler.h"

#include <algorithm>
#include <cassert>

namespace zarn {
namespace {

// Grammar (all operators of one level are left-associative):
//   expression := term { operator term }        operator: codes 11 to 22
//   term       := factor { ('*' | '/') factor }
//   factor     := '(' expression ')' | literal | field | NOT factor
//               | function '(' argument { argument } ')'
//   argument   := [','] expression
// After a factor the cursor moves past one more token (the literal, the
// field, the ')', or whatever stands where the ')' was expected).
class Compiler {
 public:
  Compiler(const std::vector<TExprValue>& tokens, const TExprFunctionRegistry& functions,
           const TExprFieldSource& fields)
      : tokens_(tokens), functions_(functions), fields_(fields), field_function_(functions.Find("FIELD")) {
    assert(!tokens_.empty() && tokens_.back().kind == ekEnd);
  }

  TExprProgram Run() {
    Expression();
    const TExprKind last = Current();
    if (last != ekEnd && last != ekRightParen && last != ekComma) DropToError(1);
    if (too_deep_) {
      program_ = TExprProgram();
      DropToError(0);
    }
    return std::move(program_);
  }

 private:
  TExprKind Current() const { return tokens_[cursor_].kind; }

  // Moves to the next token; the end token is never passed.
  void Advance() {
    if (cursor_ + 1 < tokens_.size()) ++cursor_;
  }

  void Emit(TExprOp op, TExprKind kind, int a, int b, int depth_change) {
    program_.code.push_back({op, kind, a, b});
    depth_ += depth_change;
    program_.max_depth = std::max(program_.max_depth, depth_);
  }

  void DropToError(int count) { Emit(TExprOp::kDropToError, ekError, count, 0, 1 - count); }

  void PushConstant(const TExprValue& value) {
    program_.constants.push_back(value);
    Emit(TExprOp::kPushConstant, value.kind, static_cast<int>(program_.constants.size()) - 1, 0, 1);
  }

  void ReadField(const TExprFieldRef& field, TExprOp op) {
    program_.fields.push_back(field);
    Emit(op, ExprKindOfFieldType(field.type), static_cast<int>(program_.fields.size()) - 1, 0, 1);
  }

  void Expression() {
    Term();
    while (IsExprOperator(Current())) {
      const TExprKind op = Current();
      Advance();
      Term();
      Emit(TExprOp::kApplyOperator, op, 0, 0, -1);
    }
  }

  void Term() {
    Factor();
    while (Current() == ekTimes || Current() == ekDivide) {
      const TExprKind op = Current();
      Advance();
      Factor();
      Emit(TExprOp::kApplyOperator, op, 0, 0, -1);
    }
  }

  void Factor() {
    if (++nesting_ > kMaxExprNesting) too_deep_ = true;
    if (!too_deep_) FactorBody();
    --nesting_;
  }

  void FactorBody() {
    const TExprValue& token = tokens_[cursor_];
    switch (token.kind) {
      case ekLeftParen:
        Advance();
        Expression();
        if (Current() != ekRightParen) DropToError(1);
        break;
      case ekText:
      case ekBoolean:
      case ekInteger:
      case ekFloat:
      case ekNull:
        PushConstant(token);
        break;
      case ekField:
        ReadField(token.field, TExprOp::kReadField);
        break;
      case ekNot:
        // NOT negates the boolean factor after it; the inner factor has
        // already moved the cursor on.
        Advance();
        Factor();
        Emit(TExprOp::kNot, ekNot, 0, 0, 0);
        return;
      case ekFunction:
        Call(token.integer);
        break;
      default:  // an operator, ')', ',', an end or invalid token
        DropToError(0);
        break;
    }
    Advance();
  }

  // Leaves the cursor on the token that should be the closing ')'.
  void Call(int function) {
    Advance();
    if (Current() != ekLeftParen) return DropToError(0);
    Advance();
    const int arg_count = functions_.At(function).arg_count;
    const std::size_t code_start = program_.code.size();
    for (int i = 0; i < arg_count; ++i) {
      if (Current() == ekComma) Advance();
      Expression();
    }
    if (Current() != ekRightParen) return DropToError(arg_count);
    if (function == field_function_ && ResolveFieldCall(code_start)) return;
    Emit(TExprOp::kCall, ekFunction, arg_count, function, 1 - arg_count);
  }

  // FIELD('NAME') names its field by a literal: look the field up now and
  // read it directly for every record. Returns false when the call must stay
  // a call (the argument is no text literal, or names no usable field).
  bool ResolveFieldCall(std::size_t code_start) {
    if (program_.code.size() != code_start + 1) return false;
    const TExprInstruction argument = program_.code.back();
    if (argument.op != TExprOp::kPushConstant || argument.kind != ekText) return false;
    const std::optional<TExprFieldRef> field = fields_.FindField(program_.constants[argument.a].text);
    if (!field || ExprKindOfFieldType(field->type) == ekError) return false;
    program_.code.pop_back();
    program_.constants.pop_back();
    --depth_;
    ReadField(*field, TExprOp::kReadFieldValue);
    return true;
  }

  const std::vector<TExprValue>& tokens_;
  const TExprFunctionRegistry& functions_;
  const TExprFieldSource& fields_;
  const int field_function_;
  std::size_t cursor_ = 0;
  int depth_ = 0;
  int nesting_ = 0;
  bool too_deep_ = false;
  TExprProgram program_;
};

}  // namespace

TExprProgram CompileExpression(const std::vector<TExprValue>& tokens, const TExprFunctionRegistry& functions,
                               const TExprFieldSource& fields) {
  return Compiler(tokens, functions, fields).Run();
}

}  // namespace zarn
