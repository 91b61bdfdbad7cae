#include "dbf/expr/functions.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "dbf/expr/expr_errors.h"
#include "dbf/expr/expr_parser.h"
#include "dbf/expr/locale_text.h"
#include "platform/dataset/number_text.h"

namespace zarn {
namespace {

using Args = std::span<const TExprValue>;

// Whole numbers beyond the 64-bit integer range are invalid for the
// platform's Trunc and Round.
double CheckedWholeNumber(double whole) {
  if (!(whole >= -9223372036854775808.0 && whole < 9223372036854775808.0)) throw EInvalidOp();
  return whole;
}

void Trunc(TDsExprParser&, Args args, TExprValue* result) {
  const TExprValue& x = args[0];
  if (x.kind == ekInteger) *result = TExprValue::Float(x.integer);
  if (x.kind == ekFloat) *result = TExprValue::Float(CheckedWholeNumber(std::trunc(x.number)));
}

// Halves go to the even neighbour, as the platform's Round does.
void Round(TDsExprParser&, Args args, TExprValue* result) {
  const TExprValue& x = args[0];
  if (x.kind == ekInteger) *result = TExprValue::Float(x.integer);
  if (x.kind == ekFloat) *result = TExprValue::Float(CheckedWholeNumber(std::nearbyint(x.number)));
}

void Frac(TDsExprParser&, Args args, TExprValue* result) {
  const TExprValue& x = args[0];
  if (x.kind == ekInteger) *result = TExprValue::Float(0);
  if (x.kind == ekFloat) *result = TExprValue::Float(x.number - std::trunc(x.number));
}

void StrToIntFunction(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind != ekText) return;
  if (const std::optional<std::int32_t> value = TryStrToInt(args[0].text)) *result = TExprValue::Integer(*value);
}

void StrToFloatFunction(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind != ekText) return;
  if (const std::optional<double> value = TryStrToFloat(args[0].text)) {
    *result = TExprValue::Float(*value);
  }
}

void IntToStr(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind == ekInteger) result->SetText(std::to_string(args[0].integer));
}

void FloatToStrFunction(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind == ekFloat) result->SetText(FloatToStr(args[0].number));
}

void Upper(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind == ekText) result->SetText(AnsiUpperCase(args[0].text));
}

void Lower(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind == ekText) result->SetText(AnsiLowerCase(args[0].text));
}

// The named field's value as the field delivers it: a null field gives its
// empty value, not null.
void Field(TDsExprParser& parser, Args args, TExprValue* result) {
  if (args[0].kind != ekText) return;
  const std::optional<TExprFieldRef> field = parser.FieldSource().FindField(args[0].text);
  if (field) ReadExprField(parser.FieldSource(), *field, /*null_test=*/false, result);
}

std::int32_t Position(const std::string& sub, const std::string& text) {
  if (sub.empty()) return 0;
  const std::size_t found = text.find(sub);
  return found == std::string::npos ? 0 : static_cast<std::int32_t>(found) + 1;
}

void Pos(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind == ekText && args[1].kind == ekText) *result = TExprValue::Integer(Position(args[0].text, args[1].text));
}

void PosText(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind == ekText && args[1].kind == ekText) {
    *result = TExprValue::Integer(Position(AnsiUpperCase(args[0].text), AnsiUpperCase(args[1].text)));
  }
}

// COPY(s, index, count): an index below 1 counts as 1; past the end, or with
// a negative count, the result is empty.
void Copy(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind != ekText || args[1].kind != ekInteger || args[2].kind != ekInteger) return;
  const std::string& s = args[0].text;
  const std::int64_t start = std::max<std::int64_t>(args[1].integer, 1) - 1;
  const std::int64_t count = args[2].integer;
  if (start >= static_cast<std::int64_t>(s.size()) || count <= 0) return result->SetText("");
  result->SetText(std::string_view(s).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count)));
}

void Trim(TDsExprParser&, Args args, TExprValue* result) {
  if (args[0].kind != ekText) return;
  std::string_view s = args[0].text;
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  result->SetText(s);
}

}  // namespace

void RegisterBuiltinFunctions(TExprFunctionRegistry* registry) {
  registry->Register("TRUNC", 1, Trunc);
  registry->Register("ROUND", 1, Round);
  registry->Register("FRAC", 1, Frac);
  registry->Register("STRTOINT", 1, StrToIntFunction);
  registry->Register("STRTOFLOAT", 1, StrToFloatFunction);
  registry->Register("INTTOSTR", 1, IntToStr);
  registry->Register("FLOATTOSTR", 1, FloatToStrFunction);
  registry->Register("UPPER", 1, Upper);
  registry->Register("LOWER", 1, Lower);
  registry->Register("FIELD", 1, Field);
  registry->Register("POS", 2, Pos);
  registry->Register("POSSTR", 2, Pos);
  registry->Register("POSTEXT", 2, PosText);
  registry->Register("COPY", 3, Copy);
  registry->Register("TRIM", 1, Trim);
}

}  // namespace zarn
