// TSidePanel: a pop-out side panel. Collapsed it is a thin bar along the left
// or right edge of its parent; a click on the bar slides it out over the
// parent's contents to its set width, and it slides back to the bar when the
// mouse pointer leaves it, unless it is pinned (by its pin button or by the
// program). The panel keeps itself at its edge and at its parent's full
// height; the parent's layout should leave the bar's width free on that side.
#pragma once

#include <QFrame>
#include <QTimer>
#include <string>

class QLabel;
class QToolButton;

namespace zarn {

class TSidePanel : public QFrame {
  Q_OBJECT

 public:
  enum class Edge { Left, Right };
  static constexpr int kBarWidth = 10;

  // `title` is Windows-1250. The panel starts collapsed.
  TSidePanel(Edge edge, const std::string& title, QWidget* parent);

  // Width when slid out.
  void SetPopWidth(int pixels) { pop_width_ = pixels; }
  int PopWidth() const { return pop_width_; }
  // Pixels per step of the slide; 0 slides at once.
  void SetAnimationStep(int pixels) { step_ = pixels; }
  int AnimationStep() const { return step_; }

  // Slides out to PopWidth (at once with `animate` false or a step of 0).
  void Pop(bool animate = true);
  // Slides back to the bar.
  void Push(bool animate = true);
  // A pinned panel does not slide back when the pointer leaves it.
  void SetStayOn(bool pinned);
  bool StayOn() const;

  // True while the panel is out or on its way out.
  bool Popped() const { return target_ > kBarWidth; }
  // The panel's present width: the bar, PopWidth, or a step in between.
  int CurrentWidth() const { return width_; }

  // The area that holds the panel's controls; give it a layout.
  QWidget* Obsah() const { return content_; }
  QToolButton* PinButton() const { return pin_; }

 signals:
  void Poped();   // reached its full width
  void Pushed();  // back to the bar

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SlideTo(int target, bool animate);
  void SlideStep();
  void SetCurrentWidth(int pixels);
  void PlaceAtEdge();

  Edge edge_;
  int pop_width_ = 300;
  int step_ = 0;
  int width_ = kBarWidth;
  int target_ = kBarWidth;
  QTimer slide_timer_;
  QWidget* header_;
  QWidget* content_;
  QToolButton* pin_;
};

}  // namespace zarn
