// Fuzzes the expression language: the first byte picks the filter options,
// the rest is an expression tokenized and evaluated against one fixed record
// with a field of every value kind, null fields among them. Float faults
// raise by design; anything else that escapes, or any sanitizer report, is
// a fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dbf/expr/expr_errors.h"
#include "dbf/expr/expr_parser.h"
#include "dbf/expr/expr_test_source.h"
#include "platform/format_settings.h"

namespace {

zarn::TExprTestSource& FixedRecord() {
  static zarn::TExprTestSource source = [] {
    using namespace zarn;
    FormatSettings() = CzechFormatSettings();
    TExprTestSource s;
    s.Add("NAZEV", ftString, TExprValue::Text("Osivo p\x9A" "enice*?"));
    s.Add("PRAZDNY", ftString, TExprValue::Null());
    s.Add("NC", ftFloat, TExprValue::Float(12.5));
    s.Add("POCET", ftInteger, TExprValue::Integer(-2147483647 - 1));
    s.Add("INULL", ftSmallint, TExprValue::Null());
    s.Add("OK", ftBoolean, TExprValue::Boolean(true));
    s.Add("DATUM", ftDate, TExprValue::Date(45366));
    s.Add("CAS", ftTime, TExprValue::Time(0.5));
    s.Add("KDY", ftDateTime, TExprValue::DateTime(45366.25));
    s.Add("POZN", ftMemo, TExprValue::Integer(1));
    return s;
  }();
  return source;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  zarn::TDsExprParser parser(FixedRecord());
  parser.SetOptions(zarn::TFilterOptions::FromBits(data[0]));
  parser.SetExpression(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  try {
    const zarn::TExprValue value = parser.Evaluate();
    if (value.kind == zarn::ekText && value.text.size() > zarn::kMaxExprText) __builtin_trap();
    parser.IsTrue();  // a second run over the same compiled program
  } catch (const zarn::EMathError&) {
  }
  return 0;
}
