// What the spreadsheet writer exports: a fixed list of columns, each with a
// title and a kind, then the rows one at a time. A dataset, a grid model or a
// test adapts itself to this interface, so the list is read straight from its
// owner and never copied.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarn {

// kNull is a column that has no exportable values (a blob, say): only its
// title is written.
enum class XlsColumnKind { kText, kNumber, kDate, kNull };

struct XlsColumn {
  std::string title;  // Windows-1250
  XlsColumnKind kind = XlsColumnKind::kText;
};

// One cell of the current row. The writer reads `text` (Windows-1250) in a text
// column and `number` in a number column or, as a TDateTime, in a date column.
struct XlsValue {
  bool is_null = true;
  double number = 0;
  std::string_view text;
};

class XlsRowSource {
 public:
  virtual ~XlsRowSource() = default;
  // The columns in the order of the sheet's columns; asked once, before any row.
  virtual std::vector<XlsColumn> Columns() = 0;
  // Sets every element of `values` (one per column) to the next row and
  // returns true, or returns false when there are no more rows. Texts must
  // stay valid until the next call.
  virtual bool NextRow(std::span<XlsValue> values) = 0;
};

}  // namespace zarn
