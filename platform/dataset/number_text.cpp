#include "platform/dataset/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace zarn {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

template <typename Int>
std::optional<Int> ParseInteger(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  Int value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "1.5e+20" from printf becomes "1,5E20" in the classic style.
std::string ClassicFromPrintf(const char* printed, char decimal_separator) {
  std::string out;
  for (const char* p = printed; *p; ++p) {
    if (*p == '.') {
      out += decimal_separator;
    } else if (*p == 'e') {
      out += 'E';
      ++p;
      if (*p == '-') out += '-';
      ++p;
      while (*p == '0' && p[1]) ++p;
      out += p;
      break;
    } else {
      out += *p;
    }
  }
  return out;
}

struct Picture {
  int min_integer_digits = 0;  // '0's before the decimal point
  int min_decimals = 0;        // '0's after it
  int max_decimals = 0;        // '0's and '#'s after it
  bool grouping = false;
  bool has_digits = false;     // a section of literal text only shows just that
  std::string prefix, suffix;  // literal text around the digits
};

// Splits one section of a picture into its digit layout and literal texts.
Picture ParsePicture(std::string_view section) {
  Picture picture;
  bool in_digits = false, after_point = false, digits_done = false;
  for (size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    std::string& literal = in_digits || digits_done ? picture.suffix : picture.prefix;
    if (c == '"' || c == '\'') {
      const size_t close = section.find(c, i + 1);
      const size_t end = close == std::string_view::npos ? section.size() : close;
      literal += section.substr(i + 1, end - i - 1);
      i = end;
      if (in_digits) digits_done = true, in_digits = false;
    } else if ((c == '0' || c == '#' || c == ',' || c == '.') && !digits_done) {
      in_digits = true;
      picture.has_digits = true;
      if (c == '.') after_point = true;
      else if (c == ',') picture.grouping = true;
      else if (after_point) ++picture.max_decimals, picture.min_decimals += c == '0' ? 1 : 0;
      else if (c == '0') ++picture.min_integer_digits;
    } else {
      if (in_digits) digits_done = true, in_digits = false;
      literal += c;
    }
  }
  if (picture.min_decimals > 0) picture.max_decimals = std::max(picture.max_decimals, picture.min_decimals);
  return picture;
}

std::string ApplyPicture(const Picture& picture, double magnitude, const TFormatSettings& settings) {
  if (!picture.has_digits) return picture.prefix + picture.suffix;
  char printed[400];
  std::snprintf(printed, sizeof printed, "%.*f", picture.max_decimals, magnitude);
  std::string_view text(printed);
  const size_t point = text.find('.');
  std::string integer(text.substr(0, point));
  std::string decimals(point == std::string_view::npos ? "" : text.substr(point + 1));
  while (static_cast<int>(decimals.size()) > picture.min_decimals && !decimals.empty() && decimals.back() == '0')
    decimals.pop_back();
  if (integer == "0" && picture.min_integer_digits == 0) integer.clear();
  while (static_cast<int>(integer.size()) < picture.min_integer_digits) integer.insert(0, "0");
  std::string digits;
  for (size_t i = 0; i < integer.size(); ++i) {
    if (picture.grouping && i > 0 && (integer.size() - i) % 3 == 0) digits += settings.ThousandSeparator;
    digits += integer[i];
  }
  if (!decimals.empty()) digits += settings.DecimalSeparator + decimals;
  if (digits.empty()) digits = "0";
  return picture.prefix + digits + picture.suffix;
}

}  // namespace

std::string FloatToStr(double value, const TFormatSettings& settings) {
  return FloatToStrPrecision(value, 15, settings);
}

std::string FloatToStrPrecision(double value, int precision, const TFormatSettings& settings) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char printed[64];
  std::snprintf(printed, sizeof printed, "%.*g", std::clamp(precision, 1, 17), value);
  return ClassicFromPrintf(printed, settings.DecimalSeparator);
}

std::string FormatFloat(std::string_view picture, double value, const TFormatSettings& settings) {
  if (picture.empty()) return FloatToStr(value, settings);
  std::vector<std::string_view> sections;
  size_t start = 0;
  for (size_t i = 0; i <= picture.size(); ++i) {
    if (i < picture.size() && (picture[i] == '"' || picture[i] == '\'')) {
      const size_t close = picture.find(picture[i], i + 1);
      i = close == std::string_view::npos ? picture.size() - 1 : close;
    } else if (i == picture.size() || picture[i] == ';') {
      sections.push_back(picture.substr(start, i - start));
      start = i + 1;
    }
  }
  const Picture positive = ParsePicture(sections[0]);
  const std::string rounded = ApplyPicture(positive, std::fabs(value), settings);
  const bool rounds_to_zero = rounded.find_first_of("123456789") == std::string::npos;
  if ((value == 0 || rounds_to_zero) && sections.size() > 2 && !sections[2].empty())
    return ApplyPicture(ParsePicture(sections[2]), 0, settings);
  if (value < 0 && !rounds_to_zero) {
    if (sections.size() > 1 && !sections[1].empty())
      return ApplyPicture(ParsePicture(sections[1]), std::fabs(value), settings);
    return "-" + rounded;
  }
  return rounded;
}

std::optional<double> TryStrToFloat(std::string_view text, const TFormatSettings& settings) {
  text = TrimBlanks(text);
  std::string plain(text);
  for (char& c : plain) {
    if (c == settings.DecimalSeparator) c = '.';
    else if (c == '.' || !(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == 'e' || c == 'E'))
      return std::nullopt;
  }
  std::string_view number(plain);
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return value;
}

std::optional<int32_t> TryStrToInt(std::string_view text) { return ParseInteger<int32_t>(text); }
std::optional<int64_t> TryStrToInt64(std::string_view text) { return ParseInteger<int64_t>(text); }

}  // namespace zarn
