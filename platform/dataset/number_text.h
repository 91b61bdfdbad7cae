// Numbers as text in the workstation's format: the classic FloatToStr (15
// significant digits, the decimal separator of the settings, "1E20" style
// exponents) and the strict readers that field and variant conversions use.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/format_settings.h"

namespace zarn {

// Shortest text of the value with at most 15 significant digits; exponent
// form only below 1E-4 or from 1E15 on.
std::string FloatToStr(double value, const TFormatSettings& settings = FormatSettings());
// The same with at most `precision` significant digits (1 to 17).
std::string FloatToStrPrecision(double value, int precision, const TFormatSettings& settings = FormatSettings());

// Formats with a numeric picture: '0' digit, '#' optional digit, '.' the
// decimal separator, ',' thousands grouping, "…" or '…' literal text, and up
// to three sections "positive;negative;zero". An empty picture is FloatToStr.
std::string FormatFloat(std::string_view picture, double value,
                        const TFormatSettings& settings = FormatSettings());

// Blanks around the number are allowed; anything else that is not part of the
// number makes the result nullopt. The decimal separator is the settings'.
std::optional<double> TryStrToFloat(std::string_view text, const TFormatSettings& settings = FormatSettings());
std::optional<int32_t> TryStrToInt(std::string_view text);
std::optional<int64_t> TryStrToInt64(std::string_view text);

}  // namespace zarn
