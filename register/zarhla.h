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
#include <string>

#include "platform/datetime.h"
#include "platform/widgets/message_box.h"
#include "register/start_settings.h"

class QAction;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;

namespace zarn {

class TFormStorage;
class TSidePanel;
class TSplitter;
class TStartDialogTar;
class TForm1;

// One step of the start-up sequence. `run` is null while the building block
// the step needs (named in `pending`) is not part of the program yet.
struct TStartupStep {
  int number;
  const char* what;
  void (TForm1::*run)();
  const char* pending;
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

  // Steps of the start-up sequence built so far.
  void UkazUvod();
  void ZapamatujCasStartu();
  void NactiNastaveni();
  void NastavBarvy();
  void NastavSirkyPanelu();
  void PockejNaUvod();
  void ZavriUvod();
  void SkryjDoklad();
  void NastavStredisko();
  void VytvorDatovouSlozku();
  void ZapisDnesniStart();
  void NactiUlozenyFiltr();
  // Deletes zarn.slo when SmazatSeznam is set. (Saving the list layout when
  // the window hides comes with the record list.)
  void FormDestroy();

  // The two states of the window.
  void StavSeznam();
  void StavDoklad();
  bool VeStavuDokladu() const;

  // Handlers of the controls built so far.
  void Dvadytlatek1Click();
  void OvladaniResize();
  void suiButton18Click();  // "Zpět" of the partner list
  void suiButton13Click();  // "Zpět" of the price list
  void Oprogramu1Click();
  void Smazatnastavenseznamu1Click();

  // Window state (texts Windows-1250).
  std::string FiltrSQL;
  std::string FiltrPopis;
  std::string FiltrOperator = " = ";
  std::string Trideni;
  std::string Rezim;
  std::string Stredisko;
  std::string CisloPC;
  bool TestVerze = true;
  bool SmazatSeznam = false;
  TDateTime CasStartu = 0;  // time of day at which start-up began
  TNastaveniStartu Spojeni;  // server settings read at start
  std::string DataFolder;    // the code lists and the edit buffer
  bool SpustenDnesDrive = false;  // the register had started earlier today

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

  // Controls.
  TSidePanel* PartnerPanel;      // "Adresář partnerů", right edge
  TSidePanel* NomenclaturePanel;  // price list, left edge
  QTableView* suiDBGrid2;         // partner list
  QTableView* suiDBGrid6;         // price list
  QPushButton* suiButton17;       // "Převzít" (partners)
  QPushButton* suiButton18;       // "Zpět" (partners)
  QPushButton* suiButton14;       // "Převzít" (price list)
  QPushButton* suiButton13;       // "Zpět" (price list)
  TSplitter* OvcSplitter1;
  QLabel* ListCaption;  // the list bar
  QTableView* suiDBGrid1;  // the record list
  QLabel* TotalQuantity;   // after "Množství"
  QLabel* TotalFees;       // after "Poplatky"
  QLabel* TotalPaid;       // after "Zaplaceno"
  QWidget* RecordArea;
  QTabWidget* PageControl1;
  QWidget* TabZakladniUdaje;  // "  Základní údaje  "
  QPushButton* suiButton15;   // "Zapsat"
  QPushButton* suiButton16;   // "Zpět"
  QPushButton* suiButton21;   // "Smazat text"
  QPushButton* suiButton22;   // "Zrušit"
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
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildListArea();
  QWidget* BuildRecordArea();
  QWidget* BuildControlPanel();
  void BuildSidePanels(QWidget* body);
  void RunSteps(int first, int last);


  QElapsedTimer since_start_;
  bool shown_once_ = false;
};

}  // namespace zarn
