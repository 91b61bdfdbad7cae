// TDsExprParser: the evaluator of the filter expression language, bound to
// one field source. It keeps an expression text, tokenizes and compiles it
// once, and evaluates it against the source's current record as often as it
// is asked. TDsDbParser binds it to a DBF table handle; a memory table binds
// it to its field objects.
//
//   TDsExprParser parser(source);
//   parser.SetExpression("(FIELD('ICO')='12345678') AND (NC>=10.5)");
//   parser.SetOptions({foCaseInsensitive});
//   if (parser.IsTrue()) ...
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/expr/compiler.h"
#include "dbf/expr/expr_value.h"
#include "dbf/expr/field_source.h"
#include "platform/dataset/filter_options.h"
#include "dbf/expr/function_registry.h"

namespace zarn {

class TDsExprParser {
 public:
  // Binds the evaluator to `source`, which must outlive it, and registers
  // the built-in functions.
  explicit TDsExprParser(TExprFieldSource& source);
  TDsExprParser(const TDsExprParser&) = delete;
  TDsExprParser& operator=(const TDsExprParser&) = delete;
  virtual ~TDsExprParser() = default;

  // Stores the text; a text different from the stored one is tokenized again
  // at the next evaluation.
  void SetExpression(std::string_view text);
  const std::string& Expression() const { return expression_; }

  void SetOptions(TFilterOptions options) { options_ = options; }
  TFilterOptions Options() const { return options_; }

  // Rebuilds the token list and its compiled form from the text, resolving
  // names against the field source as it is now. Call it again after the
  // source's fields have changed.
  void Tokenize();
  bool Tokenized() const { return tokenized_; }
  const std::vector<TExprValue>& Tokens() const { return tokens_; }

  // Evaluates the expression against the current record of the field
  // source, tokenizing first when needed. A malformed or ill-typed
  // expression gives the error value. Raises EZeroDivide, EInvalidOp or
  // EOverflow for a failed float operation, and the source's own error when
  // a field cannot be read.
  TExprValue Evaluate();
  // True when Evaluate() gives the boolean true: the record passes a filter.
  bool IsTrue();

  // The apply step of a filter: takes `text` and `options`, and, when the
  // text is not empty, evaluates it once against the current record. When
  // that gives the error value, or raises, the previous text and options are
  // restored; returns false for the error value and lets the raise through.
  // An empty text always succeeds and means no filter.
  bool TrySetFilter(std::string_view text, TFilterOptions options);

  // Appends a function to the registry; a later entry never hides an
  // earlier one of the same name.
  void RegisterFunction(std::string_view name, std::uint16_t arg_count, TExprFunctionHandler handler);
  const TExprFunctionRegistry& Functions() const { return functions_; }

  TExprFieldSource& FieldSource() { return source_; }

 private:
  // Runs the compiled program; the result is the bottom stack slot.
  const TExprValue& Run();
  void Execute(const TExprInstruction& instruction, int* top);

  TExprFieldSource& source_;
  std::vector<TExprValue> tokens_;
  TExprProgram program_;
  std::vector<TExprValue> stack_;
  TExprValue call_result_;
  std::string expression_;
  TExprFunctionRegistry functions_;
  bool tokenized_ = false;
  TFilterOptions options_;
};

}  // namespace zarn
