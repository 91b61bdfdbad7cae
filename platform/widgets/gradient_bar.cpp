#include "platform/widgets/gradient_bar.h"

#include <QLinearGradient>
#include <QPainter>

namespace zarn {
namespace {
constexpr int kStepPixels = 3;
}  // namespace

TGradientBar::TGradientBar(QWidget* parent) : QWidget(parent) {
  timer_.setInterval(30);
  connect(&timer_, &QTimer::timeout, this, &TGradientBar::Step);
  setMinimumHeight(10);
}

void TGradientBar::Step() {
  offset_ += kStepPixels;
  if (offset_ > width()) offset_ = -gradient_width_;
  update();
}

void TGradientBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(rect(), QColor(0xE6E9EF));
  QLinearGradient band(offset_, 0, offset_ + gradient_width_, 0);
  band.setColorAt(0.0, QColor(0xE6E9EF));
  band.setColorAt(0.5, QColor(0x4A6FA8));
  band.setColorAt(1.0, QColor(0xE6E9EF));
  painter.fillRect(QRect(offset_, 1, gradient_width_, height() - 2), band);
  painter.setPen(QColor(0x8A92A3));
  painter.drawRect(frame);
}

void TGradientBar::showEvent(QShowEvent*) { timer_.start(); }

void TGradientBar::hideEvent(QHideEvent*) { timer_.stop(); }

}  // namespace zarn
