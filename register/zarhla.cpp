#include "register/zarhla.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QHideEvent>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "platform/dataset/dataset_model.h"
#include "platform/ini_file.h"
#include "platform/widgets/busy_window.h"
#include "platform/widgets/delay.h"
#include "platform/widgets/enter_as_tab.h"
#include "platform/widgets/form_storage.h"
#include "platform/widgets/side_panel.h"
#include "platform/widgets/skin.h"
#include "platform/widgets/splash.h"
#include "platform/widgets/splitter.h"
#include "platform/win1250.h"
#include "register/aktualizace_ciselniku.h"
#include "register/doklad.h"
#include "register/fmozno.h"
#include "register/record_form_host.h"
#include "register/splash_picture.h"
#include "services/day_marker.h"
#include "services/routines.h"
#include "services/saved_filter.h"
#include "services/update_check.h"
#include "services/usage_log.h"
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

// What the record form uses of the main window.
class THostitelDokladu : public TRecordFormHost {
 public:
  explicit THostitelDokladu(TForm1& form) : form_(form) {}

  // The form keeps the connection for its script runner; the work query,
  // which reads the record before any script runs, opens it when needed.
  TServerConnection& ZConnection1() override { return form_.ZConnection1; }
  TServerQuery& ZQuery2() override {
    form_.Spojeni1();
    return form_.ZQuery2;
  }
  std::optional<std::string> VybraneId() override {
    TField* id = form_.ZQuery1.Active() && form_.ZQuery1.RowCount() > 0 ? form_.ZQuery1.FindField("id") : nullptr;
    if (id == nullptr) return std::nullopt;
    return id->AsString();
  }
  TDsDatabase& DsDatabase1() override { return form_.DsDatabase1; }
  TDsMemTable& DsMemTable1() override { return form_.DsMemTable1; }
  TDsMemTable& DsMemTable33() override { return form_.DsMemTable33; }
  TSidePanel& PartnerPanel() override { return *form_.PartnerPanel; }
  TSidePanel& NomenclaturePanel() override { return *form_.NomenclaturePanel; }
  std::string CisloPC() override { return form_.CisloPC; }
  void StavDoklad() override { form_.StavDoklad(); }
  void StavSeznam() override { form_.StavSeznam(); }
  void UdelejSQL() override { form_.UdelejSQL(); }
  void OtevriHledani(TDataSet& dataset, TField& column) override { form_.OtevriHledani(dataset, column); }
  void UkonciProgram() override { form_.UkonciProgram(); }

 private:
  TForm1& form_;
};

}  // namespace

const std::vector<TStartupStep>& TForm1::StartupSequence() {
  static const std::vector<TStartupStep> steps = {
      // FormCreate
      {1, "make sure the server connection is closed", &TForm1::ZavriSpojeni},
      {2, "show the splash", &TForm1::UkazUvod},
      {3, "remember the start time", &TForm1::ZapamatujCasStartu},
      {4, "read zarn.ini and [LogON] of ../Tarvol05.ini (steps 4 to 6)", &TForm1::NactiNastaveni},
      {7, "connect and write the usage row (ZapisHistorii)", &TForm1::Pripoj},
      {8, "take the skin colours", &TForm1::NastavBarvy},
      {9, "create the data folder", &TForm1::VytvorDatovouSlozku},
      {10, "point DsDatabase1 at the data folder", &TForm1::NastavDatovouSlozku},
      {11, "set the widths of the two side panels", &TForm1::NastavSirkyPanelu},
      {12, "load the list column layout from zarn.slo", &TForm1::NactiRozvrzeniSeznamu},
      // FormShow
      {13, "copy adresar.dbf and cenik.dbf into the memory tables", &TForm1::NactiCiselniky},
      {14, "keep the splash up for 3 seconds from the start", &TForm1::PockejNaUvod},
      {15, "close the splash", &TForm1::ZavriUvod},
      {16, "hide the record form", &TForm1::SkryjDoklad},
      {17, "code-list refresh at the family's first start today (TarvolUzDnes)", &TForm1::AktualizaceDnes},
      {18, "record today's start (UzDnesSpusteno \"zarn\")", &TForm1::ZapisDnesniStart},
      {19, "version check at the first start today when TestVerze", &TForm1::KontrolaVerzeDnes},
      // PoShow
      {20, "load the saved filter of the list", &TForm1::NactiUlozenyFiltr},
      {21, "take the stored centre code", &TForm1::NastavStredisko},
      {22, "load the record list (UdelejSQL)", &TForm1::UdelejSQL},
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
  host_ = std::make_unique<THostitelDokladu>(*this);
  Doklad = new TRecordForm(*host_, RecordArea);
  RecordArea->layout()->addWidget(Doklad);
  BuildListMenu();
  ConnectListGrid();
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

// The record form and the grid's model go first: both are linked to data
// components that are members of this window.
TForm1::~TForm1() {
  FormDestroy();
  delete Doklad;
  delete ListModel;
}

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
  connect(Nastavenprogramu1, &QAction::triggered, this, &TForm1::Nastavenprogramu1Click);
  connect(Aktualizaceprogramu1, &QAction::triggered, this, &TForm1::Aktualizaceprogramu1Click);
  connect(Novdoklad1, &QAction::triggered, this, [this] { Doklad->Novdoklad1Click(); });
  connect(Opravit1, &QAction::triggered, this, [this] { Doklad->Opravit1Click(); });
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

// The record area holds the heading; the record form goes under it once the
// side panels, which it fills with its pickers, exist.
QWidget* TForm1::BuildRecordArea() {
  RecordArea = new QWidget;
  RecordArea->setObjectName(QStringLiteral("RecordArea"));
  auto* heading = new QLabel(T("Licenční poplatky"), RecordArea);
  heading->setObjectName(QStringLiteral("RecordHeading"));
  heading->setProperty("skinRole", QStringLiteral("caption"));
  auto* layout = new QVBoxLayout(RecordArea);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(heading);
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
  connect(suiButton2, &QPushButton::clicked, this, &TForm1::suiButton2Click);
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
  NomenclaturePanel = new TSidePanel(TSidePanel::Edge::Left, Utf8ToWin1250("Ceník nomenklatur"), body);
  NomenclaturePanel->setObjectName(QStringLiteral("NomenclaturePanel"));
  NomenclaturePanel->SetAnimationStep(15);
}

// Runs the steps numbered first..last in their order. An error abandons the
// rest of the sequence: the caller (or the application's error display) shows it.
void TForm1::RunSteps(int first, int last) {
  for (const TStartupStep& step : StartupSequence())
    if (step.number >= first && step.number <= last) (this->*step.run)();
}

void TForm1::FormCreate() { RunSteps(1, 12); }

// A step that fails abandons the start-up; the splash, which stays on top of
// every window, is closed first so that the error and the window can be seen.
void TForm1::FormShow() {
  try {
    RunSteps(13, 19);
  } catch (...) {
    ZavriUvod();
    throw;
  }
  PoShow();
}

void TForm1::PoShow() { RunSteps(20, 22); }

// Only a layout that the grid showed or that was loaded is written, so a run
// in which the list never loaded keeps the file as it was.
void TForm1::FormHide() {
  TRozvrzeniSeznamu rozvrzeni = RozvrzeniMrizky(*suiDBGrid1);
  if (rozvrzeni.empty()) rozvrzeni = Rozvrzeni;
  if (!rozvrzeni.empty()) UlozRozvrzeni(kRozvrzeniSeznamu, rozvrzeni);
}

void TForm1::FormDestroy() {
  if (!SmazatSeznam) return;
  std::error_code ignored;
  std::filesystem::remove(kRozvrzeniSeznamu, ignored);
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

void TForm1::ZavriSpojeni() { ZConnection1.Disconnect(); }

void TForm1::NactiNastaveni() {
  Spojeni = NactiNastaveniStartu();
  CisloPC = Spojeni.CisloPC;
  TestVerze = Spojeni.TestVerze;
}

// Connects and writes the usage row. An unreachable server is not an error
// here (the list then shows the server's message); a server that refuses the
// usage row is told, and the start goes on.
void TForm1::Pripoj() {
  TConnectionSettings& settings = ZConnection1.Settings();
  settings.HostName = Spojeni.HostName;
  settings.User = Spojeni.User;
  settings.Password = Spojeni.Password;
  settings.Database = Spojeni.Database;
  const std::string stredisko = TIniFile("zarn.ini").ReadString("TForm1", "Label1_Caption", "999");
  try {
    ZapisHistorii(ZConnection1, Spojeni.SqlPort, Spojeni.OpenPort, CisloPC, stredisko, Utf8ToWin1250("Evidence licencí Zarn"));
  } catch (const std::exception& error) {
    ShowApplicationError(this, error.what());
  }
}

TServerConnection& TForm1::Spojeni1() {
  if (!ZConnection1.Connected()) {
    ZConnection1.Connect();
    ZConnection1.RunConnectionSetup();
  }
  return ZConnection1;
}

void TForm1::NastavDatovouSlozku() { DsDatabase1.SetDatabaseName(DataFolder); }

// A missing or unreadable zarn.slo leaves the default columns.
void TForm1::NactiRozvrzeniSeznamu() {
  if (std::optional<TRozvrzeniSeznamu> rozvrzeni = NactiRozvrzeni(kRozvrzeniSeznamu)) Rozvrzeni = *rozvrzeni;
}

// The copies are made once per run; the tables are closed again at once, so
// that the updater can replace their files.
void TForm1::KopirujCiselnik(TDsDbfTable& table, const char* name, TDsMemTable& copy) {
  table.Close();
  table.SetDatabase(&DsDatabase1);
  table.SetTableName(name);
  table.SetExclusive(false);
  table.SetCodePage(ascii_ANSI);
  table.Open();
  copy.CopyFromDataSet(table, 0, cmReplace);
  copy.Open();
  table.Close();
}

void TForm1::NactiCiselniky() {
  KopirujCiselnik(DbfA, "adresar.dbf", DsMemTable1);
  KopirujCiselnik(DsDbfTable33, "cenik.dbf", DsMemTable33);
}

void TForm1::AktualizaceDnes() {
  if (!TarvolUzDnes()) suiButton2Click();
}

void TForm1::KontrolaVerzeDnes() {
  if (!SpustenDnesDrive && TestVerze) Aktualizaceprogramu1Click();
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

void TForm1::Nastavenprogramu1Click() {
  TFmozno okno(this);
  okno.exec();
}

void TForm1::Aktualizaceprogramu1Click() {
  std::unique_ptr<Tpracuji> pracuji;
  UpdateCheckUi ui;
  ui.show_busy = [&](const std::string& text) {
    pracuji = std::make_unique<Tpracuji>(this);
    pracuji->SetText(text);
    pracuji->Ukaz();
    QCoreApplication::processEvents();
  };
  ui.close_busy = [&] {
    if (pracuji) pracuji->close();
  };
  ui.keep_alive = [] {
    QCoreApplication::processEvents();
    return !QCoreApplication::closingDown();
  };
  auto zprava = [this](const std::string& text, TMsgIcon icon) {
    dotaz.Text = text;
    dotaz.PocetTlacitek = 1;
    dotaz.Tlacitko1 = "OK";
    dotaz.Ikona = icon;
    dotaz.Execute(this);
  };
  ui.show_information = [&](const std::string& text) { zprava(text, TMsgIcon::Information); };
  ui.show_stop = [&](const std::string& text) { zprava(text, TMsgIcon::Stop); };
  ui.end_application = [this] { UkonciProgram(); };
  KontrolaNoveVerze(ui);
}

// The updater runs while the window waits; then the list shows the sums.
void TForm1::suiButton2Click() {
  Spojeni1();
  AktualizujCiselniky(ZQuery2);
  UdelejSQL();
}

void TForm1::UkonciProgram() {
  QCoreApplication::processEvents();
  close();
  QCoreApplication::quit();
}

void TForm1::hideEvent(QHideEvent* event) {
  QMainWindow::hideEvent(event);
  if (!event->spontaneous()) FormHide();
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
