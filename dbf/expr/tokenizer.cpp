#include "dbf/expr/tokenizer.h"

#include <cstdint>
#include <utility>

#include "dbf/expr/locale_text.h"
#include "dbf/expr/number_text.h"

namespace zarn {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool StartsName(char c) { return IsLetter(c) || c == '_' || c == '$'; }
bool ContinuesName(char c) { return StartsName(c) || IsDigit(c); }

class Tokenizer {
 public:
  Tokenizer(std::string_view text, const TExprFieldSource& fields, const TExprFunctionRegistry& functions)
      : text_(text), fields_(fields), functions_(functions) {}

  std::vector<TExprValue> Run() {
    while (pos_ < text_.size()) ReadToken();
    tokens_.push_back(TExprValue::Of(ekEnd));
    return std::move(tokens_);
  }

 private:
  char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  // The '-' at the cursor is a sign when it opens the text, follows a
  // comparison character, or opens a function argument (directly after the
  // '(' of a call, or after a ',') so that TRUNC(-2.7) reads a negative
  // literal while (-2.7) stays a minus without a left operand.
  bool IsSignHere() const {
    if (pos_ == 0) return true;
    const char before = text_[pos_ - 1];
    if (before == '<' || before == '=' || before == '>' || before == ',') return true;
    const std::size_t n = tokens_.size();
    return before == '(' && n >= 2 && tokens_[n - 2].kind == ekFunction;
  }

  void Emit(TExprKind kind, std::size_t length) {
    tokens_.push_back(TExprValue::Of(kind));
    pos_ += length;
  }

  void ReadToken() {
    const char c = text_[pos_];
    switch (c) {
      case '(': return Emit(ekLeftParen, 1);
      case ')': return Emit(ekRightParen, 1);
      case ',': return Emit(ekComma, 1);
      case '*': return Emit(ekTimes, 1);
      case '/': return Emit(ekDivide, 1);
      case '+': return Emit(ekPlus, 1);
      case '=': return Emit(ekEqual, 1);
      case '<':
        if (At(pos_ + 1) == '=') return Emit(ekLessEqual, 2);
        if (At(pos_ + 1) == '>') return Emit(ekNotEqual, 2);
        return Emit(ekLess, 1);
      case '>':
        if (At(pos_ + 1) == '=') return Emit(ekGreaterEqual, 2);
        return Emit(ekGreater, 1);
      case '!':
        if (At(pos_ + 1) == '=') return Emit(ekNotEqual, 2);
        return Emit(ekInvalid, 1);
      case '-':
        // A sign glued to digits belongs to the number read next.
        if (IsSignHere() && IsDigit(At(pos_ + 1))) {
          negative_number_ = true;
          ++pos_;
          return;
        }
        return Emit(ekMinus, 1);
      case '\'':
        return ReadText();
      default:
        if (IsDigit(c)) return ReadNumber();
        if (StartsName(c)) return ReadName();
        ++pos_;  // blanks, control characters and everything else
    }
  }

  void ReadNumber() {
    const bool negative = std::exchange(negative_number_, false);
    const std::size_t start = pos_;
    bool has_point = false;
    while (IsDigit(At(pos_)) || At(pos_) == '.') has_point |= text_[pos_++] == '.';
    const std::string_view digits = text_.substr(start, pos_ - start);
    tokens_.push_back(has_point ? FloatLiteral(digits, negative) : IntegerLiteral(digits, negative));
  }

  static TExprValue FloatLiteral(std::string_view digits, bool negative) {
    const std::optional<double> value = ReadPointNumber(digits);
    if (!value) return TExprValue::Of(ekEnd);
    return TExprValue::Float(negative ? -*value : *value);
  }

  static TExprValue IntegerLiteral(std::string_view digits, bool negative) {
    std::int64_t value = 0;
    for (char d : digits) {
      value = value * 10 + (d - '0');
      if (value > 2147483648LL) return TExprValue::Of(ekEnd);
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return TExprValue::Of(ekEnd);
    return TExprValue::Integer(static_cast<std::int32_t>(value));
  }

  void ReadText() {
    const std::size_t start = pos_ + 1;
    std::size_t end = text_.find('\'', start);
    if (end == std::string_view::npos) end = text_.size();
    tokens_.push_back(TExprValue::Text(text_.substr(start, end - start)));
    pos_ = end + 1;
  }

  void ReadName() {
    const std::size_t start = pos_;
    while (ContinuesName(At(pos_))) ++pos_;
    tokens_.push_back(ResolveName(text_.substr(start, pos_ - start)));
  }

  TExprValue ResolveName(std::string_view name) const {
    if (SameTextByLocale(name, "TRUE")) return TExprValue::Boolean(true);
    if (SameTextByLocale(name, "FALSE")) return TExprValue::Boolean(false);
    if (SameTextByLocale(name, "NULL")) return TExprValue::Null();
    for (TExprKind keyword : {ekAnd, ekOr, ekXor, ekNot}) {
      if (SameTextByLocale(name, ExprOperatorText(keyword))) return TExprValue::Of(keyword);
    }
    if (std::optional<TExprFieldRef> field = fields_.FindField(name)) {
      TExprValue token = TExprValue::Of(ekField);
      token.field = *field;
      return token;
    }
    const int function = functions_.Find(name);
    if (function >= 0) {
      TExprValue token = TExprValue::Of(ekFunction);
      token.integer = function;
      return token;
    }
    return TExprValue::Of(ekEnd);
  }

  std::string_view text_;
  const TExprFieldSource& fields_;
  const TExprFunctionRegistry& functions_;
  std::size_t pos_ = 0;
  bool negative_number_ = false;  // a sign was read right before the digits
  std::vector<TExprValue> tokens_;
};

}  // namespace

std::vector<TExprValue> TokenizeExpression(std::string_view text, const TExprFieldSource& fields,
                                           const TExprFunctionRegistry& functions) {
  return Tokenizer(text, fields, functions).Run();
}

}  // namespace zarn
