#include "platform/format_settings.h"

#include <QLocale>
#include <cctype>

#include "platform/win1250.h"

namespace zarn {
namespace {

// Qt's date/time pattern letters to the classic ones: minutes are 'n', the
// hour is 'h' in either clock, and a lone "yy" year becomes "yyyy".
std::string FromQtPattern(const QString& pattern) {
  std::string out;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == 'm') out += 'n';
    else if (c == 'H') out += 'h';
    else if (c == 'A' || c == 'a') out += "ampm", i += (i + 1 < pattern.size() && pattern[i + 1].toLower() == 'p') ? 1 : 0;
    else out += ToWin1250(QString(c));
  }
  if (out.find("yyyy") == std::string::npos) {
    auto pos = out.find("yy");
    if (pos != std::string::npos) out.replace(pos, 2, "yyyy");
  }
  return out;
}

char FirstSeparator(const std::string& format, char fallback) {
  for (char c : format)
    if (!std::isalpha(static_cast<unsigned char>(c)) && c != ' ' && c != '\'' && c != '"') return c;
  return fallback;
}

// The short date is stored in INI files and read back, so it must be all
// numbers with a real separator: a month written as a name ("11 Dec 2026" in
// the C locale) becomes its number, and blanks between the parts become dots.
std::string NumericShortDate(const std::string& format) {
  std::string out;
  for (size_t i = 0; i < format.size();) {
    size_t run = 0;
    while (i + run < format.size() && (format[i + run] == 'M' || format[i + run] == 'm')) ++run;
    if (run >= 3) {
      out += 'M';
      i += run;
    } else if (run > 0) {
      out.append(format, i, run);
      i += run;
    } else {
      out += format[i] == ' ' ? '.' : format[i];
      ++i;
    }
  }
  return out;
}

void FillNames(TFormatSettings& s, const QLocale& locale) {
  for (int m = 1; m <= 12; ++m) {
    s.ShortMonthNames[m - 1] = ToWin1250(locale.monthName(m, QLocale::ShortFormat));
    s.LongMonthNames[m - 1] = ToWin1250(locale.monthName(m, QLocale::LongFormat));
  }
  for (int d = 0; d < 7; ++d) {
    const int qt_day = d == 0 ? 7 : d;  // Qt counts Monday = 1 … Sunday = 7
    s.ShortDayNames[d] = ToWin1250(locale.dayName(qt_day, QLocale::ShortFormat));
    s.LongDayNames[d] = ToWin1250(locale.dayName(qt_day, QLocale::LongFormat));
  }
}

TFormatSettings FromLocale(const QLocale& locale) {
  TFormatSettings s;
  s.ShortDateFormat = NumericShortDate(FromQtPattern(locale.dateFormat(QLocale::ShortFormat)));
  s.LongDateFormat = FromQtPattern(locale.dateFormat(QLocale::LongFormat));
  s.ShortTimeFormat = FromQtPattern(locale.timeFormat(QLocale::ShortFormat));
  s.LongTimeFormat = FromQtPattern(locale.timeFormat(QLocale::LongFormat));
  // Qt's long time format carries the zone ("t"); the classic one does not.
  for (auto* f : {&s.LongTimeFormat, &s.ShortTimeFormat}) {
    auto pos = f->find(" t");
    if (pos != std::string::npos) f->erase(pos, 2);
  }
  s.DateSeparator = FirstSeparator(s.ShortDateFormat, '/');
  s.TimeSeparator = FirstSeparator(s.LongTimeFormat, ':');
  s.DecimalSeparator = ToWin1250(locale.decimalPoint()).front();
  const std::string group = ToWin1250(locale.groupSeparator());
  s.ThousandSeparator = group.empty() ? ' ' : group.front();
  s.TimeAMString = ToWin1250(locale.amText());
  s.TimePMString = ToWin1250(locale.pmText());
  FillNames(s, locale);
  return s;
}

}  // namespace

TFormatSettings& FormatSettings() {
  static TFormatSettings settings = CzechFormatSettings();
  return settings;
}

void InitFormatSettingsFromLocale() { FormatSettings() = FromLocale(QLocale()); }

TFormatSettings CzechFormatSettings() {
  TFormatSettings s;
  FillNames(s, QLocale(QLocale::Czech, QLocale::CzechRepublic));
  return s;
}

}  // namespace zarn
