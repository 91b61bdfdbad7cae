// TEnterAsTab: in the edit fields of one window, Enter moves the focus to the
// next field, as Tab does. Buttons keep Enter (it presses them) and multi-line
// text boxes keep it (it starts a new line).
#pragma once

#include <QObject>

class QWidget;

namespace zarn {

class TEnterAsTab : public QObject {
  Q_OBJECT

 public:
  // Works for every edit field inside `window`, present or added later;
  // `window` owns the object.
  explicit TEnterAsTab(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
};

}  // namespace zarn
