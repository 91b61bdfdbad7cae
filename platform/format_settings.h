// The process-wide format settings: how dates, times and numbers are written
// and read as text. Initialised once from the workstation's locale; the
// updater switches the short date format around DBF work, and tests set the
// values they need (for example Czech: "d.M.yyyy", ',' and ' ').
#pragma once

#include <array>
#include <string>

namespace zarn {

// Texts are Windows-1250, like every text inside the programs. Date and time
// formats use the classic format letters (d m y h n s z t c, '/' and ':' for the
// separators, quoted literals); letters are case-insensitive.
struct TFormatSettings {
  char DateSeparator = '.';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "d.M.yyyy";
  std::string LongDateFormat = "d. MMMM yyyy";
  std::string ShortTimeFormat = "h:nn";
  std::string LongTimeFormat = "h:nn:ss";
  char DecimalSeparator = ',';
  char ThousandSeparator = ' ';
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::array<std::string, 12> ShortMonthNames;
  std::array<std::string, 12> LongMonthNames;
  std::array<std::string, 7> ShortDayNames;  // Sunday first
  std::array<std::string, 7> LongDayNames;
};

// The settings in force for the whole process.
TFormatSettings& FormatSettings();

// Reads the workstation's locale (QLocale(), the system locale unless a
// default was set) into FormatSettings(). Two-digit years of the
// locale's short date are widened to four so that stored dates stay exact.
void InitFormatSettingsFromLocale();

// Czech settings as on the workstations the programs were designed for.
TFormatSettings CzechFormatSettings();

}  // namespace zarn
