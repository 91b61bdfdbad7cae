// THledat: the search dialog "Hledat" over a list. The user picks a column
// (the list's selected column to begin with) and types; each change moves the
// list to the first row whose shown value contains the text anywhere,
// ignoring case, and Enter or "Další" moves it to the next such row (after
// the last one the search starts again from the top). "OK" keeps the list on
// the found row; "Zpět" puts it back on the row it was on before.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zarn {

class TDataSet;
class TField;

// The first row from `from` on whose displayed value of `field` contains
// `text` (Windows-1250) in any letter case; -1 when none does. An empty text
// matches every row.
int NajdiVSeznamu(TDataSet& list, const TField& field, const std::string& text, int from = 0);

class THledat : public QDialog {
  Q_OBJECT

 public:
  // `columns` are the fields offered, `start` the one chosen first.
  THledat(TDataSet& list, std::vector<TField*> columns, const TField* start, QWidget* parent = nullptr);

  void EditTextChange();  // finds from the first row
  void DalsiClick();      // "Další" and Enter: finds from the row after the last found
  void ZpetClick();       // puts the list back and closes

  // The row found last, or -1.
  int Nalezeno() const { return found_; }

  QComboBox* Sloupec;
  QLineEdit* Edit;
  QLabel* Hodnota;  // the found value, or that nothing was found
  QPushButton* Dalsi;
  QPushButton* OK;
  QPushButton* Zpet;

 private:
  void Najdi(int from);
  TField* VybranySloupec() const;

  TDataSet& list_;
  std::vector<TField*> columns_;
  int start_row_;
  int found_ = -1;
};

}  // namespace zarn
