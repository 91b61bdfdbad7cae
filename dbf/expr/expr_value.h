// TExprValue: one value of the filter expression language, and equally one
// token of a tokenized expression. The kind codes serve both purposes; as a
// value, code 0 is the error value that every malformed or ill-typed
// expression yields instead of raising.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dbf/expr/field_ref.h"
#include "platform/datetime.h"

namespace zarn {

enum TExprKind : std::uint8_t {
  ekError = 0,  // as a token: the end of the token list
  ekLeftParen = 1,
  ekRightParen = 2,
  ekComma = 3,
  ekInvalid = 4,   // a character the language rejects (a lone '!'); no operand, no operator
  ekFunction = 5,  // refers to a registry entry
  ekField = 6,     // refers to a field of the field source
  ekText = 7,
  ekBoolean = 8,
  ekInteger = 9,  // signed 32-bit
  ekFloat = 10,   // double
  ekEqual = 11,
  ekNotEqual = 12,
  ekGreater = 13,
  ekLess = 14,
  ekGreaterEqual = 15,
  ekLessEqual = 16,
  ekAnd = 17,
  ekOr = 18,
  ekXor = 19,
  ekNot = 20,
  ekPlus = 21,
  ekMinus = 22,
  ekTimes = 23,
  ekDivide = 24,
  ekDate = 25,      // TDateTime, whole days
  ekTime = 26,      // TDateTime, fraction of a day
  ekDateTime = 27,  // TDateTime
  ekNull = 28,
};

inline constexpr TExprKind ekEnd = ekError;
inline constexpr int kExprKindCount = 29;

// Texts are cut to this many bytes wherever a text value is made.
inline constexpr std::size_t kMaxExprText = 255;

// The operator table: the text of a kind code ("=", "AND", "(" ...), empty
// for the kinds that are values or references and for code 4.
const char* ExprOperatorText(TExprKind kind);

// True for the codes 11 to 22: the operators joining terms of an expression.
constexpr bool IsExprOperator(TExprKind kind) { return kind >= ekEqual && kind <= ekMinus; }

struct TExprValue {
  TExprKind kind = ekError;
  bool boolean = false;      // ekBoolean
  std::int32_t integer = 0;  // ekInteger; ekFunction: the registry index
  double number = 0;         // ekFloat, ekDate, ekTime, ekDateTime
  std::string text;          // ekText, at most kMaxExprText bytes
  TExprFieldRef field;       // ekField

  static TExprValue Error() { return {}; }
  static TExprValue Null() { return Of(ekNull); }
  static TExprValue Of(TExprKind kind) {
    TExprValue value;
    value.kind = kind;
    return value;
  }
  static TExprValue Boolean(bool b) {
    TExprValue value = Of(ekBoolean);
    value.boolean = b;
    return value;
  }
  static TExprValue Integer(std::int32_t i) {
    TExprValue value = Of(ekInteger);
    value.integer = i;
    return value;
  }
  static TExprValue Float(double d) { return Moment(ekFloat, d); }
  static TExprValue Date(TDateTime d) { return Moment(ekDate, d); }
  static TExprValue Time(TDateTime t) { return Moment(ekTime, t); }
  static TExprValue DateTime(TDateTime dt) { return Moment(ekDateTime, dt); }
  // A text value; `s` is cut to kMaxExprText bytes.
  static TExprValue Text(std::string_view s) {
    TExprValue value = Of(ekText);
    value.SetText(s);
    return value;
  }

  bool IsError() const { return kind == ekError; }
  bool IsNull() const { return kind == ekNull; }
  // True only for a boolean value that is true: what lets a record pass a filter.
  bool IsTrue() const { return kind == ekBoolean && boolean; }

  // Makes this a text value holding `s` cut to kMaxExprText bytes, reusing
  // the storage of the previous text.
  void SetText(std::string_view s) {
    kind = ekText;
    text.assign(s.substr(0, kMaxExprText));
  }

 private:
  static TExprValue Moment(TExprKind kind, double d) {
    TExprValue value = Of(kind);
    value.number = d;
    return value;
  }
};

}  // namespace zarn
