// Conversions between numbers and text used by the expression language:
// the locale-independent reading of number literals and of texts compared
// with numbers, and the platform-style StrToInt, StrToFloat and FloatToStr.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarn {

// Reads a decimal number with "." as the decimal point: optional leading
// blanks, an optional sign, digits with an optional fraction (at least one
// digit in all) and an optional exponent ("E", optional sign, digits). The
// whole text must be used. Returns nullopt otherwise, and for a value beyond
// the range of double.
std::optional<double> ReadPointNumber(std::string_view text);

// StrToFloat: as ReadPointNumber, but the decimal point is `decimal_separator`
// and trailing blanks are allowed too.
std::optional<double> StrToFloatLocale(std::string_view text, char decimal_separator);

// StrToInt: optional leading blanks, an optional sign, then decimal digits or
// a hexadecimal number written "$FF" or "0xFF". Decimal values must fit a
// signed 32-bit integer; hexadecimal ones up to $FFFFFFFF wrap to negative.
std::optional<std::int32_t> StrToInt32(std::string_view text);

// FloatToStr: the general format with at most 15 significant digits, no
// trailing zeros, `decimal_separator` as the decimal point; the exponent form
// ("1,5E20", "1E-7") for exponents from 15 up or below -4. Infinite and
// undefined values give "INF", "-INF" and "NAN".
std::string FloatToStrGeneral(double value, char decimal_separator);

}  // namespace zarn
