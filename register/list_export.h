// The record list as the spreadsheet export sees it: which columns go into
// zarn.xls, with which titles, and a row source that reads the rows straight
// from the dataset's row interface (nothing is copied, so a list of any
// length exports in constant memory).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "services/xls/xls_row_source.h"
#include "services/xls/xls_writer.h"

class QTableView;

namespace zarn {

class TDataSet;
class TField;

// One column of the exported sheet: the field it reads and its title
// (Windows-1250).
struct TExportColumn {
  const TField* field;
  std::string title;
};

// The columns a grid over a TDataSetModel shows, in the order the user sees
// them (moved columns included), with the titles of its header. Hidden
// columns are left out.
std::vector<TExportColumn> GridColumns(const QTableView& grid);

// Every field of the dataset in field order, titled by its name.
std::vector<TExportColumn> AllColumns(const TDataSet& dataset);

// Spreadsheet kind of a field type: integers and floats are numbers, dates and
// times dates, text memos text; other blobs and byte fields have no cells.
XlsColumnKind ExportKindOf(const TField& field);

class TDataSetXlsSource : public XlsRowSource {
 public:
  TDataSetXlsSource(TDataSet& dataset, std::vector<TExportColumn> columns)
      : dataset_(dataset), columns_(std::move(columns)), texts_(columns_.size()) {}

  std::vector<XlsColumn> Columns() override;
  bool NextRow(std::span<XlsValue> values) override;

 private:
  TDataSet& dataset_;
  std::vector<TExportColumn> columns_;
  std::vector<XlsColumnKind> kinds_;
  std::vector<std::string> texts_;  // the current row's texts, alive until the next row
  int next_row_ = 0;
};

// The name of the one worksheet (and the stem of its continuations).
extern const char* const kExportSheetName;

// Writes every row of `dataset` in `columns` to `target`; see WriteXlsWorkbook.
XlsWriteResult ExportDataSetToXls(const std::filesystem::path& target, TDataSet& dataset,
                                  std::vector<TExportColumn> columns, const XlsProgress& progress = {});

}  // namespace zarn
