#include "updater/progress_form.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/win1250.h"

namespace zarn {

namespace {
// Painting every row would cost more than writing it.
constexpr int kMsMeziPrekreslenim = 40;
}  // namespace

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      Label1(new QLabel(QStringLiteral("Aktualizuji"))),
      ProgressBar1(new QProgressBar),
      LabelRadku(new QLabel) {
  setWindowTitle(QStringLiteral("Aktualizace číselníků"));
  setModal(false);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 0);
  ProgressBar1->setTextVisible(false);
  LabelRadku->setObjectName(QStringLiteral("LabelRadku"));
  LabelRadku->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 12);
  layout->addWidget(Label1);
  layout->addWidget(ProgressBar1);
  layout->addWidget(LabelRadku);
  setFixedSize(300, 110);
  since_paint_.start();
}

void TForm2::SetCaption(const std::string& text) { Label1->setText(FromWin1250(text)); }

std::string TForm2::Caption() const { return ToWin1250(Label1->text()); }

void TForm2::Ukaz() {
  ProgressBar1->setRange(0, 0);
  LabelRadku->clear();
  move(QApplication::primaryScreen()->availableGeometry().center() - rect().center());
  show();
  raise();
  repaint();
  QApplication::processEvents();
  since_paint_.restart();
}

void TForm2::UkazPrubeh(int hotovo, int celkem) {
  if (hotovo < celkem && since_paint_.elapsed() < kMsMeziPrekreslenim) return;
  ProgressBar1->setRange(0, celkem);
  ProgressBar1->setValue(hotovo);
  LabelRadku->setText(QStringLiteral("Zkopírováno řádků: %1 z %2").arg(hotovo).arg(celkem));
  QApplication::processEvents();
  since_paint_.restart();
}

}  // namespace zarn
