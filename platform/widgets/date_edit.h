// TDateEdit: a date field with a calendar drop-down. The text is a date in the
// process-wide short date format; the value is a TDateTime whose zero date
// stands for "no date" and shows as an empty field. Text that is not a date
// stays in the field (nothing typed is thrown away) and is marked until it is
// corrected.
#pragma once

#include <QWidget>

#include "platform/datetime.h"

class QCalendarWidget;
class QLineEdit;
class QToolButton;

namespace zarn {

class TDateEdit : public QWidget {
  Q_OBJECT

 public:
  explicit TDateEdit(QWidget* parent = nullptr);

  // The date of the text; 0 when the field is empty or does not hold a date.
  TDateTime Date() const;
  // Shows `value` in the short date format; 0 empties the field.
  void SetDate(TDateTime value);
  bool IsEmpty() const;
  // False while the text is neither empty nor a date.
  bool IsValid() const;

  QLineEdit* Edit() const { return edit_; }
  QToolButton* Button() const { return button_; }
  // Opens the calendar on the field's date (today for an empty field).
  void ShowCalendar();
  // The calendar of the open drop-down, else null.
  QCalendarWidget* Calendar() const { return calendar_; }

 signals:
  void DateChanged(TDateTime value);
  // The focus went from the field to another control (not to the drop-down).
  void Exited();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CalendarPicked(const QDate& date);
  void MarkValidity();

  QLineEdit* edit_;
  QToolButton* button_;
  QCalendarWidget* calendar_ = nullptr;
};

}  // namespace zarn
