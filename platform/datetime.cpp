#include "platform/datetime.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace zarn {
namespace {

// Days from 1 January 1970 for a proleptic Gregorian date (H. Hinnant).
constexpr long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

DateParts CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// 30 December 1899, day 0 of TDateTime, counted from 1 January 1970.
// constexpr, so that dates encoded while other files initialise their statics
// are right too.
constexpr long long kEpochOffset = DaysFromCivil(1899, 12, 30);

// Splits a date-time into whole days and milliseconds of the day. Negative
// values keep the time of day as the absolute fraction, as the platform does.
void SplitDateTime(TDateTime value, long long* days, long long* msecs) {
  if (value >= 0) {
    const long long total = std::llround(value * kMSecsPerDay);
    *days = total / static_cast<long long>(kMSecsPerDay);
    *msecs = total % static_cast<long long>(kMSecsPerDay);
  } else {
    *days = static_cast<long long>(std::trunc(value));
    *msecs = std::llround(std::fabs(value - std::trunc(value)) * kMSecsPerDay);
    if (*msecs >= kMSecsPerDay) *msecs = static_cast<long long>(kMSecsPerDay) - 1;
  }
}

std::string Pad(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

size_t RunLength(std::string_view f, size_t i) {
  const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(f[i])));
  size_t n = 0;
  while (i + n < f.size() && std::tolower(static_cast<unsigned char>(f[i + n])) == c) ++n;
  return n;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

bool UsesTwelveHourClock(std::string_view f) {
  for (size_t i = 0; i < f.size(); ++i)
    if (StartsWithNoCase(f.substr(i), "am/pm") || StartsWithNoCase(f.substr(i), "a/p") ||
        StartsWithNoCase(f.substr(i), "ampm"))
      return true;
  return false;
}

class DateTimeWriter {
 public:
  DateTimeWriter(TDateTime value, const TFormatSettings& s) : value_(value), s_(s) {
    long long days, msecs;
    SplitDateTime(value, &days, &msecs);
    date_ = CivilFromDays(days + kEpochOffset);
    time_ = {static_cast<int>(msecs / 3600000), static_cast<int>(msecs / 60000 % 60),
             static_cast<int>(msecs / 1000 % 60), static_cast<int>(msecs % 1000)};
  }

  void Write(std::string_view f, int depth) {
    const bool twelve = UsesTwelveHourClock(f);
    char last_letter = 0;
    for (size_t i = 0; i < f.size();) {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(f[i])));
      size_t n = std::isalpha(static_cast<unsigned char>(c)) ? RunLength(f, i) : 1;
      switch (c) {
        case '"': case '\'': {
          size_t end = f.find(f[i], i + 1);
          if (end == std::string_view::npos) end = f.size();
          out_.append(f.substr(i + 1, end - i - 1));
          n = end - i + 1;
          break;
        }
        case 'c':
          n = 1;
          Nested(s_.ShortDateFormat, depth);
          if (time_.hour || time_.minute || time_.second || time_.msec) {
            out_ += ' ';
            Nested(s_.LongTimeFormat, depth);
          }
          break;
        case 'd': WriteDay(n, depth); break;
        case 'm':
          if (last_letter == 'h') {
            n = std::min<size_t>(n, 2);
            out_ += Pad(time_.minute, static_cast<int>(n));
          } else {
            n = std::min<size_t>(n, 4);
            WriteMonth(n);
          }
          break;
        case 'y': out_ += n <= 2 ? Pad(date_.year % 100, 2) : Pad(date_.year, 4); break;
        case 'h': {
          n = std::min<size_t>(n, 2);
          int hour = time_.hour;
          if (twelve) hour = hour % 12 == 0 ? 12 : hour % 12;
          out_ += Pad(hour, static_cast<int>(n));
          break;
        }
        case 'n': n = std::min<size_t>(n, 2); out_ += Pad(time_.minute, static_cast<int>(n)); break;
        case 's': n = std::min<size_t>(n, 2); out_ += Pad(time_.second, static_cast<int>(n)); break;
        case 'z': n = n >= 3 ? 3 : 1; out_ += Pad(time_.msec, static_cast<int>(n)); break;
        case 't':
          n = std::min<size_t>(n, 2);
          Nested(n == 1 ? s_.ShortTimeFormat : s_.LongTimeFormat, depth);
          break;
        case 'a': n = WriteAmPm(f.substr(i)); break;
        case '/': out_ += s_.DateSeparator; break;
        case ':': out_ += s_.TimeSeparator; break;
        default: out_.append(f.substr(i, n)); break;
      }
      if (std::isalpha(static_cast<unsigned char>(c))) last_letter = c;
      i += n;
    }
  }

  std::string Result() { return std::move(out_); }

 private:
  void Nested(const std::string& format, int depth) {
    if (depth < 2) Write(format, depth + 1);
  }

  void WriteDay(size_t& n, int depth) {
    if (n >= 6) { n = 6; Nested(s_.LongDateFormat, depth); return; }
    if (n == 5) { Nested(s_.ShortDateFormat, depth); return; }
    const int weekday = DayOfWeek(value_) - 1;
    if (n == 4) out_ += s_.LongDayNames[weekday];
    else if (n == 3) out_ += s_.ShortDayNames[weekday];
    else out_ += Pad(date_.day, static_cast<int>(n));
  }

  void WriteMonth(size_t n) {
    if (n == 4) out_ += s_.LongMonthNames[date_.month - 1];
    else if (n == 3) out_ += s_.ShortMonthNames[date_.month - 1];
    else out_ += Pad(date_.month, static_cast<int>(n));
  }

  size_t WriteAmPm(std::string_view f) {
    const bool pm = time_.hour >= 12;
    if (StartsWithNoCase(f, "am/pm")) { out_ += pm ? "pm" : "am"; return 5; }
    if (StartsWithNoCase(f, "a/p")) { out_ += pm ? 'p' : 'a'; return 3; }
    if (StartsWithNoCase(f, "ampm")) { out_ += pm ? s_.TimePMString : s_.TimeAMString; return 4; }
    out_ += f[0];
    return 1;
  }

  TDateTime value_;
  const TFormatSettings& s_;
  DateParts date_;
  TimeParts time_;
  std::string out_;
};

// A cursor over text being parsed as a date or a time.
struct Scanner {
  std::string_view text;
  size_t pos = 0;

  void SkipBlanks() {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  }
  // Reads up to 4 (or max_digits) decimal digits; digits counts them.
  bool Number(int* value, int* digits, int max_digits = 4) {
    SkipBlanks();
    *value = 0;
    *digits = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) && *digits < max_digits) {
      *value = *value * 10 + (text[pos++] - '0');
      ++*digits;
    }
    return *digits > 0;
  }
  bool Char(char c) {
    SkipBlanks();
    if (pos < text.size() && text[pos] == c) { ++pos; return true; }
    return false;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos == text.size();
  }
};

int ExpandYear(int year, int digits) {
  if (digits > 2) return year;
  const int current = DecodeDate(Date()).year;
  const int window_start = current - 50;
  int full = window_start / 100 * 100 + year;
  if (full < window_start) full += 100;
  return full;
}

// Order of day, month and year in a short date format: "DMY", "MDY" or "YMD".
std::string DateOrder(const std::string& format) {
  for (char ch : format) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (c == 'D') return "DMY";
    if (c == 'Y') return "YMD";
    if (c == 'M') return "MDY";
  }
  return "MDY";
}

std::optional<TDateTime> ScanDate(Scanner& sc, const TFormatSettings& s) {
  int n[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
  if (!sc.Number(&n[0], &digits[0]) || !sc.Char(s.DateSeparator) || !sc.Number(&n[1], &digits[1]))
    return std::nullopt;
  int count = 2;
  if (sc.Char(s.DateSeparator)) {
    if (!sc.Number(&n[2], &digits[2])) return std::nullopt;
    count = 3;
  }
  const std::string order = DateOrder(s.ShortDateFormat);
  int year, month, day;
  int year_digits = 4;
  if (count == 2) {
    year = DecodeDate(Date()).year;
    if (order == "MDY") month = n[0], day = n[1];
    else if (order == "DMY") day = n[0], month = n[1];
    else month = n[0], day = n[1];
  } else if (order == "MDY") {
    month = n[0], day = n[1], year = n[2], year_digits = digits[2];
  } else if (order == "DMY") {
    day = n[0], month = n[1], year = n[2], year_digits = digits[2];
  } else {
    year = n[0], month = n[1], day = n[2], year_digits = digits[0];
  }
  return TryEncodeDate(ExpandYear(year, year_digits), month, day);
}

std::optional<TDateTime> ScanTime(Scanner& sc, const TFormatSettings& s) {
  int hour, minute, second = 0, msec = 0, digits;
  if (!sc.Number(&hour, &digits, 2) || !sc.Char(s.TimeSeparator) || !sc.Number(&minute, &digits, 2))
    return std::nullopt;
  if (sc.Char(s.TimeSeparator)) {
    if (!sc.Number(&second, &digits, 2)) return std::nullopt;
    if (sc.Char(s.DecimalSeparator) && !sc.Number(&msec, &digits, 3)) return std::nullopt;
  }
  sc.SkipBlanks();
  const std::string_view rest = sc.text.substr(sc.pos);
  for (const auto& [marker, pm] : {std::pair{s.TimeAMString, false}, std::pair{s.TimePMString, true},
                                   std::pair{std::string("AM"), false}, std::pair{std::string("PM"), true}}) {
    if (!marker.empty() && StartsWithNoCase(rest, marker)) {
      if (hour > 12 || hour == 0) return std::nullopt;
      if (pm && hour < 12) hour += 12;
      if (!pm && hour == 12) hour = 0;
      sc.pos += marker.size();
      break;
    }
  }
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return EncodeTime(hour, minute, second, msec);
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) return std::nullopt;
  return static_cast<TDateTime>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                                kEpochOffset);
}

TDateTime EncodeDate(int year, int month, int day) { return TryEncodeDate(year, month, day).value_or(0); }

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMSecsPerDay;
}

DateParts DecodeDate(TDateTime value) {
  long long days, msecs;
  SplitDateTime(value, &days, &msecs);
  return CivilFromDays(days + kEpochOffset);
}

TimeParts DecodeTime(TDateTime value) {
  long long days, msecs;
  SplitDateTime(value, &days, &msecs);
  return {static_cast<int>(msecs / 3600000), static_cast<int>(msecs / 60000 % 60), static_cast<int>(msecs / 1000 % 60),
          static_cast<int>(msecs % 1000)};
}

int DayOfWeek(TDateTime value) {
  long long days, msecs;
  SplitDateTime(value, &days, &msecs);
  // Day 0 (30 December 1899) was a Saturday.
  return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const int msec = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, msec);
}

TDateTime Date() { return std::trunc(Now()); }

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings) {
  DateTimeWriter writer(value, settings);
  writer.Write(format.empty() ? std::string_view("c") : format, 0);
  return writer.Result();
}

std::string DateToStr(TDateTime value, const TFormatSettings& s) { return FormatDateTime("ddddd", value, s); }
std::string TimeToStr(TDateTime value, const TFormatSettings& s) { return FormatDateTime("tt", value, s); }
std::string DateTimeToStr(TDateTime value, const TFormatSettings& s) { return FormatDateTime("c", value, s); }

std::optional<TDateTime> TryStrToDate(std::string_view text, const TFormatSettings& s) {
  Scanner sc{text};
  auto date = ScanDate(sc, s);
  if (!date || !sc.AtEnd()) return std::nullopt;
  return date;
}

std::optional<TDateTime> TryStrToTime(std::string_view text, const TFormatSettings& s) {
  Scanner sc{text};
  auto time = ScanTime(sc, s);
  if (!time || !sc.AtEnd()) return std::nullopt;
  return time;
}

std::optional<TDateTime> TryStrToDateTime(std::string_view text, const TFormatSettings& s) {
  Scanner sc{text};
  auto date = ScanDate(sc, s);
  if (!date) {
    sc.pos = 0;
    auto time = ScanTime(sc, s);
    return time && sc.AtEnd() ? time : std::nullopt;
  }
  if (sc.AtEnd()) return date;
  auto time = ScanTime(sc, s);
  if (!time || !sc.AtEnd()) return std::nullopt;
  return *date + *time;
}

}  // namespace zarn
