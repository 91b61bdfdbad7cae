#include "platform/widgets/date_edit.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/win1250.h"

namespace zarn {
namespace {

std::optional<TDateTime> ParseDate(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  return TryStrToDate(ToWin1250(trimmed));
}

}  // namespace

TDateEdit::TDateEdit(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), button_(new QToolButton(this)) {
  button_->setText(QStringLiteral("\u25BE"));
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setToolTip(QStringLiteral("Kalendář"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  layout->addWidget(edit_, 1);
  layout->addWidget(button_);
  setFocusProxy(edit_);
  edit_->installEventFilter(this);
  connect(button_, &QToolButton::clicked, this, &TDateEdit::ShowCalendar);
  connect(edit_, &QLineEdit::textChanged, this, [this] {
    MarkValidity();
    if (IsValid()) emit DateChanged(Date());
  });
}

TDateTime TDateEdit::Date() const { return ParseDate(edit_->text()).value_or(0.0); }

void TDateEdit::SetDate(TDateTime value) {
  edit_->setText(value == 0 ? QString() : FromWin1250(DateToStr(value)));
}

bool TDateEdit::IsEmpty() const { return edit_->text().trimmed().isEmpty(); }

bool TDateEdit::IsValid() const { return IsEmpty() || ParseDate(edit_->text()).has_value(); }

void TDateEdit::MarkValidity() {
  const bool invalid = !IsValid();
  if (edit_->property("invalidDate").toBool() == invalid) return;
  edit_->setProperty("invalidDate", invalid);
  edit_->style()->unpolish(edit_);
  edit_->style()->polish(edit_);
}

void TDateEdit::ShowCalendar() {
  auto* popup = new QWidget(this, Qt::Popup);
  popup->setAttribute(Qt::WA_DeleteOnClose);
  calendar_ = new QCalendarWidget(popup);
  calendar_->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
  calendar_->setFirstDayOfWeek(Qt::Monday);
  const TDateTime shown = IsEmpty() || !IsValid() ? zarn::Date() : Date();
  const DateParts parts = DecodeDate(shown);
  calendar_->setSelectedDate(QDate(parts.year, parts.month, parts.day));
  auto* layout = new QVBoxLayout(popup);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->addWidget(calendar_);
  connect(calendar_, &QCalendarWidget::clicked, this, &TDateEdit::CalendarPicked);
  connect(calendar_, &QCalendarWidget::activated, this, &TDateEdit::CalendarPicked);
  connect(popup, &QObject::destroyed, this, [this] { calendar_ = nullptr; });
  popup->move(mapToGlobal(QPoint(0, height())));
  popup->show();
  calendar_->setFocus();
}

void TDateEdit::CalendarPicked(const QDate& date) {
  SetDate(EncodeDate(date.year(), date.month(), date.day()));
  if (calendar_ != nullptr) calendar_->window()->close();
  edit_->setFocus();
}

bool TDateEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && calendar_ == nullptr)
    emit Exited();
  return QWidget::eventFilter(watched, event);
}

}  // namespace zarn
