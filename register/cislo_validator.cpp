#include "register/cislo_validator.h"

#include "platform/format_settings.h"
#include "platform/win1250.h"

namespace zarn {

QValidator::State TCisloValidator::validate(QString& input, int& /*pos*/) const {
  const QChar separator = QLatin1Char(FormatSettings().DecimalSeparator);
  qsizetype i = input.startsWith(QLatin1Char('-')) ? 1 : 0;
  qsizetype whole = 0;
  while (i < input.size() && input[i].isDigit() && input[i].unicode() < 128) ++i, ++whole;
  qsizetype fraction = 0;
  const bool has_separator = i < input.size() && input[i] == separator;
  if (has_separator) {
    ++i;
    while (i < input.size() && input[i].isDigit() && input[i].unicode() < 128) ++i, ++fraction;
  }
  if (i < input.size()) return Invalid;
  if (input.isEmpty()) return Acceptable;
  if (whole == 0 || (has_separator && fraction == 0)) return Intermediate;
  return Acceptable;
}

std::string TCisloValidator::Zprava(const std::string& text) {
  const std::string priklad = std::string("12") + FormatSettings().DecimalSeparator + "5";
  return Utf8ToWin1250("Hodnota \"") + text + Utf8ToWin1250("\" není číslo. Zadejte číslo, např. ") + priklad + ".";
}

}  // namespace zarn
