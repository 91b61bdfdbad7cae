// TVyber is the content of a code-list picker panel: a read-only grid over a
// memory copy of a code list and the buttons "Převzít" and "Zpět". Taking a
// row over copies chosen fields, as text, into the record being edited. The
// partner list and the price list are two pickers of this one kind, made by
// VyberPartnera and VyberNomenklatury.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class QPushButton;
class QTableView;

namespace zarn {

class TDataSet;
class TDataSetModel;
class TDsMemTable;
class TField;
class TSidePanel;

// A column of the grid: field, title (UTF-8 source text) and width in pixels
// (0: the grid's default).
struct TSloupecVyberu {
  const char* pole;
  const char* titulek;
  int sirka = 0;
};

// A field of the code list and the field of the record it is copied into.
struct TPrevzetiPole {
  const char* z;
  const char* do_;
};

class TVyber : public QWidget {
  Q_OBJECT

 public:
  // Places itself into the panel's content area. The grid shows only the
  // listed columns, in the listed order.
  TVyber(TSidePanel& panel, TDsMemTable& ciselnik, std::vector<TSloupecVyberu> sloupce,
         std::vector<TPrevzetiPole> prevzeti);

  TSidePanel& Panel() const { return panel_; }
  TDsMemTable& Ciselnik() const { return ciselnik_; }
  QTableView* Grid() const { return grid_; }
  QPushButton* Prevzit() const { return prevzit_; }
  QPushButton* Zpet() const { return zpet_; }

  // The record that "Převzít" fills, and what follows the copy (focus).
  TDataSet* Cil = nullptr;
  std::function<void()> PoPrevzeti;
  // The search dialog opened after a title click sorted the list.
  std::function<void(TDataSet&, TField&)> OtevriHledani;

  // "<" beside the record field: with a width, the panel takes it first;
  // then it slides out at once, stays pinned and the grid takes the focus.
  void Vysun(int sirka = 0);
  // "Převzít" or a double click: copies the current row's listed fields as
  // text into Cil (put into edit mode first), closes the panel and runs
  // PoPrevzeti.
  void PrevzitClick();
  // "Zpět": unpinned, the panel slides back at once.
  void ZpetClick();
  // A click on a column title: sorts the list by that column, ascending and
  // case-sensitive, then opens the search dialog at that column.
  void TitleClick(int column);

 private:
  void UkazSloupce();

  TSidePanel& panel_;
  TDsMemTable& ciselnik_;
  std::vector<TSloupecVyberu> sloupce_;
  std::vector<TPrevzetiPole> prevzeti_;
  TDataSetModel* model_;
  QTableView* grid_;
  QPushButton* prevzit_;
  QPushButton* zpet_;
};

// The partner list over the copy of adresar.dbf: takes over ico, nazevpodni,
// kodpar and zadatel.
TVyber* VyberPartnera(TSidePanel& panel, TDsMemTable& partneri);
// The price list over the copy of cenik.dbf: takes over the nomenclature, the
// seed name, the unit, species, variety and grade with their names; never the
// fee.
TVyber* VyberNomenklatury(TSidePanel& panel, TDsMemTable& cenik);

}  // namespace zarn
