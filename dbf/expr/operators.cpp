#include "dbf/expr/operators.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "dbf/expr/expr_errors.h"
#include "dbf/expr/locale_text.h"
#include "dbf/expr/number_text.h"
#include "dbf/expr/text_pattern.h"
#include "platform/datetime.h"

namespace zarn {
namespace {

bool IsComparison(TExprKind op) { return op >= ekEqual && op <= ekLessEqual; }
bool IsNumber(TExprKind kind) { return kind == ekInteger || kind == ekFloat; }
bool IsMoment(TExprKind kind) { return kind == ekDate || kind == ekTime || kind == ekDateTime; }

void SetBoolean(TExprValue* value, bool b) {
  value->kind = ekBoolean;
  value->boolean = b;
}

void SetNumber(TExprValue* value, TExprKind kind, double d) {
  value->kind = kind;
  value->number = d;
}

template <typename T>
bool Compare(TExprKind op, T a, T b) {
  switch (op) {
    case ekEqual: return a == b;
    case ekNotEqual: return a != b;
    case ekGreater: return a > b;
    case ekLess: return a < b;
    case ekGreaterEqual: return a >= b;
    default: return a <= b;
  }
}

bool CompareOrder(TExprKind op, int order) { return Compare(op, order, 0); }

double AsDouble(const TExprValue& value) {
  return value.kind == ekInteger ? static_cast<double>(value.integer) : value.number;
}

// The platform raises on a float operation whose result is no number, and
// on one that overflows from finite operands.
double CheckedResult(double result, double a, double b) {
  if (std::isnan(result) && !std::isnan(a) && !std::isnan(b)) throw EInvalidOp();
  if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) throw EOverflow();
  return result;
}

double Divide(double a, double b) {
  if (b == 0) {
    if (a == 0 || std::isnan(a)) throw EInvalidOp();
    throw EZeroDivide();
  }
  return CheckedResult(a / b, a, b);
}

// Float arithmetic and comparisons; the result replaces *left.
void ApplyFloat(TExprValue* left, TExprKind op, double a, double b) {
  if (IsComparison(op)) return SetBoolean(left, Compare(op, a, b));
  switch (op) {
    case ekPlus: return SetNumber(left, ekFloat, CheckedResult(a + b, a, b));
    case ekMinus: return SetNumber(left, ekFloat, CheckedResult(a - b, a, b));
    case ekTimes: return SetNumber(left, ekFloat, CheckedResult(a * b, a, b));
    case ekDivide: return SetNumber(left, ekFloat, Divide(a, b));
    default: *left = TExprValue::Error();
  }
}

void ApplyInteger(TExprValue* left, TExprKind op, std::int32_t a, std::int32_t b) {
  if (IsComparison(op)) return SetBoolean(left, Compare(op, a, b));
  // 32-bit wrapping arithmetic, done unsigned to stay defined.
  const std::uint32_t ua = static_cast<std::uint32_t>(a), ub = static_cast<std::uint32_t>(b);
  switch (op) {
    case ekPlus: left->integer = static_cast<std::int32_t>(ua + ub); return;
    case ekMinus: left->integer = static_cast<std::int32_t>(ua - ub); return;
    case ekTimes: left->integer = static_cast<std::int32_t>(ua * ub); return;
    case ekDivide: return SetNumber(left, ekFloat, Divide(a, b));
    default: *left = TExprValue::Error();
  }
}

void ApplyNumbers(TExprValue* left, TExprKind op, const TExprValue& right) {
  if (left->kind == ekInteger && right.kind == ekInteger) return ApplyInteger(left, op, left->integer, right.integer);
  ApplyFloat(left, op, AsDouble(*left), AsDouble(right));
}

void ApplyBooleans(TExprValue* left, TExprKind op, bool a, bool b) {
  if (IsComparison(op)) return SetBoolean(left, Compare(op, a, b));
  switch (op) {
    case ekAnd: return SetBoolean(left, a && b);
    case ekOr: return SetBoolean(left, a || b);
    case ekXor: return SetBoolean(left, a != b);
    default: *left = TExprValue::Error();
  }
}

// The kind that date, time and date-time operands of `op` give, or ekError
// for a pair without a rule.
TExprKind MomentResultKind(TExprKind a, TExprKind b) {
  if (a == ekTime || b == ekTime) return a == b ? ekTime : ekError;
  if (a == ekDate && b == ekDate) return ekDate;
  return ekDateTime;
}

void ApplyMoments(TExprValue* left, TExprKind op, TExprKind a_kind, double a, TExprKind b_kind, double b) {
  const TExprKind result_kind = MomentResultKind(a_kind, b_kind);
  if (result_kind == ekError) {
    *left = TExprValue::Error();
  } else if (IsComparison(op)) {
    SetBoolean(left, Compare(op, a, b));
  } else if (op == ekPlus) {
    SetNumber(left, result_kind, CheckedResult(a + b, a, b));
  } else if (op == ekMinus) {
    SetNumber(left, result_kind, CheckedResult(a - b, a, b));
  } else {
    *left = TExprValue::Error();
  }
}

// Reads a text as a value of a date, time or date-time kind by the format
// settings; a date is cut to whole days.
std::optional<double> TextAsMoment(const std::string& text, TExprKind kind) {
  switch (kind) {
    case ekDate: {
      const std::optional<TDateTime> date = TryStrToDate(text);
      if (!date) return std::nullopt;
      return std::trunc(*date);
    }
    case ekTime: return TryStrToTime(text);
    default: return TryStrToDateTime(text);
  }
}

void ApplyTexts(TExprValue* left, TExprKind op, const std::string& right, TFilterOptions options) {
  const bool case_insensitive = options.Contains(foCaseInsensitive);
  if (op == ekPlus) {
    left->text.append(right, 0, kMaxExprText - std::min(kMaxExprText, left->text.size()));
    return;
  }
  if (!IsComparison(op)) {
    *left = TExprValue::Error();
  } else if (op == ekEqual && !options.Contains(foNoPartialCompare)) {
    SetBoolean(left, MatchesTextPattern(left->text, right, case_insensitive));
  } else {
    const int order = case_insensitive ? AnsiCompareText(left->text, right) : AnsiCompareStr(left->text, right);
    SetBoolean(left, CompareOrder(op, order));
  }
}

// A text operand against a number, date or time: converted to that kind.
void ApplyTextWithOther(TExprValue* left, TExprKind op, const TExprValue& right) {
  if (IsNumber(right.kind)) {
    const std::optional<double> a = ReadPointNumber(left->text);
    if (!a) return void(*left = TExprValue::Error());
    return ApplyFloat(left, op, *a, AsDouble(right));
  }
  if (IsMoment(right.kind)) {
    const std::optional<double> a = TextAsMoment(left->text, right.kind);
    if (!a) return void(*left = TExprValue::Error());
    return ApplyMoments(left, op, right.kind, *a, right.kind, right.number);
  }
  *left = TExprValue::Error();
}

void ApplyOtherWithText(TExprValue* left, TExprKind op, const std::string& right) {
  if (IsNumber(left->kind)) {
    const std::optional<double> b = ReadPointNumber(right);
    if (!b) return void(*left = TExprValue::Error());
    return ApplyFloat(left, op, AsDouble(*left), *b);
  }
  if (IsMoment(left->kind)) {
    const std::optional<double> b = TextAsMoment(right, left->kind);
    if (!b) return void(*left = TExprValue::Error());
    return ApplyMoments(left, op, left->kind, left->number, left->kind, *b);
  }
  *left = TExprValue::Error();
}

}  // namespace

void ApplyExprOperator(TExprValue* left, TExprKind op, const TExprValue& right, TFilterOptions options) {
  if (left->kind == ekNull) {
    if (op == ekEqual) return SetBoolean(left, right.kind == ekNull);
    if (op == ekNotEqual) return SetBoolean(left, right.kind != ekNull);
    return void(*left = TExprValue::Error());
  }
  if (left->kind == ekError || right.kind == ekError) return void(*left = TExprValue::Error());
  if (right.kind == ekNull) {
    const bool empty_text = left->kind == ekText && left->text.empty();
    if (op == ekNotEqual) return SetBoolean(left, !empty_text);
    if (op == ekEqual && left->kind == ekText) return SetBoolean(left, empty_text);
    return void(*left = TExprValue::Error());
  }
  if (left->kind == ekText && right.kind == ekText) return ApplyTexts(left, op, right.text, options);
  if (left->kind == ekText) return ApplyTextWithOther(left, op, right);
  if (right.kind == ekText) return ApplyOtherWithText(left, op, right.text);
  if (left->kind == ekBoolean && right.kind == ekBoolean) return ApplyBooleans(left, op, left->boolean, right.boolean);
  if (IsNumber(left->kind) && IsNumber(right.kind)) return ApplyNumbers(left, op, right);
  if (IsMoment(left->kind) && IsMoment(right.kind)) {
    return ApplyMoments(left, op, left->kind, left->number, right.kind, right.number);
  }
  *left = TExprValue::Error();
}

}  // namespace zarn
