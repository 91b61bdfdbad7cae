// TDateTime: the platform's floating date-time. The integral part counts days
// since 30 December 1899, the fraction is the time of day. The "zero date" is 0.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/format_settings.h"

namespace zarn {

using TDateTime = double;

struct DateParts {
  int year = 1899, month = 12, day = 30;
};
struct TimeParts {
  int hour = 0, minute = 0, second = 0, msec = 0;
};

constexpr double kMSecsPerDay = 86400000.0;

bool IsValidDate(int year, int month, int day);
// Returns nullopt for a date outside 1..9999 or an impossible day.
std::optional<TDateTime> TryEncodeDate(int year, int month, int day);
// Like TryEncodeDate; an invalid date gives 0.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
DateParts DecodeDate(TDateTime value);
TimeParts DecodeTime(TDateTime value);
int DayOfWeek(TDateTime value);  // 1 = Sunday … 7 = Saturday

// Local clock of the workstation.
TDateTime Now();
TDateTime Date();

// Formats with the classic letters: d dd ddd dddd ddddd dddddd, m mm mmm mmmm
// (minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz, t tt, c,
// am/pm, '/' and ':' for the separators and '…' or "…" for literal text.
std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& settings = FormatSettings());

std::string DateToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());
std::string TimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());
// Date, then the long time unless the time is midnight.
std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());

// Reads a date written in the short date format: the day, month and year in
// the format's order, separated by the date separator; a missing year is the
// current one and a two-digit year falls in the 50-year window around today.
std::optional<TDateTime> TryStrToDate(std::string_view text,
                                      const TFormatSettings& settings = FormatSettings());
// Hours and minutes, optional seconds and milliseconds, optional AM/PM.
std::optional<TDateTime> TryStrToTime(std::string_view text,
                                      const TFormatSettings& settings = FormatSettings());
// A date, optionally followed by a blank and a time.
std::optional<TDateTime> TryStrToDateTime(std::string_view text,
                                          const TFormatSettings& settings = FormatSettings());

}  // namespace zarn
