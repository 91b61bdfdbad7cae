#include "register/rozvrzeni_seznamu.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <fstream>
#include <sstream>

#include "platform/dataset/dataset.h"
#include "platform/dataset/dataset_model.h"
#include "platform/dataset/field.h"
#include "platform/dataset/number_text.h"

namespace zarn {
namespace {

constexpr char kZnacka[] = "ZARN-SLO 1";

std::vector<std::string> RozdelTabulatory(const std::string& line) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(line);
  while (std::getline(in, part, '\t')) parts.push_back(part);
  return parts;
}

std::optional<TSloupecSeznamu> CtiSloupec(const std::string& line) {
  const std::vector<std::string> parts = RozdelTabulatory(line);
  if (parts.size() != 4 || parts[0].empty() || (parts[3] != "0" && parts[3] != "1")) return std::nullopt;
  const std::optional<int32_t> width = TryStrToInt(parts[2]);
  if (!width || *width < 0) return std::nullopt;
  return TSloupecSeznamu{parts[0], parts[1], *width, parts[3] == "1"};
}

// Titles and names are one line each: a tab or line break would break the file.
std::string BezOddelovacu(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return text;
}

const TDataSetModel* Model(const QTableView& grid) { return qobject_cast<const TDataSetModel*>(grid.model()); }

int ZobrazenychSloupcu(const QHeaderView& header) { return header.count() - header.hiddenSectionCount(); }

}  // namespace

std::optional<TRozvrzeniSeznamu> NactiRozvrzeni(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  auto next_line = [&] {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  };
  if (!next_line() || line != kZnacka) return std::nullopt;
  TRozvrzeniSeznamu rozvrzeni;
  while (next_line()) {
    if (line.empty()) continue;
    std::optional<TSloupecSeznamu> sloupec = CtiSloupec(line);
    if (!sloupec) return std::nullopt;
    rozvrzeni.push_back(*sloupec);
  }
  return rozvrzeni;
}

bool UlozRozvrzeni(const std::string& path, const TRozvrzeniSeznamu& rozvrzeni) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << kZnacka << "\r\n";
  for (const TSloupecSeznamu& s : rozvrzeni)
    out << BezOddelovacu(s.name) << '\t' << BezOddelovacu(s.title) << '\t' << s.width << '\t'
        << (s.visible ? '1' : '0') << "\r\n";
  out.flush();
  return static_cast<bool>(out);
}

TRozvrzeniSeznamu RozvrzeniMrizky(const QTableView& grid) {
  TRozvrzeniSeznamu rozvrzeni;
  const TDataSetModel* model = Model(grid);
  if (model == nullptr) return rozvrzeni;
  const QHeaderView* header = grid.horizontalHeader();
  for (int visual = 0; visual < header->count(); ++visual) {
    const int column = header->logicalIndex(visual);
    const TField* field = model->FieldAt(column);
    if (field == nullptr) continue;
    rozvrzeni.push_back({field->FieldName(), field->DisplayLabel(), header->sectionSize(column),
                         !header->isSectionHidden(column)});
  }
  return rozvrzeni;
}

void PouzijRozvrzeni(const TRozvrzeniSeznamu& rozvrzeni, QTableView& grid) {
  auto* model = qobject_cast<TDataSetModel*>(grid.model());
  if (model == nullptr || model->columnCount() == 0) return;
  QHeaderView* header = grid.horizontalHeader();
  int visual = 0;
  for (const TSloupecSeznamu& s : rozvrzeni) {
    TField* field = model->DataSet()->FindField(s.name);
    const int column = model->ColumnOf(field);
    if (column < 0) continue;
    field->SetDisplayLabel(s.title);
    header->moveSection(header->visualIndex(column), visual++);
    if (s.width > 0) header->resizeSection(column, s.width);
    header->setSectionHidden(column, !s.visible);
  }
  emit model->headerDataChanged(Qt::Horizontal, 0, model->columnCount() - 1);
}

void NaplnNabidkuSloupcu(QMenu& menu, QTableView& grid) {
  menu.clear();
  QHeaderView* header = grid.horizontalHeader();
  const bool posledni = ZobrazenychSloupcu(*header) <= 1;
  for (int visual = 0; visual < header->count(); ++visual) {
    const int column = header->logicalIndex(visual);
    QAction* item = menu.addAction(grid.model()->headerData(column, Qt::Horizontal).toString());
    item->setCheckable(true);
    item->setChecked(!header->isSectionHidden(column));
    item->setEnabled(!(posledni && item->isChecked()));
    QObject::connect(item, &QAction::toggled, header, [header, column](bool shown) {
      if (shown || ZobrazenychSloupcu(*header) > 1) header->setSectionHidden(column, !shown);
    });
  }
}

void UmozniUpravuSloupcu(QTableView& grid) {
  QHeaderView* header = grid.horizontalHeader();
  header->setSectionsMovable(true);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(header, &QWidget::customContextMenuRequested, header, [&grid, header](const QPoint& at) {
    QMenu menu(header);
    NaplnNabidkuSloupcu(menu, grid);
    menu.exec(header->mapToGlobal(at));
  });
}

}  // namespace zarn
