// The number fields' validator under both decimal separators: the separator
// of the workstation's format is the only one taken.
#include "register/cislo_validator.h"

#include <gtest/gtest.h>

#include "platform/format_settings.h"

namespace zarn {
namespace {

TEST(TCisloValidator, TakesOnlyNumbersInTheWorkstationsFormat) {
  const TFormatSettings saved = FormatSettings();
  const struct {
    char separator;
    const char* text;
    QValidator::State state;
  } cases[] = {
      {',', "", QValidator::Acceptable},      {',', "12", QValidator::Acceptable},
      {',', "-3,5", QValidator::Acceptable},  {',', "0,25", QValidator::Acceptable},
      {',', "-", QValidator::Intermediate},   {',', "12,", QValidator::Intermediate},
      {',', ",5", QValidator::Intermediate},  {',', "12.5", QValidator::Invalid},
      {',', "1,2,3", QValidator::Invalid},    {',', "12a", QValidator::Invalid},
      {',', "1e5", QValidator::Invalid},      {',', " 1", QValidator::Invalid},
      {',', "--1", QValidator::Invalid},      {',', "1-", QValidator::Invalid},
      {',', "1 000", QValidator::Invalid},    {',', "\xd9\xa3", QValidator::Invalid},  // Arabic-Indic three
      {'.', "12.5", QValidator::Acceptable},  {'.', "12,5", QValidator::Invalid},
      {'.', "12.", QValidator::Intermediate},
  };
  const TCisloValidator validator;
  for (const auto& c : cases) {
    FormatSettings().DecimalSeparator = c.separator;
    QString text = QString::fromUtf8(c.text);
    int pos = 0;
    EXPECT_EQ(validator.validate(text, pos), c.state) << c.separator << " " << c.text;
  }
  FormatSettings() = saved;
}

TEST(TCisloValidator, MessageShowsTheWorkstationsSeparator) {
  const TFormatSettings saved = FormatSettings();
  FormatSettings().DecimalSeparator = '.';
  EXPECT_NE(TCisloValidator::Zprava("-").find("12.5"), std::string::npos);
  FormatSettings() = saved;
}

}  // namespace
}  // namespace zarn
