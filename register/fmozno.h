// TFmozno: the settings window "Tarvol05 - servis". Three collapsible groups
// (workstation and issuer, identification of the centre, the period list)
// under one another, only one open at a time, and "OK". The fields are kept
// in zarn.ini, section TFmozno; the register reads three of them at its next
// start. The period list is the text of obdobi.dtx, written back on closing.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace zarn {

class TFormStorage;

// The period list file, relative to the program folder.
extern const char* const kObdobiFile;

// Height of the window with every group collapsed, and the height a window
// needs beside an expanded group (the other two headers and "OK").
constexpr int kFmoznoCollapsedHeight = 135;
constexpr int kFmoznoBesideGroup = 125;
// Expanded heights of the three groups.
constexpr int kFmoznoGroupHeights[3] = {105, 330, 165};

// The lines of a text box as they go to obdobi.dtx: one line per line of the
// text, no trailing empty line for a final line break, none for an empty box.
std::vector<std::string> LinesOfText(const QString& text);

class TFmozno : public QDialog {
  Q_OBJECT

 public:
  explicit TFmozno(QWidget* parent = nullptr);

  void FormShow();
  void FormClose();
  void suiPanel1Pop();
  void suiPanel2Pop();
  void suiPanel3Pop();
  void suiButton1Click();  // "OK"

  // The expanded group (0 to 2), or -1.
  int OpenGroup() const;

  // "Číslo PC, vystavuje"
  QLineEdit* EditcisloPC;
  QCheckBox* suiCheckBoxCentrum;
  QLineEdit* suiEdit1;
  QLineEdit* EditIP;
  QCheckBox* suiCheckBoxTestVerze;
  // "Identifikace střediska"
  QLineEdit* Editpodnik;
  QLineEdit* EditICO;
  QLineEdit* EditDIC;
  QLineEdit* Editnazev;
  QLineEdit* Editsidlo;
  QLineEdit* Editulice;
  QLineEdit* EditPSC;
  QLineEdit* Editposta;
  QLineEdit* EditBANKA;
  QLineEdit* EditUCET;
  QLineEdit* EditTelefon;
  QLineEdit* EditFax;
  QLineEdit* EditOR;
  QLineEdit* EditEmail;
  QLineEdit* Editkdevysta;
  // "Období"
  QPlainTextEdit* Memo1;
  QPushButton* suiButton1;  // "OK"

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct Group {
    QToolButton* header;
    QWidget* body;
  };
  QWidget* BuildGroup(int index, const char* caption, QWidget* body);
  QWidget* BuildWorkstationGroup();
  QWidget* BuildCentreGroup();
  QLineEdit* AddEdit(const char* name, int max_length = 0);
  // Expands group `index` (-1: none) and collapses the others; sets the
  // window's height to match.
  void Expand(int index);

  Group groups_[3] = {};
  bool periods_loaded_ = false;  // obdobi.dtx was read, so closing may write it
  TFormStorage* FormStorage1;
};

}  // namespace zarn
