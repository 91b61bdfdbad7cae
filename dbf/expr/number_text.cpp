#include "dbf/expr/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zarn {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks that `text` is [sign] digits [point digits] [E [sign] digits] with at
// least one mantissa digit and rewrites it into *normalized with "." as the
// point and without a leading "+", ready for std::from_chars.
bool NormalizeNumber(std::string_view text, char point, std::string* normalized) {
  std::size_t i = 0;
  normalized->clear();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') normalized->push_back('-');
    ++i;
  }
  int mantissa_digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissa_digits) normalized->push_back(text[i]);
  if (i < text.size() && text[i] == point) {
    normalized->push_back('.');
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++mantissa_digits) normalized->push_back(text[i]);
  }
  if (mantissa_digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    normalized->push_back('e');
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normalized->push_back(text[i++]);
    int exponent_digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponent_digits) normalized->push_back(text[i]);
    if (exponent_digits == 0) return false;
  }
  return i == text.size();
}

std::optional<double> ParseNumber(std::string_view text, char point) {
  std::string normalized;
  if (!NormalizeNumber(text, point, &normalized)) return std::nullopt;
  double value = 0;
  const char* end = normalized.data() + normalized.size();
  const auto [ptr, ec] = std::from_chars(normalized.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  text = SkipLeadingBlanks(text);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<double> ReadPointNumber(std::string_view text) { return ParseNumber(SkipLeadingBlanks(text), '.'); }

std::optional<double> StrToFloatLocale(std::string_view text, char decimal_separator) {
  return ParseNumber(TrimBlanks(text), decimal_separator);
}

std::optional<std::int32_t> StrToInt32(std::string_view text) {
  text = SkipLeadingBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::optional<std::uint32_t> hex;
  if (text.starts_with('$')) {
    hex = ParseHex(text.substr(1));
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    hex = ParseHex(text.substr(2));
  } else {
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
      if (!IsDigit(c)) return std::nullopt;
      value = value * 10 + (c - '0');
      if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }
  if (!hex) return std::nullopt;
  const std::uint32_t magnitude = negative ? 0u - *hex : *hex;
  return static_cast<std::int32_t>(magnitude);
}

std::string FloatToStrGeneral(double value, char decimal_separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";  // also for -0
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string text;
  const char* p = buffer;
  for (; *p != '\0' && *p != 'E'; ++p) text.push_back(*p == '.' ? decimal_separator : *p);
  if (*p == 'E') {
    // "%G" writes "E+20" or "E-07"; the platform writes "E20" and "E-7".
    ++p;
    text.push_back('E');
    if (*p == '-') text.push_back('-');
    if (*p == '+' || *p == '-') ++p;
    while (*p == '0' && p[1] != '\0') ++p;
    text.append(p);
  }
  return text;
}

}  // namespace zarn
