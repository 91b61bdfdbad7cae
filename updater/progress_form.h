// TForm2: the small progress window of the updater ("Aktualizace číselníků"):
// which table is being copied, a bar and the number of rows written. It stays
// on top, centred on the screen, and keeps itself painted while a long copy
// runs on the window thread.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <string>

class QLabel;
class QProgressBar;

namespace zarn {

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  // Label text, Windows-1250; "Aktualizuji" at first.
  void SetCaption(const std::string& text);
  std::string Caption() const;

  // Shows the window centred on the screen and paints it at once.
  void Ukaz();

  // `hotovo` of `celkem` rows written: moves the bar and the count and, at
  // most every few hundredths of a second, lets the windows paint.
  void UkazPrubeh(int hotovo, int celkem);

  QLabel* Label1;
  QProgressBar* ProgressBar1;
  QLabel* LabelRadku;  // rows copied

 private:
  QElapsedTimer since_paint_;
};

}  // namespace zarn
