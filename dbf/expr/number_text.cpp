#include "dbf/expr/number_text.h"

#include <charconv>
#include <string>

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

}  // namespace

std::optional<double> ReadPointNumber(std::string_view text) { return ParseNumber(SkipLeadingBlanks(text), '.'); }

}  // namespace zarn
