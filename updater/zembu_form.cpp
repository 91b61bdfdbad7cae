#include "updater/zembu_form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "platform/widgets/message_box.h"
#include "platform/widgets/wait_cursor.h"
#include "platform/win1250.h"
#include "updater/hand_over.h"
#include "updater/progress_form.h"
#include "updater/tables.h"

namespace zarn {

namespace {
// Far above any screen: the automatic run ends with the window out of sight.
constexpr int kMimoObrazovku = -3000;
// The choices of " Soubor " that the hand-over cannot take.
constexpr int kBezPredani[] = {2, 3, 4};  // prace, okres, ku
}  // namespace

TForm1::TForm1(std::vector<std::string> argumenty, bool spustit, QWidget* parent)
    : QWidget(parent),
      Argumenty(std::move(argumenty)),
      Akce(Spojeni),
      BitBtn1(new QPushButton(QStringLiteral("aktualizuj"))),
      RadioGroup1(new QGroupBox(QStringLiteral(" Soubor "))),
      Soubory(new QButtonGroup(this)),
      RadioGroup2(new QGroupBox(QStringLiteral(" Jak "))),
      Cely(new QRadioButton(QStringLiteral("celý"))),
      Vyberem(new QRadioButton(QStringLiteral("výběr"))),
      suiCheckBox1(new QCheckBox(QStringLiteral("do Tarvolu"))),
      suiMessageDialog1(Utf8ToWin1250("Aktualizace DBF z SQL")) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Aktualizace číselníků"));
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
  suiCheckBox1->setObjectName(QStringLiteral("suiCheckBox1"));

  auto* soubory = new QGridLayout(RadioGroup1);
  for (int i = 0; i < static_cast<int>(kTabulky.size()); ++i) {
    auto* volba = new QRadioButton(QString::fromLatin1(kTabulky[i]));
    Soubory->addButton(volba, i);
    soubory->addWidget(volba, i % 4, i / 4);
  }
  auto* jak = new QVBoxLayout(RadioGroup2);
  jak->addWidget(Cely);
  jak->addWidget(Vyberem);
  jak->addStretch();
  Cely->setChecked(true);

  BitBtn1->setMinimumHeight(32);
  auto* vpravo = new QVBoxLayout;
  vpravo->addWidget(RadioGroup2);
  vpravo->addWidget(suiCheckBox1);
  vpravo->addStretch();
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setHorizontalSpacing(12);
  layout->addWidget(BitBtn1, 0, 0, 1, 2);
  layout->addWidget(RadioGroup1, 1, 0);
  layout->addLayout(vpravo, 1, 1);
  setFixedSize(340, 230);

  connect(BitBtn1, &QPushButton::clicked, this, [this] { ProvedAkci(); });
  Akce.Zprava = [this](const std::string& text, TMsgIcon ikona) { ZobrazZpravu(text, ikona); };
  Akce.Prubeh = [this](int hotovo, int celkem) {
    if (Form2) Form2->UkazPrubeh(hotovo, celkem);
  };
  if (spustit) FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  Spojeni.Disconnect();
  Nastaveni = NactiNastaveniZembu();
  Akce.Slozka.SetDatabaseName(Nastaveni.EditCestaData_Text);
  Akce.JenNove = JenNoveZArgumentu(Argumenty);
  Akce.Interaktivni = Nastaveni.EditCoDelat_Text.empty();
  try {
    Spojeni.Settings() = SpojeniZembu(Nastaveni);
    TWaitCursor cekej;
    Spojeni.Connect();
    Spojeni.RunConnectionSetup();
  } catch (const std::exception& chyba) {
    ShowApplicationError(this, chyba.what());
  }
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  FormShow();
}

void TForm1::FormShow() {
  if (Nastaveni.RezimPredani()) {
    RadioGroup2->setEnabled(false);
    suiCheckBox1->setChecked(true);
    for (int index : kBezPredani) Soubory->button(index)->setEnabled(false);
    Akce.Slozka.SetDatabaseName("./");
  }
  if (Nastaveni.EditCoDelat_Text.empty()) return;
  // After the window has painted, as the user would see it start.
  QTimer::singleShot(0, this, &TForm1::AutomatickyBeh);
}

void TForm1::AutomatickyBeh() {
  Form2 = new TForm2(this);
  for (int cislo : CislaTabulek(Nastaveni.EditCoDelat_Text)) {
    SetItemIndexSoubor(cislo);
    Form2->SetCaption("Aktualizuji " + Velkymi(kTabulky[cislo]));
    Form2->Ukaz();
    QApplication::processEvents();
    if (!ProvedAkci()) {
      delete Form2;
      return;
    }
  }
  delete Form2;
  move(x(), kMimoObrazovku);
  QApplication::processEvents();
  close();
}

void TForm1::suitempBitBtn1Click() {
  const int index = ItemIndexSoubor();
  if (index < 0) {
    ZobrazZpravu(Utf8ToWin1250("Vyberte číselník, který se má aktualizovat."), TMsgIcon::Stop);
    return;
  }
  Tabulka = kTabulky[index];
  // A press by hand gets its own progress window; the automatic run has one.
  const bool vlastni_prubeh = Form2 == nullptr;
  if (vlastni_prubeh) {
    Form2 = new TForm2(this);
    Form2->SetCaption("Aktualizuji " + Velkymi(Tabulka));
    Form2->Ukaz();
  }
  struct Uklid {
    QPointer<TForm2>& okno;
    bool vlastni;
    ~Uklid() {
      if (vlastni) delete okno;
    }
  } uklid{Form2, vlastni_prubeh};
  TWaitCursor cekej;
  Aktualizuj(Akce, Tabulka, Vyber(), suiCheckBox1->isChecked());
}

bool TForm1::ProvedAkci() {
  try {
    suitempBitBtn1Click();
    return true;
  } catch (const std::exception& chyba) {
    if (Form2) Form2->hide();
    ShowApplicationError(this, chyba.what());
    return false;
  }
}

void TForm1::ZobrazZpravu(const std::string& text, TMsgIcon ikona) {
  // The progress window stays on top and would cover the message.
  if (Form2) Form2->hide();
  suiMessageDialog1.ShowMessage(this, text, ikona);
}

int TForm1::ItemIndexSoubor() const { return Soubory->checkedId(); }

void TForm1::SetItemIndexSoubor(int index) {
  if (QAbstractButton* volba = Soubory->button(index)) volba->setChecked(true);
}

bool TForm1::Vyber() const { return Vyberem->isChecked(); }

void TForm1::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (Nastaveni.RezimPredani()) SpustTarvol(Nastaveni.TarvolCesta);
}

}  // namespace zarn
