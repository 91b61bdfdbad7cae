// TForm1: the register's main window. The record list fills its upper area,
// the record form slides up under it, the partner list pops out on the right,
// the price list on the left, and the control panel sits at the bottom. The
// window has two states: the list state (only the list shows, "Nový doklad"
// and "Opravit" enabled) and the record state (the record form shows under
// the list, both items disabled).
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/ds_database.h"
#include "dbf/memtable/mem_table.h"
#include "platform/datetime.h"
#include "platform/widgets/message_box.h"
#include "register/rozvrzeni_seznamu.h"
#include "register/start_settings.h"
#include "services/connection.h"
#include "services/query.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace zarn {

class TDataSetModel;
class TFormStorage;
class TRecordForm;
class TRecordFormHost;
class TSidePanel;
class TSplitter;
class TStartDialogTar;
class TForm1;

// One step of the start-up sequence: its number, what it does, and the
// member function that does it.
struct TStartupStep {
  int number;
  const char* what;
  void (TForm1::*run)();
};

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Lays out the window; with `spustit` it also runs FormCreate, as the
  // program does. Tests of the layout pass false.
  explicit TForm1(bool spustit = true, QWidget* parent = nullptr);
  ~TForm1() override;

  // The start-up sequence in its order: FormCreate runs steps 1 to 12,
  // FormShow 13 to 19, PoShow 20 to 22.
  static const std::vector<TStartupStep>& StartupSequence();

  void FormCreate();
  void FormShow();
  void PoShow();

  // Steps of the start-up sequence.
  void ZavriSpojeni();
  void UkazUvod();
  void ZapamatujCasStartu();
  void NactiNastaveni();
  void Pripoj();
  void NastavBarvy();
  void NastavSirkyPanelu();
  void PockejNaUvod();
  void ZavriUvod();
  void SkryjDoklad();
  void NastavStredisko();
  void VytvorDatovouSlozku();
  void NastavDatovouSlozku();
  void NactiRozvrzeniSeznamu();
  void NactiCiselniky();
  void AktualizaceDnes();
  void ZapisDnesniStart();
  void KontrolaVerzeDnes();
  void NactiUlozenyFiltr();
  // Saves the list's column layout to zarn.slo.
  void FormHide();
  // Deletes zarn.slo when SmazatSeznam is set.
  void FormDestroy();

  // The two states of the window.
  void StavSeznam();
  void StavDoklad();
  bool VeStavuDokladu() const;

  // Handlers of the controls built so far.
  void Dvadytlatek1Click();
  void OvladaniResize();
  void Oprogramu1Click();
  void Smazatnastavenseznamu1Click();
  void Nastavenprogramu1Click();
  void Aktualizaceprogramu1Click();  // "Kontrola nové verze"
  void suiButton2Click();            // "aktualizovat": the code-list refresh

  // The record list.
  void UdelejSQL();
  void UdelejFiltr();
  void Pidatdotdchokle1Click();      // "FILTR - přidat ="
  void FILTRpidatOd1Click();         // "FILTR - přidat Od"
  void FILTRpidatDo1Click();         // "FILTR - přidat Do"
  void Zobrazfiltr1Click();          // "FILTR - zobrazit filtr"
  void Smazatfiltr1Click();          // "FILTR - smazat celý filtr"
  void FILTRsmazatposledn1Click();   // "FILTR - smazat poslední"
  void Setditpodlesloupce1Click();   // "Setřídit podle sloupce"
  void Hledatvseznamu1Click();       // "Hledat v seznamu"
  void Exportvybranchdajdo1Click();  // "Export vybraných údajů do XLS"
  // The search dialog over `dataset` (the list or a code list), at `column`.
  void OtevriHledani(TDataSet& dataset, TField& column);
  // The list column that the grid's selected cell is in; the first shown
  // column without a selection; nullptr while the list has no columns.
  TField* VybranySloupec() const;
  // The server session, opened again (with its set-up) when it is closed,
  // as the database layer does before a statement.
  TServerConnection& Spojeni1();
  // Asks the application to end (a failed save or delete script).
  void UkonciProgram();

  // Window state (texts Windows-1250).
  std::string FiltrSQL;
  std::string FiltrPopis;
  std::string FiltrOperator = " = ";
  std::string Trideni;
  std::string Stredisko;
  std::string CisloPC;
  bool TestVerze = true;
  bool SmazatSeznam = false;
  TDateTime CasStartu = 0;  // time of day at which start-up began
  TNastaveniStartu Spojeni;  // server settings read at start
  std::string DataFolder;    // the code lists and the edit buffer
  bool SpustenDnesDrive = false;  // the register had started earlier today

  // Data components.
  TServerConnection ZConnection1;
  TServerQuery ZQuery1{ZConnection1};  // the record list
  TServerQuery ZQuery2{ZConnection1};  // single records, the aggregation
  TDsDatabase DsDatabase1;             // the data folder
  TDsDbfTable DbfA;                    // adresar.dbf
  TDsDbfTable DsDbfTable33;            // cenik.dbf
  TDsMemTable DsMemTable1;             // copy of adresar.dbf
  TDsMemTable DsMemTable33;            // copy of cenik.dbf
  TRozvrzeniSeznamu Rozvrzeni;         // the list's column layout

  // Menu items.
  QAction* Novdoklad1;
  QAction* Opravit1;
  QAction* Konec1;
  QAction* Dvadytlatek1;
  QAction* Nastavenprogramu1;
  QAction* Smazatnastavenseznamu1;
  QAction* Aktualizaceprogramu1;
  QAction* Oprogramu1;
  QAction* Opravdu1;
  // The list's context menu.
  QMenu* PopupMenu1;
  QAction* Setditpodlesloupce1;
  QAction* Hledatvseznamu1;
  QAction* Exportvybranchdajdo1;
  QAction* Tiskaktualnihoseznamu1;
  QAction* Sestava1;
  QAction* Pidatdotdchokle1;
  QAction* FILTRpidatOd1;
  QAction* FILTRpidatDo1;
  QAction* Zobrazfiltr1;
  QAction* Smazatfiltr1;
  QAction* FILTRsmazatposledn1;

  // Controls.
  TSidePanel* PartnerPanel;      // "Adresář partnerů", right edge
  TSidePanel* NomenclaturePanel;  // price list, left edge
  TSplitter* OvcSplitter1;
  QLabel* ListCaption;  // the list bar
  QTableView* suiDBGrid1;  // the record list
  TDataSetModel* ListModel;  // ZQuery1 for the grid
  QLabel* TotalQuantity;   // after "Množství"
  QLabel* TotalFees;       // after "Poplatky"
  QLabel* TotalPaid;       // after "Zaplaceno"
  QWidget* RecordArea;
  TRecordForm* Doklad;        // the record form in the record area
  QWidget* ControlPanel;      // "Ovládání programu"
  QWidget* SecondButtonRow;
  QPushButton* suiButton2;    // "aktualizovat"
  QPushButton* KonecButton;   // "konec"
  QLabel* Label1;             // centre code, kept in zarn.ini
  TDotaz dotaz;
  TFormStorage* FormStorage1;
  QPointer<TStartDialogTar> StartDialogTar1;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildListArea();
  QWidget* BuildRecordArea();
  QWidget* BuildControlPanel();
  void BuildSidePanels(QWidget* body);
  void BuildListMenu();
  void ConnectListGrid();
  // Opens a code list of the data folder and copies it into `copy`.
  void KopirujCiselnik(TDsDbfTable& table, const char* name, TDsMemTable& copy);
  void RunSteps(int first, int last);


  std::unique_ptr<TRecordFormHost> host_;
  QElapsedTimer since_start_;
  bool shown_once_ = false;
};

}  // namespace zarn
