#include "register/doklad.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dbf/memtable/mem_table.h"
#include "platform/ini_file.h"
#include "platform/widgets/date_edit.h"
#include "platform/widgets/message_box.h"
#include "platform/widgets/side_panel.h"
#include "platform/widgets/wait_cursor.h"
#include "platform/win1250.h"
#include "register/cislo_validator.h"
#include "register/doklad_sql.h"
#include "register/pole_dokladu.h"
#include "register/record_form_host.h"
#include "register/vyber.h"
#include "register/zarn_err.h"
#include "register/zaznam_datumy.h"
#include "services/kopiruj_zaznam.h"
#include "services/query.h"

namespace zarn {
namespace {

constexpr char kBuffer[] = "zarnzada.dbf";
constexpr char kObdobi[] = "obdobi.dtx";
constexpr int kPartnerPanelWidth = 900;
constexpr int kZadatelWidth = 41;


QString T(const char* utf8) { return QString::fromUtf8(utf8); }

QPushButton* Tlacitko(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(T(caption), parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

// The "<" buttons that open the pickers: narrow, so without the skin's
// padding. A click focuses them, Tab and Enter pass them by, so that Enter in
// "Žadatel" goes on to the next field and looks the code up on the way.
QPushButton* Sipka(const char* name, QWidget* parent) {
  QPushButton* button = Tlacitko(name, "<", parent);
  button->setFocusPolicy(Qt::ClickFocus);
  button->setFixedSize(24, 22);
  button->setStyleSheet(QStringLiteral("padding: 0px;"));
  return button;
}

QFrame* Skupina(const char* name) {
  auto* group = new QFrame;
  group->setObjectName(QLatin1String(name));
  group->setFrameShape(QFrame::StyledPanel);
  group->setFrameShadow(QFrame::Sunken);
  return group;
}

QLabel* Popisek(const char* caption, QWidget* parent) { return new QLabel(T(caption), parent); }

}  // namespace

TRecordForm::TRecordForm(TRecordFormHost& host, QWidget* parent)
    : QWidget(parent), ZSQLProcessor1(host.ZConnection1()), host_(host) {
  setObjectName(QStringLiteral("RecordForm"));
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabSheet1, T("  Základní údaje  "));
  auto* groups = new QGridLayout(TabSheet1);
  groups->setContentsMargins(6, 6, 6, 6);
  groups->addWidget(BuildApplicantGroup(), 0, 0);
  groups->addWidget(BuildCropGroup(), 0, 1);
  groups->addWidget(BuildAmountsGroup(), 1, 0, 1, 2);
  groups->setRowStretch(2, 1);

  suiButton15 = Tlacitko("suiButton15", "Zapsat", this);
  suiButton16 = Tlacitko("suiButton16", "Zpět", this);
  suiButton21 = Tlacitko("suiButton21", "Smazat text", this);
  suiButton22 = Tlacitko("suiButton22", "Zrušit", this);
  auto* buttons = new QVBoxLayout;
  buttons->setContentsMargins(6, 24, 6, 6);
  for (QPushButton* button : {suiButton15, suiButton16, suiButton21, suiButton22}) {
    button->setMinimumWidth(95);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(PageControl1, 1);
  layout->addLayout(buttons);

  Partneri = VyberPartnera(host.PartnerPanel(), host.DsMemTable1());
  Cenik = VyberNomenklatury(host.NomenclaturePanel(), host.DsMemTable33());
  Partneri->Cil = &Dbf5;
  Cenik->Cil = &Dbf5;
  Partneri->PoPrevzeti = [this] { EditSMLOUVA->setFocus(); };
  Cenik->PoPrevzeti = [this] { EditVAHA->setFocus(); };
  for (TVyber* vyber : {Partneri.data(), Cenik.data()}) {
    vyber->OtevriHledani = [this](TDataSet& dataset, TField& column) { host_.OtevriHledani(dataset, column); };
  }

  ZSQLProcessor1.OnError = [this](TScriptRunner& runner, int index, const EServerError& error) {
    ZSQLProcessor1Error(runner, index, error, host_.ZConnection1(), this, [this] { host_.UkonciProgram(); });
  };
  for (TPoleDokladu* pole : pole_) pole->SetDataSet(&Dbf5);
  pole_[0]->OnExit = [this] { EditZADATELExit(); };

  connect(BtnA, &QPushButton::clicked, this, &TRecordForm::BtnAClick);
  connect(suiButton12, &QPushButton::clicked, this, &TRecordForm::suiButton12Click);
  connect(suiButton15, &QPushButton::clicked, this, &TRecordForm::suiButton15Click);
  connect(suiButton16, &QPushButton::clicked, this, &TRecordForm::suiButton16Click);
  connect(suiButton21, &QPushButton::clicked, this, &TRecordForm::suiButton21Click);
  connect(suiButton22, &QPushButton::clicked, this, &TRecordForm::suiButton22Click);
}

// The links go before the buffer, which would otherwise tell them it is gone
// after their controls were freed; pickers that outlive the form forget it.
TRecordForm::~TRecordForm() {
  for (TPoleDokladu* pole : pole_) pole->SetDataSet(nullptr);
  for (TVyber* vyber : {Partneri.data(), Cenik.data()}) {
    if (vyber == nullptr) continue;
    vyber->Cil = nullptr;
    vyber->PoPrevzeti = nullptr;
    vyber->OtevriHledani = nullptr;
  }
}

QLineEdit* TRecordForm::Pole(QWidget* parent, const char* name, const char* field, bool read_only) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setReadOnly(read_only);
  pole_.push_back(new TPoleDokladu(edit, field));
  return edit;
}

TDateEdit* TRecordForm::DatumovePole(QWidget* parent, const char* name, const char* field) {
  auto* edit = new TDateEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setFixedWidth(110);
  pole_.push_back(new TPoleDokladu(edit, field));
  return edit;
}

QWidget* TRecordForm::BuildApplicantGroup() {
  QFrame* group = Skupina("GroupZadatel");
  EditZADATEL = Pole(group, "EditZADATEL", "zadatel");  // first binding: EditZADATELExit
  EditZADATEL->setFixedWidth(kZadatelWidth);
  BtnA = Sipka("BtnA", group);
  EditICO = Pole(group, "EditICO", "ico");
  EditNAZEVPODNI = Pole(group, "EditNAZEVPODNI", "nazevpodni", true);
  EditKODPAR = Pole(group, "EditKODPAR", "kodpar", true);
  EditSMLOUVA = Pole(group, "EditSMLOUVA", "smlouva");
  EditROK = Pole(group, "EditROK", "rok");
  EditROK->setMaxLength(4);
  EditROK->setFixedWidth(48);
  ComboOBDOBI = new QComboBox(group);
  ComboOBDOBI->setObjectName(QStringLiteral("ComboOBDOBI"));
  ComboOBDOBI->setEditable(true);
  ComboOBDOBI->setInsertPolicy(QComboBox::NoInsert);
  pole_.push_back(new TPoleDokladu(ComboOBDOBI, "obdobi"));
  DBDateEdit1 = DatumovePole(group, "DBDateEdit1", "porizeno");
  pole_.back()->OnExit = [this] { DBDateEdit1Exit(); };

  auto* grid = new QGridLayout(group);
  auto* zadatel = new QHBoxLayout;
  zadatel->addWidget(EditZADATEL);
  zadatel->addWidget(BtnA);
  zadatel->addWidget(EditICO, 1);
  grid->addWidget(Popisek("Žadatel", group), 0, 0);
  grid->addLayout(zadatel, 0, 1, 1, 3);
  grid->addWidget(EditNAZEVPODNI, 1, 1, 1, 3);
  grid->addWidget(EditKODPAR, 2, 1, 1, 3);
  grid->addWidget(Popisek("Smlouva", group), 3, 0);
  grid->addWidget(EditSMLOUVA, 3, 1, 1, 3);
  grid->addWidget(Popisek("Rok", group), 4, 0);
  grid->addWidget(EditROK, 4, 1);
  grid->addWidget(Popisek("Období", group), 4, 2, Qt::AlignRight);
  grid->addWidget(ComboOBDOBI, 4, 3);
  grid->addWidget(Popisek("Datum", group), 5, 0);
  grid->addWidget(DBDateEdit1, 5, 1, 1, 2);
  grid->setColumnStretch(3, 1);
  return group;
}

QWidget* TRecordForm::BuildCropGroup() {
  QFrame* group = Skupina("GroupPlodina");
  EditPARTIE = Pole(group, "EditPARTIE", "partie");
  EditNOMENKLA = Pole(group, "EditNOMENKLA", "nomenkla", true);
  EditNOMENKLA->setFixedWidth(100);
  suiButton12 = Sipka("suiButton12", group);
  EditNAZEVOSIVA = Pole(group, "EditNAZEVOSIVA", "nazevosiva", true);
  EditDRUH = Pole(group, "EditDRUH", "druh", true);
  EditNAZ_DRU = Pole(group, "EditNAZ_DRU", "naz_dru", true);
  EditODRUDA = Pole(group, "EditODRUDA", "odruda", true);
  EditNAZ_ODRU = Pole(group, "EditNAZ_ODRU", "naz_odru", true);
  EditSTUPEN = Pole(group, "EditSTUPEN", "stupen", true);
  EditSTUPEN->setFixedWidth(48);

  auto* grid = new QGridLayout(group);
  grid->addWidget(Popisek("Partie", group), 0, 0);
  grid->addWidget(EditPARTIE, 0, 1, 1, 3);
  grid->addWidget(Popisek("Nomenklatura", group), 1, 0);
  auto* nomenklatura = new QHBoxLayout;
  nomenklatura->addWidget(EditNOMENKLA);
  nomenklatura->addWidget(suiButton12);
  grid->addLayout(nomenklatura, 1, 1, Qt::AlignLeft);
  grid->addWidget(EditNAZEVOSIVA, 2, 1, 1, 3);
  grid->addWidget(Popisek("Druh", group), 3, 0);
  grid->addWidget(EditDRUH, 3, 1);
  grid->addWidget(EditNAZ_DRU, 3, 2, 1, 2);
  grid->addWidget(Popisek("Odrůda", group), 4, 0);
  grid->addWidget(EditODRUDA, 4, 1);
  grid->addWidget(EditNAZ_ODRU, 4, 2);
  grid->addWidget(EditSTUPEN, 4, 3);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(5, 1);
  return group;
}

QWidget* TRecordForm::BuildAmountsGroup() {
  QFrame* group = Skupina("GroupCastky");
  EditVAHA = Pole(group, "EditVAHA", "mnozstvi");
  EditVAHA->setValidator(new TCisloValidator(EditVAHA));
  pole_.back()->OnExit = [this] { EditVAHAExit(); };
  EditMJ = Pole(group, "EditMJ", "mj", true);
  EditMJ->setFixedWidth(40);
  EditPOPLATEK = Pole(group, "EditPOPLATEK", "poplatek");
  EditPOPLATEK->setValidator(new TCisloValidator(EditPOPLATEK));
  pole_.back()->OnExit = [this] { EditVAHAExit(); };
  EditSUMA = Pole(group, "EditSUMA", "suma", true);
  EditPOZNAMKA = Pole(group, "EditPOZNAMKA", "poznamka");
  EditFAKTURA = Pole(group, "EditFAKTURA", "faktura");
  DBDateEdit2 = DatumovePole(group, "DBDateEdit2", "zaplacena");
  pole_.back()->OnExit = [this] { DBDateEdit2Exit(); };

  auto* grid = new QGridLayout(group);
  grid->addWidget(Popisek("Množství", group), 0, 0);
  grid->addWidget(EditVAHA, 0, 1);
  grid->addWidget(EditMJ, 0, 2);
  grid->addWidget(Popisek("Poplatek", group), 1, 0);
  grid->addWidget(EditPOPLATEK, 1, 1);
  grid->addWidget(Popisek("Suma", group), 2, 0);
  grid->addWidget(EditSUMA, 2, 1);
  grid->addWidget(Popisek("Poznámka", group), 0, 4);
  grid->addWidget(EditPOZNAMKA, 0, 5);
  grid->addWidget(Popisek("Faktura", group), 1, 4);
  grid->addWidget(EditFAKTURA, 1, 5);
  grid->addWidget(Popisek("Zaplacena", group), 2, 4);
  grid->addWidget(DBDateEdit2, 2, 5, Qt::AlignLeft);
  grid->setColumnMinimumWidth(3, 24);
  grid->setColumnStretch(5, 1);
  return group;
}

// --- opening ---------------------------------------------------------------

void TRecordForm::Novdoklad1Click() {
  TWaitCursor wait;
  Rezim = "N";
  PripravBuffer(host_.VybraneId());
  OtevriDoklad();
}

void TRecordForm::suiDBGrid1DblClick() {
  const std::optional<std::string> id = host_.VybraneId();
  if (!id) return;
  TWaitCursor wait;
  Rezim = "O";
  PripravBuffer(id);
  OtevriDoklad();
}

void TRecordForm::PripravBuffer(const std::optional<std::string>& id) {
  TServerQuery& query = host_.ZQuery2();
  Dbf5.Close();
  query.Close();
  query.Clear();
  query.SetText(id ? "select * from zarnzada where id = " + *id : "select * from zarnzada limit 0,0");
  query.Open();
  // An edit needs its row: a row that another workstation replaced meanwhile
  // would give a blank record whose save deletes nothing.
  if (Rezim == "O" && query.IsEmpty()) {
    query.Close();
    throw EDatabaseError(Utf8ToWin1250("Záznam ") + *id + Utf8ToWin1250(" již není na serveru."));
  }
  Dbf5.SetDatabase(&host_.DsDatabase1());
  Dbf5.SetTableName(kBuffer);
  Dbf5.SetCodePage(ascii_ANSI);
  Dbf5.SetExclusive(true);
  Dbf5.FieldDefs().Assign(query.FieldDefs());
  Dbf5.CreateTable();
  Dbf5.Open();
  Dbf5.Append();
  KopirujZaznam(query, Dbf5, true);
  if (Rezim == "N") Dbf5.FieldByName("porizeno").SetAsDateTime(Date());
  Dbf5.Post();
  query.Close();
}

void TRecordForm::OtevriDoklad() {
  PageControl1->setCurrentWidget(TabSheet1);
  ComboOBDOBI->clear();
  std::vector<std::string> obdobi;
  if (ReadTextLines(kObdobi, &obdobi)) {
    for (const std::string& line : obdobi) ComboOBDOBI->addItem(FromWin1250(line));
  } else {
    ShowApplicationError(this, Utf8ToWin1250("Seznam období obdobi.dtx nelze přečíst; období lze jen napsat."));
  }
  host_.StavDoklad();
  host_.PartnerPanel().setVisible(true);
  Dbf5.Edit();
  for (TPoleDokladu* pole : pole_) pole->Nacti();
  EditZADATEL->setFocus();
}

// --- leaving fields --------------------------------------------------------

void TRecordForm::EditZADATELExit() {
  const QWidget* next = QApplication::focusWidget();
  if (next == suiButton16 || next == BtnA) return;
  const std::string zadatel = Dbf5.FieldByName("zadatel").AsString();
  if (zadatel.empty()) return;
  if (host_.DsMemTable1().Locate("zadatel", Variant(zadatel), 0)) {
    Partneri->PrevzitClick();
    return;
  }
  TDotaz box;
  box.Text = Utf8ToWin1250("Kod žadatele ") + zadatel + " nenalezen!";
  box.Tlacitko1 = "OK";
  box.Ikona = TMsgIcon::Warning;
  box.Execute(this);
}

void TRecordForm::EditVAHAExit() {
  UpravBuffer();
  // AsFloat of an empty field is 0.
  Dbf5.FieldByName("suma").SetAsFloat(Dbf5.FieldByName("mnozstvi").AsFloat() *
                                      Dbf5.FieldByName("poplatek").AsFloat());
}

void TRecordForm::OpravDatum(const char* field_name) {
  TField& field = Dbf5.FieldByName(field_name);
  if (!field.IsNull() && field.AsDateTime() >= HraniceDatumu()) return;
  UpravBuffer();
  field.SetAsDateTime(ZadneDatum());
}

void TRecordForm::DBDateEdit1Exit() { OpravDatum("porizeno"); }
void TRecordForm::DBDateEdit2Exit() { OpravDatum("zaplacena"); }

void TRecordForm::BtnAClick() { Partneri->Vysun(kPartnerPanelWidth); }
void TRecordForm::suiButton12Click() { Cenik->Vysun(); }

// --- saving and deleting ---------------------------------------------------

void TRecordForm::UpravBuffer() {
  if (Dbf5.State() != dsEdit && Dbf5.State() != dsInsert) Dbf5.Edit();
}

std::string TRecordForm::IdBufferu() const { return Dbf5.FieldByName("id").AsString(); }

TModalResult TRecordForm::Zeptej(const char* utf8_text) {
  TDotaz box;
  box.Text = Utf8ToWin1250(utf8_text);
  box.PocetTlacitek = 2;
  box.Tlacitko1 = "OK";
  box.Tlacitko2 = Utf8ToWin1250("Zpět");
  box.Ikona = TMsgIcon::Help;
  return box.Execute(this);
}

void TRecordForm::suiButton15Click() {
  if (Dbf5.State() == dsEdit || Dbf5.State() == dsInsert) Dbf5.Post();
  // Closing the box saves as "OK" does; only "Zpět" keeps the form open.
  if (Zeptej("Zapsat provedené změny?") == mrNo) return;
  ZSQLProcessor1.Lines().clear();
  if (Rezim == "O") Oprava();
  else Novy();
  suiButton16Click();
}

void TRecordForm::Novy() {
  TWaitCursor wait;
  ZapisZarnZada();
}

void TRecordForm::Oprava() {
  TWaitCursor wait;
  PridejSmazani(IdBufferu(), ZSQLProcessor1.Lines());
  ZapisZarnZada();
}

void TRecordForm::ZapisZarnZada() {
  PridejZapisZarnZada(Dbf5, Identifikator(host_.CisloPC(), Now()), ZSQLProcessor1.Lines());
  ZSQLProcessor1.Execute();
}

void TRecordForm::suiButton16Click() {
  TWaitCursor wait;
  if (Dbf5.Active()) Dbf5.Cancel();
  Dbf5.Close();
  // The list state comes first, so that a list that fails to load does not
  // leave the form open over a closed buffer.
  host_.StavSeznam();
  host_.UdelejSQL();
}

void TRecordForm::suiButton21Click() {
  if (Zeptej("Opravdu vymazat vše?") != mrOk) return;
  if (!Dbf5.Active()) Dbf5.Open();
  // An edit keeps the id of the row that its save replaces.
  const std::string id = Rezim == "O" ? IdBufferu() : std::string();
  Dbf5.Cancel();
  Dbf5.EmptyTable();
  Dbf5.Append();
  Dbf5.FieldByName("porizeno").SetAsDateTime(Date());
  Dbf5.FieldByName("zaplacena").SetAsDateTime(ZadneDatum());
  if (!id.empty()) Dbf5.FieldByName("id").SetAsString(id);
  EditICO->setFocus();
}

void TRecordForm::suiButton22Click() {
  // A new record is not on the server yet; its buffer still carries the id of
  // the record it was copied from, which must not be deleted.
  if (Rezim != "O") {
    suiButton16Click();
    return;
  }
  if (Zeptej("Opravdu zrušit záznam?") != mrOk) return;
  {
    TWaitCursor wait;
    ZSQLProcessor1.Lines().clear();
    PridejSmazani(IdBufferu(), ZSQLProcessor1.Lines());
    ZSQLProcessor1.Lines().push_back("COMMIT;");
    ZSQLProcessor1.Execute();
  }
  suiButton16Click();
}

}  // namespace zarn
