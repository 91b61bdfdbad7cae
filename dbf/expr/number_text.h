// The locale-independent reading of numbers that the expression language
// uses for float literals and for texts compared with numbers. The locale's
// conversions (StrToInt, StrToFloat, FloatToStr) are platform/dataset's.
#pragma once

#include <optional>
#include <string_view>

namespace zarn {

// Reads a decimal number with "." as the decimal point: optional leading
// blanks, an optional sign, digits with an optional fraction (at least one
// digit in all) and an optional exponent ("E", optional sign, digits). The
// whole text must be used. Returns nullopt otherwise, and for a value beyond
// the range of double.
std::optional<double> ReadPointNumber(std::string_view text);

}  // namespace zarn
