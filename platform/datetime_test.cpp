#include "platform/datetime.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace zarn {
namespace {

TFormatSettings Czech() {
  TFormatSettings s = CzechFormatSettings();
  s.ShortDateFormat = "d.M.yyyy";
  s.LongTimeFormat = "h:nn:ss";
  s.DateSeparator = '.';
  return s;
}

TEST(DateTime, EncodesDaysSinceTheEndOf1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(1999, 11, 11), 36475);
  EXPECT_EQ(EncodeDate(2024, 2, 29), 45351);
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29));
  EXPECT_FALSE(TryEncodeDate(2024, 13, 1));
  const DateParts d = DecodeDate(45351.75);
  EXPECT_EQ(d.year, 2024);
  EXPECT_EQ(d.month, 2);
  EXPECT_EQ(d.day, 29);
  EXPECT_EQ(DecodeTime(45351.75).hour, 18);
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 11)), 6);  // a Friday
}

TEST(DateTime, FormatsWithTheClassicLetters) {
  const TFormatSettings cz = Czech();
  const TDateTime t = EncodeDate(2006, 3, 5) + EncodeTime(14, 3, 9, 0);
  struct Case { const char* format; const char* text; } cases[] = {
      {"yyyy-mm-dd hh:nn:ss", "2006-03-05 14:03:09"},
      {"yymmddhhnnss", "060305140309"},
      {"dd.mm.yyyy", "05.03.2006"},
      {"d.m.yy", "5.3.06"},
      {"hh:mm", "14:03"},  // minutes right after an hour
      {"ddddd", "5.3.2006"},
      {"c", "5.3.2006 14:03:09"},
      {"'rok' yyyy", "rok 2006"},
      {"h:nn am/pm", "2:03 pm"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, t, cz), c.text) << c.format;
  EXPECT_EQ(DateTimeToStr(EncodeDate(2006, 3, 5), cz), "5.3.2006");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", 0, cz), "1899-12-30 00:00:00");
}

TEST(DateTime, ReadsDatesInTheShortFormatOnly) {
  const TFormatSettings cz = Czech();
  EXPECT_EQ(TryStrToDate("11.12.2026", cz), EncodeDate(2026, 12, 11));
  EXPECT_EQ(TryStrToDate(" 1.2.2003 ", cz), EncodeDate(2003, 2, 1));
  EXPECT_FALSE(TryStrToDate("2026-12-11", cz));
  EXPECT_FALSE(TryStrToDate("31.2.2026", cz));
  EXPECT_FALSE(TryStrToDate("11.12.2026x", cz));
  EXPECT_FALSE(TryStrToDate("", cz));

  TFormatSettings iso = cz;
  iso.ShortDateFormat = "yyyy-MM-dd";
  iso.DateSeparator = '-';
  EXPECT_EQ(TryStrToDate("2026-12-11", iso), EncodeDate(2026, 12, 11));
  EXPECT_FALSE(TryStrToDate("11.12.2026", iso));

  EXPECT_EQ(TryStrToDateTime("5.3.2006 14:03:09", cz), EncodeDate(2006, 3, 5) + EncodeTime(14, 3, 9, 0));
  EXPECT_EQ(TryStrToTime("7:05", cz), EncodeTime(7, 5, 0, 0));
  EXPECT_FALSE(TryStrToTime("25:00", cz));
}

TEST(DateTime, DateToStrAndBackIsExactInEveryFormat) {
  TFormatSettings us = Czech();
  us.ShortDateFormat = "M/d/yyyy";
  us.DateSeparator = '/';
  for (const TFormatSettings& s : {Czech(), us}) {
    const TDateTime d = EncodeDate(2026, 1, 31);
    EXPECT_EQ(TryStrToDate(DateToStr(d, s), s), d) << s.ShortDateFormat;
  }
}

TEST(DateTime, LocaleShortDateIsNumericSoMarkersReadBack) {
  const TFormatSettings saved = FormatSettings();
  for (const char* name : {"C", "cs_CZ", "en_US", "de_DE"}) {
    QLocale::setDefault(QLocale(name));
    InitFormatSettingsFromLocale();
    const TFormatSettings& s = FormatSettings();
    const TDateTime d = EncodeDate(2026, 12, 11);
    EXPECT_EQ(TryStrToDate(DateToStr(d, s), s), d) << name << ": " << s.ShortDateFormat;
  }
  QLocale::setDefault(QLocale::c());
  FormatSettings() = saved;
}

}  // namespace
}  // namespace zarn
