#include "register/list_export.h"

#include <QHeaderView>
#include <QTableView>

#include "platform/dataset/dataset.h"
#include "platform/dataset/dataset_model.h"
#include "platform/win1250.h"

namespace zarn {

// "Evidence licenčních poplatků" in Windows-1250.
const char* const kExportSheetName = "Evidence licen\xE8n\xED" "ch poplatk\xF9";

std::vector<TExportColumn> GridColumns(const QTableView& grid) {
  std::vector<TExportColumn> columns;
  const auto* model = qobject_cast<const TDataSetModel*>(grid.model());
  if (model == nullptr) return columns;
  const QHeaderView& header = *grid.horizontalHeader();
  for (int visual = 0; visual < header.count(); ++visual) {
    const int logical = header.logicalIndex(visual);
    if (header.isSectionHidden(logical)) continue;
    const TField* field = model->FieldAt(logical);
    if (field == nullptr) continue;
    columns.push_back({field, ToWin1250(model->headerData(logical, Qt::Horizontal).toString())});
  }
  return columns;
}

std::vector<TExportColumn> AllColumns(const TDataSet& dataset) {
  std::vector<TExportColumn> columns;
  for (int i = 0; i < dataset.FieldCount(); ++i) {
    const TField& field = dataset.Fields()[i];
    columns.push_back({&field, field.FieldName()});
  }
  return columns;
}

XlsColumnKind ExportKindOf(const TField& field) {
  switch (FamilyOf(field.DataType())) {
    case TFieldFamily::Integer: case TFieldFamily::Float: return XlsColumnKind::kNumber;
    case TFieldFamily::Date: case TFieldFamily::Time: case TFieldFamily::DateTime: return XlsColumnKind::kDate;
    case TFieldFamily::Bytes: return XlsColumnKind::kNull;
    case TFieldFamily::Blob:
      return field.DataType() == ftMemo || field.DataType() == ftFmtMemo ? XlsColumnKind::kText : XlsColumnKind::kNull;
    default: return XlsColumnKind::kText;
  }
}

std::vector<XlsColumn> TDataSetXlsSource::Columns() {
  std::vector<XlsColumn> sheet_columns;
  kinds_.clear();
  for (const TExportColumn& column : columns_) {
    kinds_.push_back(ExportKindOf(*column.field));
    sheet_columns.push_back({column.title, kinds_.back()});
  }
  return sheet_columns;
}

bool TDataSetXlsSource::NextRow(std::span<XlsValue> values) {
  if (next_row_ >= dataset_.RowCount()) return false;
  for (size_t c = 0; c < columns_.size(); ++c) {
    const Variant value = dataset_.RowValue(next_row_, *columns_[c].field);
    values[c] = XlsValue{};
    if (value.IsClear() || kinds_[c] == XlsColumnKind::kNull) continue;
    if (kinds_[c] == XlsColumnKind::kText) {
      texts_[c] = value.ToString();
      values[c] = {false, 0, texts_[c]};
    } else {
      values[c] = {false, kinds_[c] == XlsColumnKind::kDate ? value.ToDateTime() : value.ToDouble(), {}};
    }
  }
  ++next_row_;
  return true;
}

XlsWriteResult ExportDataSetToXls(const std::filesystem::path& target, TDataSet& dataset,
                                  std::vector<TExportColumn> columns, const XlsProgress& progress) {
  TDataSetXlsSource source(dataset, std::move(columns));
  return WriteXlsWorkbook(target, kExportSheetName, source, progress);
}

}  // namespace zarn
