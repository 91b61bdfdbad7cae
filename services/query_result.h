// QueryResult holds every row of a server result in memory, each value
// decoded once into the kind of its field (whole numbers, floating numbers,
// date-times, Windows-1250 text or raw bytes) and stored column by column.
// The query dataset reads its records from here, and a grid reads any row at
// random without touching the server again.
#pragma once

#include <mysql.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dataset/variant.h"
#include "services/query_field_type.h"

namespace zarn {

struct QueryColumn {
  std::string name;          // the column's name or alias in the result
  ColumnFieldType field;     // for ftString the size covers the longest value
  unsigned long longest = 0; // longest value of the column in bytes, as sent
};

class QueryResult {
 public:
  QueryResult() = default;
  // Reads the rest of `result`, stored or still streaming from the server.
  // A streaming result ends early when the link fails; the caller checks
  // the connection's error afterwards (TServerConnection::Query does).
  explicit QueryResult(MYSQL_RES* result);

  size_t RowCount() const { return row_count_; }
  size_t ColumnCount() const { return columns_.size(); }
  const QueryColumn& Column(size_t column) const { return columns_[column].info; }

  // Row and column must be in range.
  bool IsNull(size_t row, size_t column) const { return columns_[column].nulls[row]; }
  // For ftSmallint, ftInteger and ftLargeint columns.
  int64_t Integer(size_t row, size_t column) const { return columns_[column].integers[row]; }
  // For ftFloat, ftDate, ftTime and ftDateTime columns (dates as TDateTime).
  double Number(size_t row, size_t column) const { return columns_[column].numbers[row]; }
  // For ftString, ftMemo and ftBlob columns.
  std::string_view Text(size_t row, size_t column) const;
  // Any column's value as a Variant; null for NULL.
  Variant Value(size_t row, size_t column) const;

 private:
  enum class Kind { kInteger, kNumber, kDate, kTime, kDateTime, kText };

  struct ColumnValues {
    QueryColumn info;
    Kind kind = Kind::kText;
    std::vector<bool> nulls;
    std::vector<int64_t> integers;
    std::vector<double> numbers;
    std::string bytes;              // texts one after another
    std::vector<size_t> text_ends;  // end of each row's text in bytes
  };

  static Kind KindOf(TFieldType type);
  static void Append(ColumnValues& column, const char* text, unsigned long length);

  std::vector<ColumnValues> columns_;
  size_t row_count_ = 0;
};

}  // namespace zarn
