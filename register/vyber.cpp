#include "register/vyber.h"

#include <QHBoxLayout>
#include <algorithm>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "dbf/memtable/mem_table.h"
#include "platform/dataset/dataset_model.h"
#include "platform/widgets/side_panel.h"
#include "platform/win1250.h"

namespace zarn {

TVyber::TVyber(TSidePanel& panel, TDsMemTable& ciselnik, std::vector<TSloupecVyberu> sloupce,
               std::vector<TPrevzetiPole> prevzeti)
    : QWidget(panel.Obsah()),
      panel_(panel),
      ciselnik_(ciselnik),
      sloupce_(std::move(sloupce)),
      prevzeti_(std::move(prevzeti)) {
  model_ = new TDataSetModel(nullptr, this);
  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("Grid"));
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setAlternatingRowColors(true);
  grid_->verticalHeader()->setDefaultSectionSize(18);
  grid_->verticalHeader()->setFixedWidth(12);
  grid_->setModel(model_);
  prevzit_ = new QPushButton(QString::fromUtf8("Převzít"), this);
  zpet_ = new QPushButton(QString::fromUtf8("Zpět"), this);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(prevzit_);
  buttons->addWidget(zpet_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_, 1);
  layout->addLayout(buttons);
  QLayout* host = panel.Obsah()->layout();
  if (host == nullptr) host = new QVBoxLayout(panel.Obsah());
  host->setContentsMargins(0, 0, 0, 0);
  host->addWidget(this);

  connect(prevzit_, &QPushButton::clicked, this, &TVyber::PrevzitClick);
  connect(zpet_, &QPushButton::clicked, this, &TVyber::ZpetClick);
  connect(grid_, &QTableView::doubleClicked, this, &TVyber::PrevzitClick);
  connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TVyber::TitleClick);
  connect(model_, &TDataSetModel::modelReset, this, &TVyber::UkazSloupce);
  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { model_->SelectRow(current.row()); });
  connect(model_, &TDataSetModel::currentRowChanged, this, [this](int row) {
    if (row >= 0 && grid_->currentIndex().row() != row) grid_->selectRow(row);
  });
  model_->SetDataSet(&ciselnik_);
  UkazSloupce();
}

// Titles and widths go onto the copy's field objects, which only this grid
// shows; fields that are not listed are hidden. A field the code list lacks
// is left out of the grid (taking over a row names it in its error).
void TVyber::UkazSloupce() {
  if (!ciselnik_.Active()) return;
  for (int i = 0; i < ciselnik_.FieldCount(); ++i) {
    TField& field = ciselnik_.Fields()[i];
    const auto listed = std::find_if(sloupce_.begin(), sloupce_.end(), [&](const TSloupecVyberu& s) {
      return ciselnik_.FindField(s.pole) == &field;
    });
    if (listed == sloupce_.end()) {
      if (field.Visible()) field.SetVisible(false);
      continue;
    }
    field.SetDisplayLabel(Utf8ToWin1250(listed->titulek));
  }
  QHeaderView* header = grid_->horizontalHeader();
  int visual = 0;
  for (const TSloupecVyberu& sloupec : sloupce_) {
    const int column = model_->ColumnOf(ciselnik_.FindField(sloupec.pole));
    if (column < 0) continue;
    header->moveSection(header->visualIndex(column), visual++);
    if (sloupec.sirka > 0) grid_->setColumnWidth(column, sloupec.sirka);
  }
}

void TVyber::Vysun(int sirka) {
  if (sirka > 0) panel_.SetPopWidth(sirka);
  panel_.Pop(false);
  panel_.SetStayOn(true);
  grid_->setFocus();
}

void TVyber::PrevzitClick() {
  if (Cil == nullptr || !ciselnik_.Active() || ciselnik_.IsEmpty()) return;
  if (Cil->State() != dsEdit && Cil->State() != dsInsert) Cil->Edit();
  for (const TPrevzetiPole& pole : prevzeti_) {
    Cil->FieldByName(pole.do_).SetAsString(ciselnik_.FieldByName(pole.z).AsString());
  }
  ZpetClick();
  if (PoPrevzeti) PoPrevzeti();
}

void TVyber::ZpetClick() {
  panel_.SetStayOn(false);
  panel_.Push(false);
}

void TVyber::TitleClick(int column) {
  TField* field = model_->FieldAt(column);
  if (field == nullptr) return;
  ciselnik_.SortByFields(field->FieldName());
  if (OtevriHledani) OtevriHledani(ciselnik_, *field);
}

TVyber* VyberPartnera(TSidePanel& panel, TDsMemTable& partneri) {
  return new TVyber(panel, partneri,
                    {{"ico", "IČO/stř."},
                     {"nazevpodni", "Název"},
                     {"sidlo", "Sídlo", 150},
                     {"ulicecislo", "Ulice", 150},
                     {"psc", "PSČ", 38},
                     {"posta", "Pošta", 130},
                     {"kodpar", "Kod partnera", 120}},
                    {{"ico", "ico"}, {"nazevpodni", "nazevpodni"}, {"kodpar", "kodpar"}, {"zadatel", "zadatel"}});
}

TVyber* VyberNomenklatury(TSidePanel& panel, TDsMemTable& cenik) {
  return new TVyber(panel, cenik,
                    {{"NOMENKLA", "Nomenklatura", 80},
                     {"NAZEVOSIVA", "Název osiva", 200},
                     {"MJ", "MJ", 25},
                     {"DAN", "dph", 22},
                     {"VAHAO", "Váha obalu", 45}},
                    {{"NOMENKLA", "nomenkla"},
                     {"NAZEVOSIVA", "nazevosiva"},
                     {"MJ", "mj"},
                     {"DRUH", "druh"},
                     {"ODRUDA", "odruda"},
                     {"STUPEN", "stupen"},
                     {"NAZ_DRU", "naz_dru"},
                     {"NAZ_ODRU", "naz_odru"}});
}

}  // namespace zarn
