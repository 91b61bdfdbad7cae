#include "register/pole_dokladu.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

#include "platform/dataset/dataset.h"
#include "platform/widgets/date_edit.h"
#include "platform/widgets/message_box.h"
#include "platform/win1250.h"
#include "register/cislo_validator.h"

namespace zarn {

TPoleDokladu::TPoleDokladu(QWidget* control, std::string field_name)
    : QObject(control), control_(control), field_name_(std::move(field_name)) {
  if (auto* date = qobject_cast<TDateEdit*>(control)) {
    connect(date, &TDateEdit::Exited, this, &TPoleDokladu::Opustena);
  } else {  // an editable combo box keeps the focus itself, not its line edit
    control->installEventFilter(this);
  }
}

TField* TPoleDokladu::Field() const {
  return DataSet() != nullptr && DataSet()->Active() ? DataSet()->FindField(field_name_) : nullptr;
}

std::string TPoleDokladu::ControlText() const {
  if (auto* edit = qobject_cast<QLineEdit*>(control_)) return ToWin1250(edit->text());
  if (auto* combo = qobject_cast<QComboBox*>(control_)) return ToWin1250(combo->currentText());
  if (auto* date = qobject_cast<TDateEdit*>(control_)) return ToWin1250(date->Edit()->text());
  return {};
}

void TPoleDokladu::Nacti() {
  if (writing_) return;
  const TField* field = Field();
  const bool has_value = field != nullptr && !DataSet()->IsEmpty();
  if (auto* date = qobject_cast<TDateEdit*>(control_)) {
    date->SetDate(has_value && !field->IsNull() ? field->AsDateTime() : 0);
    return;
  }
  const QString text = has_value ? FromWin1250(field->Text()) : QString();
  if (auto* edit = qobject_cast<QLineEdit*>(control_)) {
    edit->setText(text);
    edit->setCursorPosition(0);
  } else if (auto* combo = qobject_cast<QComboBox*>(control_)) {
    combo->setEditText(text);
  }
}

void TPoleDokladu::Uloz() {
  TField* field = Field();
  if (field == nullptr) return;
  const std::string text = ControlText();
  if (text == field->Text()) return;
  RefuseUnfinishedNumber(text);
  // Typing into a posted buffer edits it again, as a data-aware edit does.
  if (DataSet()->State() == dsBrowse) DataSet()->Edit();
  // The field's change event must not put the text back while it is stored.
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{writing_};
  writing_ = true;
  field->SetText(text);
}

// A number field's validator keeps letters out but lets "-" or "12," stand
// while they are typed; left like that, they are refused in Czech before the
// field sees them.
void TPoleDokladu::RefuseUnfinishedNumber(const std::string& text) const {
  const auto* edit = qobject_cast<const QLineEdit*>(control_);
  if (edit == nullptr || qobject_cast<const TCisloValidator*>(edit->validator()) == nullptr) return;
  if (!edit->hasAcceptableInput()) throw EDatabaseError(TCisloValidator::Zprava(text));
}

bool TPoleDokladu::Zapis() {
  try {
    Uloz();
  } catch (const std::exception& error) {
    ShowApplicationError(control_, error.what());
    control_->setFocus();
    return false;
  }
  Nacti();
  return true;
}

// Without an open buffer (the form is hidden) leaving a control means nothing.
void TPoleDokladu::Opustena() {
  if (Field() == nullptr) return;
  if (Zapis() && OnExit) OnExit();
}

void TPoleDokladu::DataEvent(TDataEvent event, TField* field) {
  switch (event) {
    case deFieldChange:
      if (field != nullptr && field == Field()) Nacti();
      break;
    case deUpdateRecord:
      Uloz();  // a refused text abandons the post
      break;
    case deCheckBrowseMode:
      break;
    default:
      Nacti();
  }
}

bool TPoleDokladu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
    Opustena();
  return QObject::eventFilter(watched, event);
}

}  // namespace zarn
