// Tpracuji: the small busy window shown while a longer piece of work runs.
// A borderless box of 243 x 66 pixels without a title bar, centred on the
// window that owns it, with a short text (two lines at most) and the moving
// bar below it. The caller sets the text, shows it without modality, and
// deletes it when the work is done.
#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace zarn {

class TGradientBar;

class Tpracuji : public QDialog {
  Q_OBJECT

 public:
  explicit Tpracuji(QWidget* parent = nullptr);

  // `text` is Windows-1250.
  void SetText(const std::string& text);
  std::string Text() const;

  // Shows the window without modality, centred on its parent's window (on
  // the screen without one), brings it to the front and paints it at once.
  void Ukaz();

  TGradientBar* Bar() const { return bar_; }

 private:
  QLabel* label_;
  TGradientBar* bar_;
};

}  // namespace zarn
