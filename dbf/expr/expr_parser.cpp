#include "dbf/expr/expr_parser.h"

#include <span>
#include <utility>

#include "dbf/expr/functions.h"
#include "dbf/expr/operators.h"
#include "dbf/expr/tokenizer.h"

namespace zarn {

TDsExprParser::TDsExprParser(TExprFieldSource& source) : source_(source) {
  RegisterBuiltinFunctions(&functions_);
}

void TDsExprParser::SetExpression(std::string_view text) {
  if (text == expression_) return;
  expression_.assign(text);
  tokenized_ = false;
}

void TDsExprParser::Tokenize() {
  tokens_ = TokenizeExpression(expression_, source_, functions_);
  program_ = CompileExpression(tokens_, functions_, source_);
  stack_.resize(static_cast<std::size_t>(program_.max_depth));
  tokenized_ = true;
}

TExprValue TDsExprParser::Evaluate() { return Run(); }

bool TDsExprParser::IsTrue() { return Run().IsTrue(); }

bool TDsExprParser::TrySetFilter(std::string_view text, TFilterOptions options) {
  std::string previous_text = expression_;
  const TFilterOptions previous_options = options_;
  SetExpression(text);
  SetOptions(options);
  if (text.empty()) return true;
  try {
    if (!Run().IsError()) return true;
  } catch (...) {
    SetExpression(previous_text);
    SetOptions(previous_options);
    throw;
  }
  SetExpression(previous_text);
  SetOptions(previous_options);
  return false;
}

void TDsExprParser::RegisterFunction(std::string_view name, std::uint16_t arg_count, TExprFunctionHandler handler) {
  functions_.Register(name, arg_count, std::move(handler));
  tokenized_ = false;  // a name that resolved to nothing may now be this function
}

const TExprValue& TDsExprParser::Run() {
  if (!tokenized_) Tokenize();
  int top = 0;  // number of values on the stack
  for (const TExprInstruction& instruction : program_.code) Execute(instruction, &top);
  return stack_[0];
}

void TDsExprParser::Execute(const TExprInstruction& instruction, int* top) {
  switch (instruction.op) {
    case TExprOp::kPushConstant:
      stack_[(*top)++] = program_.constants[instruction.a];
      break;
    case TExprOp::kReadField:
    case TExprOp::kReadFieldValue:
      ReadExprField(source_, program_.fields[instruction.a], instruction.op == TExprOp::kReadField,
                    &stack_[(*top)++]);
      break;
    case TExprOp::kApplyOperator:
      --*top;
      ApplyExprOperator(&stack_[*top - 1], instruction.kind, stack_[*top], options_);
      break;
    case TExprOp::kNot: {
      TExprValue& value = stack_[*top - 1];
      if (value.kind == ekBoolean) {
        value.boolean = !value.boolean;
      } else {
        value = TExprValue::Error();
      }
      break;
    }
    case TExprOp::kCall: {
      *top -= instruction.a;
      const std::span<const TExprValue> args(stack_.data() + *top, static_cast<std::size_t>(instruction.a));
      call_result_.kind = ekError;
      functions_.At(instruction.b).handler(*this, args, &call_result_);
      std::swap(stack_[(*top)++], call_result_);
      break;
    }
    case TExprOp::kDropToError:
      *top -= instruction.a;
      stack_[(*top)++].kind = ekError;
      break;
  }
}

}  // namespace zarn
