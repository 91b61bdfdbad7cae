// TForm1: the updater's window "Aktualizace číselníků". The user picks a table
// in " Soubor ", the extent in " Jak ", optionally "do Tarvolu", and presses
// "aktualizuj"; with EditCoDelat_Text set in zembu.ini the window does the same
// for each listed table by itself and closes.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "services/connection.h"
#include "updater/message_dialog.h"
#include "updater/settings.h"
#include "updater/update_action.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace zarn {

class TForm2;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // `argumenty` is the command line, the program's name first. With
  // `spustit` the window runs FormCreate as the program does; layout tests
  // pass false.
  explicit TForm1(std::vector<std::string> argumenty, bool spustit = true, QWidget* parent = nullptr);
  ~TForm1() override;

  // Reads the settings and the command line, connects, sets the DBF folder.
  void FormCreate();
  // Hand-over mode set-up; with EditCoDelat_Text the automatic run follows
  // as soon as the window is up.
  void FormShow();
  // Each listed table in turn with the progress window, then off the screen
  // and closed. An error ends the run at its table; the window then stays.
  void AutomatickyBeh();
  // "aktualizuj": the action for the chosen table. Raises what the action
  // raises.
  void suitempBitBtn1Click();

  // The chosen table's number in " Soubor ", -1 for none.
  int ItemIndexSoubor() const;
  void SetItemIndexSoubor(int index);
  bool Vyber() const;  // " Jak " is "výběr"

  TNastaveniZembu Nastaveni;
  std::vector<std::string> Argumenty;
  TServerConnection Spojeni;
  TAktualizace Akce;
  std::string Tabulka;  // the chosen table's name

  QPushButton* BitBtn1;
  QGroupBox* RadioGroup1;
  QButtonGroup* Soubory;
  QGroupBox* RadioGroup2;
  QRadioButton* Cely;
  QRadioButton* Vyberem;
  QCheckBox* suiCheckBox1;
  TMessageDialog suiMessageDialog1;
  QPointer<TForm2> Form2;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs the button's action; an error is shown in the application's error
  // display. Returns whether the action ended without one.
  bool ProvedAkci();
  void ZobrazZpravu(const std::string& text, TMsgIcon ikona);

  bool shown_once_ = false;
};

}  // namespace zarn
