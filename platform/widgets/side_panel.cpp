#include "platform/widgets/side_panel.h"

#include <QEvent>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/win1250.h"

namespace zarn {
namespace {
constexpr int kSlideIntervalMs = 10;
}  // namespace

TSidePanel::TSidePanel(Edge edge, const std::string& title, QWidget* parent)
    : QFrame(parent), edge_(edge), header_(new QWidget(this)), content_(new QWidget(this)),
      pin_(new QToolButton(header_)) {
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  auto* caption = new QLabel(FromWin1250(title), header_);
  caption->setProperty("skinRole", QStringLiteral("caption"));
  pin_->setCheckable(true);
  pin_->setText(QStringLiteral("\u25CF"));
  pin_->setToolTip(QStringLiteral("Připnout panel"));
  connect(pin_, &QToolButton::toggled, this, [this](bool pinned) {
    if (!pinned && !underMouse()) Push();
  });
  auto* header_layout = new QHBoxLayout(header_);
  header_layout->setContentsMargins(0, 0, 0, 0);
  header_layout->addWidget(caption, 1);
  header_layout->addWidget(pin_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(header_);
  layout->addWidget(content_, 1);
  slide_timer_.setInterval(kSlideIntervalMs);
  connect(&slide_timer_, &QTimer::timeout, this, &TSidePanel::SlideStep);
  parent->installEventFilter(this);
  SetCurrentWidth(kBarWidth);
}

void TSidePanel::Pop(bool animate) {
  raise();
  SlideTo(pop_width_, animate);
}

void TSidePanel::Push(bool animate) { SlideTo(kBarWidth, animate); }

// Sets the width to reach and goes there at once, or starts the steps.
void TSidePanel::SlideTo(int target, bool animate) {
  target_ = target;
  if (animate && step_ > 0) {
    slide_timer_.start();
    return;
  }
  slide_timer_.stop();
  SetCurrentWidth(target_);
  if (target_ > kBarWidth) emit Poped();
  else emit Pushed();
}

void TSidePanel::SetStayOn(bool pinned) { pin_->setChecked(pinned); }

bool TSidePanel::StayOn() const { return pin_->isChecked(); }

// One step of a slide towards target_; the last step lands exactly on it.
void TSidePanel::SlideStep() {
  const int next = width_ < target_ ? std::min(width_ + step_, target_) : std::max(width_ - step_, target_);
  SetCurrentWidth(next);
  if (width_ != target_) return;
  slide_timer_.stop();
  if (target_ > kBarWidth) emit Poped();
  else emit Pushed();
}

void TSidePanel::SetCurrentWidth(int pixels) {
  width_ = pixels;
  const bool open = width_ > kBarWidth;
  header_->setVisible(open);
  content_->setVisible(open);
  setFrameShape(open ? QFrame::Box : QFrame::NoFrame);
  PlaceAtEdge();
  update();
}

// A panel wider than its parent is cut to the parent's width, so that its
// far side (with the list's first columns) is never pushed off the window.
void TSidePanel::PlaceAtEdge() {
  const QWidget* area = parentWidget();
  const int shown = std::min(width_, std::max(area->width(), kBarWidth));
  const int x = edge_ == Edge::Left ? 0 : area->width() - shown;
  setGeometry(x, 0, shown, area->height());
}

bool TSidePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) PlaceAtEdge();
  return QFrame::eventFilter(watched, event);
}

void TSidePanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !Popped()) Pop();
  QFrame::mousePressEvent(event);
}

void TSidePanel::leaveEvent(QEvent* event) {
  if (Popped() && !StayOn()) Push();
  QFrame::leaveEvent(event);
}

void TSidePanel::paintEvent(QPaintEvent* event) {
  if (width_ > kBarWidth) {
    QFrame::paintEvent(event);
    return;
  }
  QPainter painter(this);
  QLinearGradient bar(0, 0, width(), 0);
  bar.setColorAt(0.0, QColor(0xBCC2CD));
  bar.setColorAt(0.5, QColor(0xF7F8FA));
  bar.setColorAt(1.0, QColor(0xA3AAB8));
  painter.fillRect(rect(), bar);
  painter.setPen(QColor(0x8A92A3));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setBrush(QColor(0x55698F));
  painter.setPen(Qt::NoPen);
  const int mid = height() / 2;
  const int tip = edge_ == Edge::Left ? width() - 3 : 3;
  const int base = edge_ == Edge::Left ? 3 : width() - 3;
  const QPoint arrow[] = {QPoint(base, mid - 5), QPoint(tip, mid), QPoint(base, mid + 5)};
  painter.drawPolygon(arrow, 3);
}

}  // namespace zarn
