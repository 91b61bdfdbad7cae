#include "platform/widgets/enter_as_tab.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace zarn {
namespace {

bool IsEditField(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QComboBox*>(widget) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

}  // namespace

TEnterAsTab::TEnterAsTab(QWidget* window) : QObject(window), window_(window) {
  qApp->installEventFilter(this);
}

bool TEnterAsTab::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  if (key->modifiers() & ~Qt::KeypadModifier) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget != QApplication::focusWidget() || widget->window() != window_ ||
      !IsEditField(widget))
    return false;
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(widget, &tab);
  return true;
}

}  // namespace zarn
