#include "platform/dataset/dataset_model.h"

#include "platform/dataset/dataset.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

// Rows and fields can be read: open and no longer opening.
bool IsReadable(const TDataSet* dataset) {
  return dataset && dataset->Active() && dataset->State() != dsOpening;
}

}  // namespace

TDataSetModel::TDataSetModel(TDataSet* dataset, QObject* parent) : QAbstractTableModel(parent), link_(*this) {
  SetDataSet(dataset);
}

TDataSetModel::~TDataSetModel() = default;

void TDataSetModel::SetDataSet(TDataSet* dataset) {
  link_.SetDataSet(dataset);
  Rebuild();
}

TField* TDataSetModel::FieldAt(int column) const {
  return column >= 0 && column < static_cast<int>(columns_.size()) ? columns_[column] : nullptr;
}

int TDataSetModel::ColumnOf(const TField* field) const {
  for (size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i] == field) return static_cast<int>(i);
  return -1;
}

void TDataSetModel::SelectRow(int row) {
  TDataSet* dataset = DataSet();
  if (!IsReadable(dataset) || row < 0 || row >= row_count_ || row == dataset->CurrentRow()) return;
  dataset->GotoRow(row);
}

void TDataSetModel::Rebuild() {
  beginResetModel();
  columns_.clear();
  row_count_ = 0;
  current_row_ = -1;
  active_ = IsReadable(DataSet());
  if (active_) {
    TDataSet* dataset = DataSet();
    for (const auto& field : dataset->Fields())
      if (field->Visible()) columns_.push_back(field.get());
    row_count_ = dataset->RowCount();
    current_row_ = dataset->CurrentRow();
  }
  endResetModel();
}

void TDataSetModel::CurrentRowValuesChanged() {
  if (current_row_ >= 0 && current_row_ < row_count_ && !columns_.empty())
    emit dataChanged(index(current_row_, 0), index(current_row_, columnCount() - 1));
}

void TDataSetModel::OnDataEvent(TDataEvent event, TField* field) {
  (void)field;
  TDataSet* dataset = DataSet();
  if (!IsReadable(dataset)) {
    if (active_) Rebuild();
    return;
  }
  switch (event) {
    case deLayoutChange:
      Rebuild();
      break;
    case deUpdateState:
      if (!active_) Rebuild();
      else CurrentRowValuesChanged();
      break;
    case deDataSetChange:
      if (dataset->RowCount() != row_count_) {
        Rebuild();
      } else if (row_count_ > 0 && !columns_.empty()) {
        emit dataChanged(index(0, 0), index(row_count_ - 1, columnCount() - 1));
      }
      break;
    case deDataSetScroll:
      break;
    case deFieldChange:
    case deRecordChange:
      CurrentRowValuesChanged();
      return;
    default:
      return;
  }
  const int row = dataset->CurrentRow();
  if (row != current_row_ || event == deDataSetChange) {
    current_row_ = row;
    emit currentRowChanged(row);
  }
}

int TDataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : row_count_; }

int TDataSetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TDataSetModel::data(const QModelIndex& index, int role) const {
  TField* field = FieldAt(index.column());
  if (!field || index.row() < 0 || index.row() >= row_count_) return {};
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::Alignment((field->IsNumeric() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  TDataSet& dataset = *DataSet();
  // The record being edited shows what is typed, the others what is stored.
  const bool edited = dataset.State() == dsEdit && index.row() == current_row_;
  const Variant value = edited ? field->AsVariant() : dataset.RowValue(index.row(), *field);
  return FromWin1250(field->TextOf(value, role == Qt::DisplayRole));
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
    if (TField* field = FieldAt(section)) return FromWin1250(field->DisplayLabel());
  // Grids keep a narrow record indicator at the left instead of row numbers.
  if (orientation == Qt::Vertical && role == Qt::DisplayRole) return QString();
  return QAbstractTableModel::headerData(section, orientation, role);
}

void TDataSetModel::sort(int column, Qt::SortOrder order) {
  if (TField* field = FieldAt(column)) DataSet()->SortRows(*field, order == Qt::DescendingOrder);
}

}  // namespace zarn
