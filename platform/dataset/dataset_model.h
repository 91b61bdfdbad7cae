// TDataSetModel: a Qt table model over a dataset's row interface, for grids.
// Columns are the dataset's visible fields in field order, titled by their
// DisplayLabel; cells are the fields' display texts of the rows' values.
// Sorting asks the dataset to reorder its rows (no proxy model), and the
// model follows the dataset through a data link: rows, columns and the
// current row stay in step without the view ever reading storage.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "platform/dataset/data_link.h"

namespace zarn {

class TField;

class TDataSetModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TDataSetModel(TDataSet* dataset = nullptr, QObject* parent = nullptr);
  ~TDataSetModel() override;

  void SetDataSet(TDataSet* dataset);
  TDataSet* DataSet() const { return link_.DataSet(); }
  // The field shown in the column, or nullptr.
  TField* FieldAt(int column) const;
  // The column that shows the field, or -1.
  int ColumnOf(const TField* field) const;
  // Makes the row the dataset's current record; the view calls it when the
  // selection moves.
  void SelectRow(int row);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

 signals:
  // Another record became current (row -1: none).
  void currentRowChanged(int row);

 private:
  class Link : public TDataLink {
   public:
    explicit Link(TDataSetModel& model) : model_(model) {}
    void DataEvent(TDataEvent event, TField* field) override { model_.OnDataEvent(event, field); }

   private:
    TDataSetModel& model_;
  };

  void OnDataEvent(TDataEvent event, TField* field);
  // Re-reads columns and row count from the dataset and resets the views.
  void Rebuild();
  void CurrentRowValuesChanged();

  Link link_;
  std::vector<TField*> columns_;
  int row_count_ = 0;
  int current_row_ = -1;
  bool active_ = false;  // the model shows an open dataset
};

}  // namespace zarn
