#include "platform/widgets/form_storage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWidget>
#include <optional>

#include "platform/ini_file.h"
#include "platform/widgets/message_box.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

struct PropertyRef {
  std::string control;
  std::string property;
};

std::optional<PropertyRef> SplitProp(const std::string& entry) {
  const size_t dot = entry.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == entry.size()) return std::nullopt;
  return PropertyRef{entry.substr(0, dot), entry.substr(dot + 1)};
}

bool SameNoCase(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

// The property's value as stored text, or nullopt when the control does not
// have that property.
std::optional<QString> ReadProperty(QObject* control, const std::string& property) {
  if (property == "Text") {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
    if (auto* box = qobject_cast<QPlainTextEdit*>(control)) return box->toPlainText();
  } else if (property == "Checked") {
    if (auto* button = qobject_cast<QAbstractButton*>(control))
      return button->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
  } else if (property == "Caption") {
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
  }
  return std::nullopt;
}

// Puts stored text back into the control. A "Checked" text other than
// "True" or "False" (in any case) leaves the check box as it is.
void WriteProperty(QObject* control, const std::string& property, const QString& value) {
  if (property == "Text") {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(control)) combo->setCurrentText(value);
    else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) box->setPlainText(value);
  } else if (property == "Checked") {
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (button == nullptr) return;
    if (SameNoCase(value, "True")) button->setChecked(true);
    else if (SameNoCase(value, "False")) button->setChecked(false);
  } else if (property == "Caption") {
    if (auto* label = qobject_cast<QLabel*>(control)) label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(value);
    else if (auto* group = qobject_cast<QGroupBox*>(control)) group->setTitle(value);
  }
}

std::string ClassNameWithoutNamespace(const QObject* object) {
  const std::string name = object->metaObject()->className();
  const size_t colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

bool Resizable(const QWidget* window) { return window->minimumSize() != window->maximumSize(); }

void RestorePlacement(QWidget* window, const TIniFile& ini, const std::string& section) {
  const int missing = -32768;
  const int left = ini.ReadInteger(section, "Left", missing);
  const int top = ini.ReadInteger(section, "Top", missing);
  if (left == missing || top == missing) return;
  QSize size = window->size();
  if (Resizable(window))
    size = QSize(ini.ReadInteger(section, "Width", size.width()), ini.ReadInteger(section, "Height", size.height()));
  const QRect wanted(QPoint(left, top), size);
  // A place that no screen shows any more (a monitor was removed) is not kept.
  if (QApplication::screenAt(wanted.center()) == nullptr) return;
  window->resize(size);
  window->move(wanted.topLeft());
}

bool SavePlacement(const QWidget* window, TIniFile& ini, const std::string& section) {
  bool ok = ini.WriteInteger(section, "Left", window->x()) && ini.WriteInteger(section, "Top", window->y());
  if (ok && Resizable(window))
    ok = ini.WriteInteger(section, "Width", window->width()) && ini.WriteInteger(section, "Height", window->height());
  return ok;
}

}  // namespace

std::string StorageKey(const std::string& control, const std::string& property) {
  return control + "_" + property;
}

TFormStorage::TFormStorage(QWidget* form, std::string ini_file_name)
    : QObject(form), form_(form), ini_file_name_(std::move(ini_file_name)),
      section_(ClassNameWithoutNamespace(form)) {
  form->installEventFilter(this);
}

void TFormStorage::RestoreFormPlacement() {
  const TIniFile ini(ini_file_name_);
  for (const std::string& entry : StoredProps) {
    const auto ref = SplitProp(entry);
    QObject* control = ref ? form_->findChild<QObject*>(QString::fromStdString(ref->control)) : nullptr;
    if (control == nullptr) continue;
    const std::string key = StorageKey(ref->control, ref->property);
    if (!ini.ValueExists(section_, key)) continue;
    WriteProperty(control, ref->property, FromWin1250(ini.ReadString(section_, key, "")));
  }
  if (StorePlacement) RestorePlacement(form_, ini, section_);
}

bool TFormStorage::SaveFormPlacement() {
  TIniFile ini(ini_file_name_);
  bool ok = true;
  for (const std::string& entry : StoredProps) {
    const auto ref = SplitProp(entry);
    QObject* control = ref ? form_->findChild<QObject*>(QString::fromStdString(ref->control)) : nullptr;
    if (control == nullptr) continue;
    const auto value = ReadProperty(control, ref->property);
    if (!value) continue;
    ok = ini.WriteString(section_, StorageKey(ref->control, ref->property), ToWin1250(*value)) && ok;
  }
  if (StorePlacement) ok = SavePlacement(form_, ini, section_) && ok;
  return ok;
}

bool TFormStorage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == form_ && !event->spontaneous()) {
    if (event->type() == QEvent::Show) RestoreFormPlacement();
    else if (event->type() == QEvent::Hide && !SaveFormPlacement())
      ShowApplicationError(form_, Utf8ToWin1250("Nelze zapsat do souboru ") + ini_file_name_);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zarn
