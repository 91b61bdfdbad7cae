#include "register/zarhla.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "platform/widgets/delay.h"
#include "platform/widgets/enter_as_tab.h"
#include "platform/widgets/form_storage.h"
#include "platform/widgets/side_panel.h"
#include "platform/widgets/skin.h"
#include "platform/widgets/splash.h"
#include "platform/widgets/splitter.h"
#include "platform/win1250.h"
#include "register/splash_picture.h"
#include "services/day_marker.h"
#include "services/routines.h"
#include "services/saved_filter.h"
#include "services/workstation.h"

namespace zarn {
namespace {

constexpr int kRecordFormHeight = 370;
constexpr int kRecordFormMinimumShown = 300;
constexpr int kSplashMinimumMs = 3000;
constexpr int kSplashPollMs = 500;
constexpr int kControlPanelStart = 57;
constexpr int kControlPanelOneRow = 60;
constexpr int kControlPanelTwoRows = 94;
constexpr int kSecondRowButtons = 8;

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

QTableView* MakeGrid(const char* name, QWidget* parent) {
  auto* grid = new QTableView(parent);
  grid->setObjectName(QLatin1String(name));
  grid->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setAlternatingRowColors(true);
  grid->verticalHeader()->setDefaultSectionSize(18);
  grid->verticalHeader()->setFixedWidth(12);
  return grid;
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(T(caption), parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

QAction* MakeItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {}) {
  QAction* item = menu->addAction(T(caption));
  item->setObjectName(QLatin1String(name));
  item->setShortcut(shortcut);
  return item;
}

QLabel* MakeTotal(QHBoxLayout* bar, const char* caption, const char* name) {
  bar->addWidget(new QLabel(T(caption)));
  auto* value = new QLabel(QStringLiteral("0,00"));
  value->setObjectName(QLatin1String(name));
  value->setProperty("skinRole", QStringLiteral("totals"));
  value->setMinimumWidth(110);
  value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  value->setFrameShape(QFrame::StyledPanel);
  bar->addWidget(value);
  bar->addSpacing(16);
  return value;
}

void Fill(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace

const std::vector<TStartupStep>& TForm1::StartupSequence() {
  static const std::vector<TStartupStep> steps = {
      // FormCreate
      {1, "make sure the server connection is closed", nullptr, "server connection"},
      {2, "show the splash", &TForm1::UkazUvod, nullptr},
      {3, "remember the start time", &TForm1::ZapamatujCasStartu, nullptr},
      {4, "read zarn.ini and [LogON] of ../Tarvol05.ini (steps 4 to 6)", &TForm1::NactiNastaveni, nullptr},
      {7, "connect and write the usage row (ZapisHistorii)", nullptr, "usage log"},
      {8, "take the skin colours", &TForm1::NastavBarvy, nullptr},
      {9, "create the data folder", &TForm1::VytvorDatovouSlozku, nullptr},
      {10, "point DsDatabase1 at the data folder", nullptr, "DBF data folder"},
      {11, "set the widths of the two side panels", &TForm1::NastavSirkyPanelu, nullptr},
      {12, "load the list column layout from zarn.slo", nullptr, "record list"},
      // FormShow
      {13, "copy adresar.dbf and cenik.dbf into the memory tables", nullptr, "memory table"},
      {14, "keep the splash up for 3 seconds from the start", &TForm1::PockejNaUvod, nullptr},
      {15, "close the splash", &TForm1::ZavriUvod, nullptr},
      {16, "hide the record form", &TForm1::SkryjDoklad, nullptr},
      {17, "code-list refresh at the family's first start today (TarvolUzDnes)", nullptr, "code-list refresh"},
      {18, "record today's start (UzDnesSpusteno \"zarn\")", &TForm1::ZapisDnesniStart, nullptr},
      {19, "version check at the first start today when TestVerze", nullptr, "program update"},
      // PoShow
      {20, "load the saved filter of the list", &TForm1::NactiUlozenyFiltr, nullptr},
      {21, "take the stored centre code", &TForm1::NastavStredisko, nullptr},
      {22, "load the record list (UdelejSQL)", nullptr, "record list"},
  };
  return steps;
}

TForm1::TForm1(bool spustit, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(T("Tarvol05 - Evidence licenčních poplatků"));
  // The skin's application style sheet would stop a plain setFont from
  // reaching the controls, so the window's font is given as a sheet too.
  setStyleSheet(QStringLiteral("* { font: bold 8pt \"Tahoma\"; }"));
  setMinimumSize(790, 620);
  resize(881, 663);
  BuildMenus();

  auto* central = new QWidget(this);
  auto* body = new QWidget(central);
  body->setObjectName(QStringLiteral("Body"));
  auto* body_layout = new QHBoxLayout(body);
  body_layout->setContentsMargins(TSidePanel::kBarWidth, 0, TSidePanel::kBarWidth, 0);
  OvcSplitter1 = new TSplitter(body);
  OvcSplitter1->setObjectName(QStringLiteral("OvcSplitter1"));
  OvcSplitter1->SetPanes(BuildListArea(), BuildRecordArea());
  body_layout->addWidget(OvcSplitter1);
  BuildSidePanels(body);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(body, 1);
  layout->addWidget(BuildControlPanel());
  setCentralWidget(central);

  FormStorage1 = new TFormStorage(this);
  FormStorage1->StoredProps = {"Label1.Caption"};
  new TEnterAsTab(this);
  StavSeznam();
  if (spustit) FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::BuildMenus() {
  QMenu* main = menuBar()->addMenu(T("Hlavní nabídka"));
  Novdoklad1 = MakeItem(main, "Novdoklad1", "Nový doklad", QKeySequence(Qt::CTRL | Qt::Key_N));
  Opravit1 = MakeItem(main, "Opravit1", "Opravit", QKeySequence(Qt::CTRL | Qt::Key_O));
  main->addSeparator();
  Konec1 = MakeItem(main, "Konec1", "Konec");
  QMenu* servis = menuBar()->addMenu(T("Servis"));
  Dvadytlatek1 = MakeItem(servis, "Dvadytlatek1", "Dvě řady tlačítek");
  Dvadytlatek1->setCheckable(true);
  Nastavenprogramu1 = MakeItem(servis, "Nastavenprogramu1", "Nastavení programu");
  servis->addSeparator();
  Smazatnastavenseznamu1 = MakeItem(servis, "Smazatnastavenseznamu1", "Smazat nastavení seznamu");
  Aktualizaceprogramu1 = MakeItem(servis, "Aktualizaceprogramu1", "Kontrola nové verze");
  QMenu* pomoc = menuBar()->addMenu(T("Pomoc"));
  Oprogramu1 = MakeItem(pomoc, "Oprogramu1", "O programu");
  QMenu* konec = menuBar()->addMenu(T("Konec"));
  Opravdu1 = MakeItem(konec, "Opravdu1", "Opravdu");

  connect(Konec1, &QAction::triggered, this, &QWidget::close);
  connect(Opravdu1, &QAction::triggered, this, &QWidget::close);
  connect(Dvadytlatek1, &QAction::triggered, this, &TForm1::Dvadytlatek1Click);
  connect(Oprogramu1, &QAction::triggered, this, &TForm1::Oprogramu1Click);
  connect(Smazatnastavenseznamu1, &QAction::triggered, this, &TForm1::Smazatnastavenseznamu1Click);
}

QWidget* TForm1::BuildListArea() {
  auto* area = new QWidget;
  area->setObjectName(QStringLiteral("ListArea"));
  ListCaption = new QLabel(T("Seznam - Žadatelé"), area);
  ListCaption->setObjectName(QStringLiteral("ListCaption"));
  ListCaption->setProperty("skinRole", QStringLiteral("caption"));
  suiDBGrid1 = MakeGrid("suiDBGrid1", area);
  auto* totals = new QHBoxLayout;
  totals->setContentsMargins(4, 2, 4, 2);
  totals->addStretch();
  TotalQuantity = MakeTotal(totals, "Množství", "TotalQuantity");
  TotalFees = MakeTotal(totals, "Poplatky", "TotalFees");
  TotalPaid = MakeTotal(totals, "Zaplaceno", "TotalPaid");
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ListCaption);
  layout->addWidget(suiDBGrid1, 1);
  layout->addLayout(totals);
  return area;
}

QWidget* TForm1::BuildRecordArea() {
  RecordArea = new QWidget;
  RecordArea->setObjectName(QStringLiteral("RecordArea"));
  auto* heading = new QLabel(T("Licenční poplatky"), RecordArea);
  heading->setObjectName(QStringLiteral("RecordHeading"));
  heading->setProperty("skinRole", QStringLiteral("caption"));
  PageControl1 = new QTabWidget(RecordArea);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  TabZakladniUdaje = new QWidget;
  TabZakladniUdaje->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabZakladniUdaje, T("  Základní údaje  "));
  suiButton15 = MakeButton("suiButton15", "Zapsat", RecordArea);
  suiButton16 = MakeButton("suiButton16", "Zpět", RecordArea);
  suiButton21 = MakeButton("suiButton21", "Smazat text", RecordArea);
  suiButton22 = MakeButton("suiButton22", "Zrušit", RecordArea);
  auto* buttons = new QVBoxLayout;
  buttons->setContentsMargins(6, 24, 6, 6);
  for (QPushButton* button : {suiButton15, suiButton16, suiButton21, suiButton22}) {
    button->setMinimumWidth(95);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* form = new QHBoxLayout;
  form->setContentsMargins(4, 4, 4, 4);
  form->addWidget(PageControl1, 1);
  form->addLayout(buttons);
  auto* layout = new QVBoxLayout(RecordArea);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(heading);
  layout->addLayout(form, 1);
  return RecordArea;
}

QWidget* TForm1::BuildControlPanel() {
  ControlPanel = new QWidget;
  ControlPanel->setObjectName(QStringLiteral("ControlPanel"));
  ControlPanel->setFixedHeight(kControlPanelStart);
  ControlPanel->installEventFilter(this);
  auto* title = new QLabel(T("Ovládání programu"), ControlPanel);
  title->setProperty("skinRole", QStringLiteral("caption"));
  suiButton2 = MakeButton("suiButton2", "aktualizovat", ControlPanel);
  KonecButton = MakeButton("KonecButton", "konec", ControlPanel);
  connect(KonecButton, &QPushButton::clicked, this, &QWidget::close);
  Label1 = new QLabel(QStringLiteral("999"), ControlPanel);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setToolTip(T("Středisko"));
  auto* first_row = new QHBoxLayout;
  first_row->addWidget(suiButton2);
  first_row->addWidget(KonecButton);
  first_row->addStretch();
  first_row->addWidget(Label1);
  SecondButtonRow = new QWidget(ControlPanel);
  auto* second_row = new QHBoxLayout(SecondButtonRow);
  second_row->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < kSecondRowButtons; ++i) {
    auto* reserved = new QPushButton(T("není def."), SecondButtonRow);
    reserved->setEnabled(false);
    second_row->addWidget(reserved);
  }
  second_row->addStretch();
  SecondButtonRow->hide();
  auto* layout = new QVBoxLayout(ControlPanel);
  layout->setContentsMargins(0, 0, 4, 2);
  layout->setSpacing(2);
  layout->addWidget(title);
  layout->addLayout(first_row);
  layout->addWidget(SecondButtonRow);
  layout->addStretch();
  return ControlPanel;
}

void TForm1::BuildSidePanels(QWidget* body) {
  PartnerPanel = new TSidePanel(TSidePanel::Edge::Right, Utf8ToWin1250("Adresář partnerů"), body);
  PartnerPanel->setObjectName(QStringLiteral("PartnerPanel"));
  suiDBGrid2 = MakeGrid("suiDBGrid2", PartnerPanel->Obsah());
  suiButton17 = MakeButton("suiButton17", "Převzít", PartnerPanel->Obsah());
  suiButton18 = MakeButton("suiButton18", "Zpět", PartnerPanel->Obsah());
  NomenclaturePanel = new TSidePanel(TSidePanel::Edge::Left, Utf8ToWin1250("Ceník nomenklatur"), body);
  NomenclaturePanel->setObjectName(QStringLiteral("NomenclaturePanel"));
  NomenclaturePanel->SetAnimationStep(15);
  suiDBGrid6 = MakeGrid("suiDBGrid6", NomenclaturePanel->Obsah());
  suiButton14 = MakeButton("suiButton14", "Převzít", NomenclaturePanel->Obsah());
  suiButton13 = MakeButton("suiButton13", "Zpět", NomenclaturePanel->Obsah());
  const struct {
    TSidePanel* panel;
    QTableView* grid;
    QPushButton* take;
    QPushButton* back;
  } sides[] = {{PartnerPanel, suiDBGrid2, suiButton17, suiButton18},
               {NomenclaturePanel, suiDBGrid6, suiButton14, suiButton13}};
  for (const auto& side : sides) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(side.take);
    buttons->addWidget(side.back);
    auto* layout = new QVBoxLayout(side.panel->Obsah());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(side.grid, 1);
    layout->addLayout(buttons);
  }
  connect(suiButton18, &QPushButton::clicked, this, &TForm1::suiButton18Click);
  connect(suiButton13, &QPushButton::clicked, this, &TForm1::suiButton13Click);
}

// Runs the steps numbered first..last that exist in the program; a step whose
// building block is missing is named on the debug output, never pretended.
void TForm1::RunSteps(int first, int last) {
  for (const TStartupStep& step : StartupSequence()) {
    if (step.number < first || step.number > last) continue;
    if (step.run != nullptr) (this->*step.run)();
    else qInfo("start-up step %d (%s) waits for: %s", step.number, step.what, step.pending);
  }
}

void TForm1::FormCreate() { RunSteps(1, 12); }

void TForm1::FormShow() {
  RunSteps(13, 19);
  PoShow();
}

void TForm1::PoShow() { RunSteps(20, 22); }

void TForm1::FormDestroy() {
  if (!SmazatSeznam) return;
  std::error_code ignored;
  std::filesystem::remove("zarn.slo", ignored);
}

void TForm1::UkazUvod() {
  StartDialogTar1 = new TStartDialogTar(this);
  StartDialogTar1->Bitmap = SplashPicture();
  StartDialogTar1->Text1 = "Evidence";
  StartDialogTar1->Text2 = Utf8ToWin1250(" licenčních poplatků");
  StartDialogTar1->Text1y = 200;
  StartDialogTar1->Text2y = 245;
  StartDialogTar1->Vypisverze = true;
  StartDialogTar1->Verze = VerzeSouboru("");
  StartDialogTar1->Zobraz();
}

void TForm1::ZapamatujCasStartu() {
  CasStartu = Now() - static_cast<int>(Now());
  since_start_.start();
}

void TForm1::NactiNastaveni() {
  Spojeni = NactiNastaveniStartu();
  CisloPC = Spojeni.CisloPC;
  TestVerze = Spojeni.TestVerze;
}

// The program folder is the working folder (the program makes it so at its
// start), so the data folder is "data" below it. A folder that cannot be made
// is not reported here: opening the code lists then fails with the DBF error.
void TForm1::VytvorDatovouSlozku() {
  DataFolder = (std::filesystem::current_path() / "data").string();
  VytvorSlozku(DataFolder);
}

void TForm1::ZapisDnesniStart() { SpustenDnesDrive = UzDnesSpusteno("zarn"); }

void TForm1::NactiUlozenyFiltr() {
  const SavedFilter filtr = AktualniFiltr("zarhla");
  FiltrSQL = filtr.condition;
  FiltrPopis = filtr.description;
}

void TForm1::NastavBarvy() {
  Fill(RecordArea, SkinThemeColor(15));
  Fill(ControlPanel, SkinThemeColor(15));
  OvcSplitter1->setStyleSheet(
      QStringLiteral("QSplitter::handle { background: %1; }").arg(SkinThemeColor(31).name()));
}

void TForm1::NastavSirkyPanelu() {
  PartnerPanel->SetPopWidth(455);
  NomenclaturePanel->SetPopWidth(385);
}

// Waits in steps of 500 ms, keeping the windows alive, until the splash has
// been up for 3 seconds. The monotonic clock is used so that a start just
// before midnight does not wait on for a day.
void TForm1::PockejNaUvod() {
  if (!since_start_.isValid()) return;
  while (since_start_.elapsed() < kSplashMinimumMs) {
    if (StartDialogTar1 && StartDialogTar1->Okno() != nullptr) StartDialogTar1->Okno()->raise();
    Delay(kSplashPollMs);
  }
}

void TForm1::ZavriUvod() {
  if (StartDialogTar1) StartDialogTar1->Zmiz();
}

void TForm1::SkryjDoklad() { StavSeznam(); }

void TForm1::NastavStredisko() { Stredisko = ToWin1250(Label1->text()); }

void TForm1::StavSeznam() {
  OvcSplitter1->SetPosition(OvcSplitter1->height());
  Novdoklad1->setEnabled(true);
  Opravit1->setEnabled(true);
}

void TForm1::StavDoklad() {
  OvcSplitter1->SetPosition(OvcSplitter1->height() - kRecordFormHeight);
  Novdoklad1->setEnabled(false);
  Opravit1->setEnabled(false);
}

bool TForm1::VeStavuDokladu() const { return OvcSplitter1->Position() < OvcSplitter1->height(); }

void TForm1::Dvadytlatek1Click() {
  const bool two_rows = Dvadytlatek1->isChecked();
  SecondButtonRow->setVisible(two_rows);
  ControlPanel->setFixedHeight(two_rows ? kControlPanelTwoRows : kControlPanelOneRow);
}

// A record form squeezed to less than 300 pixels by a taller control panel
// is hidden altogether.
void TForm1::OvladaniResize() {
  if (OvcSplitter1->Position() > OvcSplitter1->height() - kRecordFormMinimumShown)
    OvcSplitter1->SetPosition(OvcSplitter1->height());
}

void TForm1::suiButton18Click() {
  PartnerPanel->SetStayOn(false);
  PartnerPanel->Push(false);
}

void TForm1::suiButton13Click() {
  NomenclaturePanel->SetStayOn(false);
  NomenclaturePanel->Push(false);
}

void TForm1::Oprogramu1Click() {
  dotaz.Text = "Verze " + VerzeSouboru("");
  dotaz.PocetTlacitek = 1;
  dotaz.Tlacitko1 = "OK";
  dotaz.Ikona = TMsgIcon::Information;
  dotaz.Execute(this);
}

// Forgets the list's column layout: the window closes, and destroying it
// deletes zarn.slo, so the next start shows every column of the table.
void TForm1::Smazatnastavenseznamu1Click() {
  SmazatSeznam = true;
  close();
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (event->spontaneous() || shown_once_) return;
  shown_once_ = true;
  QTimer::singleShot(0, this, &TForm1::FormShow);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ControlPanel && event->type() == QEvent::Resize) OvladaniResize();
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace zarn
