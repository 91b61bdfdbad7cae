// TRecordForm: the register's record form, shown under the record list. It
// edits one licence-fee record in the one-record buffer zarnzada.dbf, which
// is made anew from the server row each time the form opens, fills the
// applicant from the partner list and the crop data from the price list, and
// saves through a script of statements: a new record is one insert, an edited
// one is the delete of its row and the insert of the new one.
#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "dbf/dbf_table/dbf_table.h"
#include "platform/widgets/message_box.h"
#include "register/vyber.h"
#include "services/script_runner.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zarn {

class TDateEdit;
class TPoleDokladu;
class TRecordFormHost;

class TRecordForm : public QWidget {
  Q_OBJECT

 public:
  explicit TRecordForm(TRecordFormHost& host, QWidget* parent = nullptr);
  ~TRecordForm() override;

  // "N" while a new record is open, "O" while an existing one is.
  std::string Rezim;
  TDsDbfTable Dbf5;                // the edit buffer zarnzada.dbf
  TScriptRunner ZSQLProcessor1;    // saves and deletes

  // Menu "Nový doklad": a copy of the list's current record with today's date
  // of entry (a blank record from an empty list).
  void Novdoklad1Click();
  // Double click on a list row, menu "Opravit": the current record itself.
  // Does nothing while the list is empty.
  void suiDBGrid1DblClick();
  void Opravit1Click() { suiDBGrid1DblClick(); }
  void OtevriDoklad();

  void EditZADATELExit();
  void EditVAHAExit();
  void DBDateEdit1Exit();
  void DBDateEdit2Exit();
  void BtnAClick();       // "<" beside "Žadatel"
  void suiButton12Click(); // "<" beside "Nomenklatura"

  void suiButton15Click();  // "Zapsat"
  void Novy();
  void Oprava();
  void ZapisZarnZada();
  void suiButton16Click();  // "Zpět"
  void suiButton21Click();  // "Smazat text"
  void suiButton22Click();  // "Zrušit"

  QTabWidget* PageControl1;
  QWidget* TabSheet1;  // "  Základní údaje  "
  QLineEdit* EditZADATEL;
  QPushButton* BtnA;
  QLineEdit* EditICO;
  QLineEdit* EditNAZEVPODNI;
  QLineEdit* EditKODPAR;
  QLineEdit* EditSMLOUVA;
  QLineEdit* EditROK;
  QComboBox* ComboOBDOBI;
  TDateEdit* DBDateEdit1;  // "Datum"
  QLineEdit* EditPARTIE;
  QLineEdit* EditNOMENKLA;
  QPushButton* suiButton12;
  QLineEdit* EditNAZEVOSIVA;
  QLineEdit* EditDRUH;
  QLineEdit* EditNAZ_DRU;
  QLineEdit* EditODRUDA;
  QLineEdit* EditNAZ_ODRU;
  QLineEdit* EditSTUPEN;
  QLineEdit* EditVAHA;  // "Množství"
  QLineEdit* EditMJ;
  QLineEdit* EditPOPLATEK;
  QLineEdit* EditSUMA;
  QLineEdit* EditPOZNAMKA;
  QLineEdit* EditFAKTURA;
  TDateEdit* DBDateEdit2;  // "Zaplacena"
  QPushButton* suiButton15;
  QPushButton* suiButton16;
  QPushButton* suiButton21;
  QPushButton* suiButton22;
  // The contents of the partner and price-list panels; the panels own them.
  QPointer<TVyber> Partneri;
  QPointer<TVyber> Cenik;

 private:
  QWidget* BuildApplicantGroup();
  QWidget* BuildCropGroup();
  QWidget* BuildAmountsGroup();
  QLineEdit* Pole(QWidget* parent, const char* name, const char* field, bool read_only = false);
  TDateEdit* DatumovePole(QWidget* parent, const char* name, const char* field);
  // Makes the buffer anew from the work query's row `id` (the list's current
  // row) and fills it; a new record gets today's date of entry.
  void PripravBuffer(const std::optional<std::string>& id);
  // The 01.01.1900 rule of the two date fields.
  void OpravDatum(const char* field);
  // Asks in the shared box with "OK", "Zpět" and the help icon.
  TModalResult Zeptej(const char* utf8_text);
  // Puts the buffer into edit mode unless it is being edited already.
  void UpravBuffer();
  std::string IdBufferu() const;

  TRecordFormHost& host_;
  std::vector<TPoleDokladu*> pole_;
};

}  // namespace zarn
