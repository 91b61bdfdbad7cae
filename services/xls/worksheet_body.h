// The worksheets of a workbook, written one after another into the scratch
// file that follows the workbook globals in the "Workbook" stream. Each
// worksheet holds the column titles in row 0 and the data rows below them.
// Cells are NUMBER and LABELSST records; no ROW, INDEX or DBCELL records are
// written: they only speed up Excel's reading and every reader copes without.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "services/xls/scratch_file.h"
#include "services/xls/shared_strings.h"
#include "services/xls/xls_row_source.h"

namespace zarn {

// A BIFF8 worksheet has 65,536 rows; the first holds the titles.
constexpr uint32_t kXlsMaxDataRowsPerSheet = 65535;

class WorksheetBodyWriter {
 public:
  // Writes into `body` and puts every text into `strings`; both must outlive
  // the writer. `columns` are at most 256.
  WorksheetBodyWriter(ScratchFile& body, SharedStringTable& strings, const std::vector<XlsColumn>& columns);

  // Opens a new worksheet and writes its title row.
  void BeginSheet();
  // Writes one data row to the open worksheet, which must have fewer than
  // kXlsMaxDataRowsPerSheet rows. `values` has one element per column.
  void WriteRow(std::span<const XlsValue> values);
  // Closes the open worksheet and fills in its dimensions.
  void EndSheet();

  uint32_t DataRowsInSheet() const { return data_rows_; }
  // Position in the body of each worksheet's BOF record.
  const std::vector<uint64_t>& SheetOffsets() const { return sheet_offsets_; }

 private:
  void AppendText(uint16_t row, uint16_t column, uint16_t style, std::string_view text);
  void AppendNumber(uint16_t row, uint16_t column, uint16_t style, double value);

  ScratchFile& body_;
  SharedStringTable& strings_;
  std::vector<XlsColumn> columns_;
  std::vector<uint64_t> sheet_offsets_;
  uint64_t dimensions_pos_ = 0;
  uint32_t data_rows_ = 0;
  std::string records_;  // records of the row being written; reused
};

}  // namespace zarn
