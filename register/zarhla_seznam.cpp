// The main window's record list: the grid over the list query, its context
// menu, and the handlers that load, filter, sort and search the list. The
// work itself is in register/seznam.*.
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTableView>

#include "platform/dataset/dataset_model.h"
#include "platform/widgets/wait_cursor.h"
#include "platform/win1250.h"
#include "register/doklad.h"
#include "register/fdoxls.h"
#include "register/hledat.h"
#include "register/rozvrzeni_seznamu.h"
#include "register/sestava.h"
#include "register/seznam.h"
#include "register/zarhla.h"
#include "services/saved_filter.h"

namespace zarn {
namespace {

// The saved filter of the record list.
constexpr char kSeznam[] = "zarhla";

QAction* Polozka(QMenu* menu, const char* name, const char* caption) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setObjectName(QLatin1String(name));
  return item;
}

}  // namespace

void TForm1::BuildListMenu() {
  PopupMenu1 = new QMenu(suiDBGrid1);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  Setditpodlesloupce1 = Polozka(PopupMenu1, "Setditpodlesloupce1", "Setřídit podle sloupce");
  PopupMenu1->addSeparator();
  Hledatvseznamu1 = Polozka(PopupMenu1, "Hledatvseznamu1", "Hledat v seznamu");
  PopupMenu1->addSeparator();
  Exportvybranchdajdo1 = Polozka(PopupMenu1, "Exportvybranchdajdo1", "Export vybraných údajů do XLS");
  QMenu* tisk = PopupMenu1->addMenu(QString::fromUtf8("Tisk aktuálního seznamu"));
  Tiskaktualnihoseznamu1 = tisk->menuAction();
  Tiskaktualnihoseznamu1->setObjectName(QStringLiteral("Tiskaktualnihoseznamu1"));
  Sestava1 = Polozka(tisk, "Sestava1", "Sestava");
  PopupMenu1->addSeparator();
  Pidatdotdchokle1 = Polozka(PopupMenu1, "Pidatdotdchokle1", "FILTR - přidat =");
  FILTRpidatOd1 = Polozka(PopupMenu1, "FILTRpidatOd1", "FILTR - přidat Od");
  FILTRpidatDo1 = Polozka(PopupMenu1, "FILTRpidatDo1", "FILTR - přidat Do");
  Zobrazfiltr1 = Polozka(PopupMenu1, "Zobrazfiltr1", "FILTR - zobrazit filtr");
  Smazatfiltr1 = Polozka(PopupMenu1, "Smazatfiltr1", "FILTR - smazat celý filtr");
  FILTRsmazatposledn1 = Polozka(PopupMenu1, "FILTRsmazatposledn1", "FILTR - smazat poslední");

  connect(Setditpodlesloupce1, &QAction::triggered, this, &TForm1::Setditpodlesloupce1Click);
  connect(Hledatvseznamu1, &QAction::triggered, this, &TForm1::Hledatvseznamu1Click);
  connect(Exportvybranchdajdo1, &QAction::triggered, this, &TForm1::Exportvybranchdajdo1Click);
  connect(Sestava1, &QAction::triggered, this, [this] { UkazSestavu(this, ZQuery1, *suiDBGrid1); });
  connect(Pidatdotdchokle1, &QAction::triggered, this, &TForm1::Pidatdotdchokle1Click);
  connect(FILTRpidatOd1, &QAction::triggered, this, &TForm1::FILTRpidatOd1Click);
  connect(FILTRpidatDo1, &QAction::triggered, this, &TForm1::FILTRpidatDo1Click);
  connect(Zobrazfiltr1, &QAction::triggered, this, &TForm1::Zobrazfiltr1Click);
  connect(Smazatfiltr1, &QAction::triggered, this, &TForm1::Smazatfiltr1Click);
  connect(FILTRsmazatposledn1, &QAction::triggered, this, &TForm1::FILTRsmazatposledn1Click);
}

// The grid and the list query keep one current row: a selected cell makes its
// row current, and a row made current elsewhere (the search) is selected.
void TForm1::ConnectListGrid() {
  ListModel = new TDataSetModel(&ZQuery1, this);
  suiDBGrid1->setModel(ListModel);
  UmozniUpravuSloupcu(*suiDBGrid1);
  suiDBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(suiDBGrid1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(suiDBGrid1->viewport()->mapToGlobal(at)); });
  connect(suiDBGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { ListModel->SelectRow(current.row()); });
  connect(ListModel, &TDataSetModel::currentRowChanged, this, [this](int row) {
    const QModelIndex current = suiDBGrid1->currentIndex();
    if (row < 0 || current.row() == row) return;
    suiDBGrid1->setCurrentIndex(ListModel->index(row, current.isValid() ? current.column() : 0));
  });
  connect(suiDBGrid1, &QAbstractItemView::doubleClicked, this, [this] { Doklad->suiDBGrid1DblClick(); });
}

// The layout the grid shows is kept over the reload, which gives the grid new
// columns. A refused statement leaves the list empty and the error raised.
void TForm1::UdelejSQL() {
  TWaitCursor wait;
  if (TRozvrzeniSeznamu shown = RozvrzeniMrizky(*suiDBGrid1); !shown.empty()) Rozvrzeni = std::move(shown);
  ZQuery1.Close();
  ZQuery1.SQL() = PrikazSeznamu(FiltrSQL, Trideni);
  Spojeni1();
  ZQuery1.Open();
  PouzijRozvrzeni(Rozvrzeni, *suiDBGrid1);
  suiDBGrid1->setUpdatesEnabled(false);
  const TSouctySeznamu soucty = SpoctiSoucty(ZQuery1);
  TotalQuantity->setText(FromWin1250(TextMnozstvi(soucty.mnozstvi)));
  TotalFees->setText(FromWin1250(TextPoplatku(soucty.poplatky)));
  TotalPaid->setText(FromWin1250(TextPoplatku(soucty.zaplaceno)));
  suiDBGrid1->setUpdatesEnabled(true);
  ListCaption->setText(FromWin1250(TitulekSeznamu({FiltrSQL, FiltrPopis})));
}

TField* TForm1::VybranySloupec() const {
  const QModelIndex current = suiDBGrid1->currentIndex();
  if (current.isValid()) return ListModel->FieldAt(current.column());
  const QHeaderView* header = suiDBGrid1->horizontalHeader();
  for (int visual = 0; visual < header->count(); ++visual)
    if (!header->isSectionHidden(header->logicalIndex(visual))) return ListModel->FieldAt(header->logicalIndex(visual));
  return nullptr;
}

// The step is saved before the list loads, so a step the server refuses is
// there at the next start too, and "FILTR - smazat poslední" removes it.
void TForm1::UdelejFiltr() {
  TField* sloupec = VybranySloupec();
  if (sloupec == nullptr) return;
  const TFiltrSeznamu filtr = PridejKrokFiltru({FiltrSQL, FiltrPopis}, FiltrOperator, *sloupec, sloupec->DisplayLabel());
  FiltrSQL = filtr.sql;
  FiltrPopis = filtr.popis;
  PridejFiltr(kSeznam, FiltrSQL, FiltrPopis);
  UdelejSQL();
}

void TForm1::Pidatdotdchokle1Click() {
  FiltrOperator = " = ";
  UdelejFiltr();
}

void TForm1::FILTRpidatOd1Click() {
  FiltrOperator = " >= ";
  UdelejFiltr();
}

void TForm1::FILTRpidatDo1Click() {
  FiltrOperator = " <= ";
  UdelejFiltr();
}

void TForm1::Zobrazfiltr1Click() {
  dotaz.Text = FiltrPopis;
  dotaz.PocetTlacitek = 1;
  dotaz.Tlacitko1 = "OK";
  dotaz.Ikona = TMsgIcon::Information;
  dotaz.Execute(this);
}

void TForm1::Smazatfiltr1Click() {
  const SavedFilter filtr = ZrusFiltr(kSeznam);
  FiltrSQL = filtr.condition;
  FiltrPopis = filtr.description;
  UdelejSQL();
}

void TForm1::FILTRsmazatposledn1Click() {
  const SavedFilter filtr = ZrusPosledniFiltr(kSeznam);
  FiltrSQL = filtr.condition;
  FiltrPopis = filtr.description;
  if (FiltrSQL.empty()) Smazatfiltr1Click();
  else UdelejSQL();
}

void TForm1::Setditpodlesloupce1Click() {
  TField* sloupec = VybranySloupec();
  if (sloupec == nullptr) return;
  Trideni = TrideniPodle(sloupec->FieldName());
  UdelejSQL();
}

void TForm1::Hledatvseznamu1Click() {
  if (TField* sloupec = VybranySloupec()) OtevriHledani(ZQuery1, *sloupec);
}

void TForm1::OtevriHledani(TDataSet& dataset, TField& column) {
  std::vector<TField*> sloupce;
  for (const auto& field : dataset.Fields())
    if (field->Visible()) sloupce.push_back(field.get());
  THledat hledat(dataset, std::move(sloupce), &column, this);
  hledat.exec();
}

void TForm1::Exportvybranchdajdo1Click() {
  TFdoXLS okno(ZQuery1, *suiDBGrid1, Spojeni1(), this);
  okno.exec();
}

}  // namespace zarn
