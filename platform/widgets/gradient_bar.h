// TGradientBar: the moving bar of the busy window. A band of colour (the
// gradient) travels from left to right across the bar, one step per tick, and
// starts again at the left, to show that work goes on.
#pragma once

#include <QTimer>
#include <QWidget>

namespace zarn {

class TGradientBar : public QWidget {
  Q_OBJECT

 public:
  explicit TGradientBar(QWidget* parent = nullptr);

  // Width of the travelling band in pixels (50 unless set).
  void SetGradientWidth(int pixels) { gradient_width_ = pixels; }
  int GradientWidth() const { return gradient_width_; }
  // Milliseconds between two steps (30 unless set).
  void SetInterval(int msecs) { timer_.setInterval(msecs); }
  int Interval() const { return timer_.interval(); }
  // Left edge of the band; it runs from -GradientWidth() to width().
  int Offset() const { return offset_; }

  // Moves the band one step on; called by the timer while the bar is shown.
  void Step();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QTimer timer_;
  int gradient_width_ = 50;
  int offset_ = 0;
};

}  // namespace zarn
