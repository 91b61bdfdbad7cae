#include "services/xls/worksheet_body.h"

#include <cassert>
#include <cmath>
#include <optional>

#include "platform/datetime.h"
#include "services/xls/biff_record.h"
#include "services/xls/biff_string.h"
#include "services/xls/cell_styles.h"
#include "services/xls/little_endian.h"

namespace zarn {
namespace {

// WINDOW2 options: grid lines, headers, zeros, outline symbols and the
// default grid colour; the first sheet is also selected and shown.
constexpr uint16_t kWindow2Options = 0x00B6;
constexpr uint16_t kWindow2ActiveSheet = 0x0600;

// TDateTime 2 is 1 January 1900 and 61 is 1 March 1900. Excel counts from
// 1 = 1 January 1900 too, but takes 1900 for a leap year, so from 1 March 1900
// on the two serials agree and before it Excel's is one less. Dates before
// 1900 (the zero date 0 among them) have no Excel serial; a bare time of day
// (a fraction with no days) is the same fraction in Excel.
constexpr double kFirstExcelDate = 2;
constexpr double kFirstSharedSerial = 61;

struct DateCell {
  double serial;
  uint16_t style;
};

// The Excel cell of a date column's value, or nothing for a value that Excel
// cannot show as a date.
std::optional<DateCell> ExcelDateCell(TDateTime value) {
  if (value > 0 && value < 1) return DateCell{value, kXfTime};
  if (!(value >= kFirstExcelDate) || !std::isfinite(value)) return std::nullopt;
  const double serial = value < kFirstSharedSerial ? value - 1 : value;
  return DateCell{serial, serial == std::floor(serial) ? kXfDate : kXfDateTime};
}

void AppendDimensions(std::string& out, uint32_t rows, uint16_t columns) {
  const size_t header_pos = BeginBiffRecord(out, kBiffDimensions);
  PutU32(out, 0);  // first row
  PutU32(out, rows);  // last row + 1
  PutU16(out, 0);  // first column
  PutU16(out, columns);  // last column + 1
  PutU16(out, 0);
  EndBiffRecord(out, header_pos);
}

void AppendWindow2(std::string& out, uint16_t options) {
  const size_t header_pos = BeginBiffRecord(out, kBiffWindow2);
  PutU16(out, options);
  PutU16(out, 0);     // top row shown
  PutU16(out, 0);     // left column shown
  PutU32(out, 0x40);  // grid colour: automatic
  PutU16(out, 0);     // zoom of the page break preview: default
  PutU16(out, 0);     // zoom of the normal view: default
  PutU32(out, 0);
  EndBiffRecord(out, header_pos);
}

void AppendCellAddress(std::string& out, uint16_t type, uint16_t length, uint16_t row, uint16_t column,
                       uint16_t style) {
  PutU16(out, type);
  PutU16(out, length);
  PutU16(out, row);
  PutU16(out, column);
  PutU16(out, style);
}

}  // namespace

WorksheetBodyWriter::WorksheetBodyWriter(ScratchFile& body, SharedStringTable& strings,
                                         const std::vector<XlsColumn>& columns)
    : body_(body), strings_(strings), columns_(columns) {
  assert(columns_.size() <= 256);
}

void WorksheetBodyWriter::AppendText(uint16_t row, uint16_t column, uint16_t style, std::string_view text) {
  if (text.empty()) return;  // an empty text is an empty cell, as Excel keeps it
  AppendCellAddress(records_, kBiffLabelSst, 10, row, column, style);
  PutU32(records_, strings_.Add(text.substr(0, kMaxBiffCellChars)));
}

void WorksheetBodyWriter::AppendNumber(uint16_t row, uint16_t column, uint16_t style, double value) {
  AppendCellAddress(records_, kBiffNumber, 14, row, column, style);
  PutF64(records_, value);
}

void WorksheetBodyWriter::BeginSheet() {
  sheet_offsets_.push_back(body_.Size());
  data_rows_ = 0;
  records_.clear();
  AppendBof(records_, kBofWorksheet);
  dimensions_pos_ = body_.Size() + records_.size();
  AppendDimensions(records_, 0, 0);
  for (size_t c = 0; c < columns_.size(); ++c) {
    AppendText(0, static_cast<uint16_t>(c), kXfHeader, columns_[c].title);
  }
  body_.Write(records_);
}

void WorksheetBodyWriter::WriteRow(std::span<const XlsValue> values) {
  assert(values.size() == columns_.size() && data_rows_ < kXlsMaxDataRowsPerSheet);
  const auto row = static_cast<uint16_t>(++data_rows_);
  records_.clear();
  for (size_t c = 0; c < columns_.size(); ++c) {
    const XlsValue& value = values[c];
    if (value.is_null) continue;
    const auto column = static_cast<uint16_t>(c);
    switch (columns_[c].kind) {
      case XlsColumnKind::kText:
        AppendText(row, column, kXfGeneral, value.text);
        break;
      case XlsColumnKind::kNumber:
        // Excel has no infinity or NaN; such a value is left empty.
        if (std::isfinite(value.number)) AppendNumber(row, column, kXfGeneral, value.number);
        break;
      case XlsColumnKind::kDate:
        if (const auto cell = ExcelDateCell(value.number)) AppendNumber(row, column, cell->style, cell->serial);
        break;
      case XlsColumnKind::kNull:
        break;
    }
  }
  body_.Write(records_);
}

void WorksheetBodyWriter::EndSheet() {
  records_.clear();
  const bool first_sheet = sheet_offsets_.size() == 1;
  AppendWindow2(records_, first_sheet ? kWindow2Options | kWindow2ActiveSheet : kWindow2Options);
  AppendEof(records_);
  body_.Write(records_);
  records_.clear();
  const bool has_columns = !columns_.empty();
  AppendDimensions(records_, has_columns ? data_rows_ + 1 : 0, static_cast<uint16_t>(columns_.size()));
  body_.WriteAt(dimensions_pos_, records_);
}

}  // namespace zarn
