// TCisloValidator keeps letters and other stray characters out of the record
// form's number fields ("Množství", "Poplatek"): the person can type only a
// number as the workstation writes it, an optional minus, digits and one
// decimal separator of FormatSettings(). The separator is read at every
// check, so a changed number format takes effect at once.
#pragma once

#include <QValidator>
#include <string>

namespace zarn {

class TCisloValidator : public QValidator {
  Q_OBJECT

 public:
  explicit TCisloValidator(QObject* parent = nullptr) : QValidator(parent) {}

  // Acceptable: empty (it counts as 0) or [-]digits[<separator>digits].
  // Intermediate: a beginning of such a number ("-", "12,"). Anything else
  // is Invalid, and the line edit refuses the keystroke or the paste.
  State validate(QString& input, int& pos) const override;

  // The Czech message for a text that is not a whole number yet, such as
  // "-" or "12," left in the field (Windows-1250).
  static std::string Zprava(const std::string& text);
};

}  // namespace zarn
