#include "services/query_result.h"

#include <charconv>
#include <climits>

#include "platform/datetime.h"

namespace zarn {
namespace {

// Reads `count` decimal digits at *p and advances past them; -1 when a
// character is not a digit.
int Digits(const char*& p, const char* end, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i, ++p) {
    if (p == end || *p < '0' || *p > '9') return -1;
    value = value * 10 + (*p - '0');
  }
  return value;
}

// "YYYY-MM-DD" at *p; false for a zero or impossible date.
bool ReadDate(const char*& p, const char* end, TDateTime* date) {
  const int year = Digits(p, end, 4);
  if (p == end || *p++ != '-') return false;
  const int month = Digits(p, end, 2);
  if (p == end || *p++ != '-') return false;
  const int day = Digits(p, end, 2);
  const auto encoded = TryEncodeDate(year, month, day);
  if (!encoded) return false;
  *date = *encoded;
  return true;
}

// "[-]H…H:MM:SS[.ffffff]" at *p as a fraction of days (a time of a TIME
// column may pass 24 hours or be negative).
bool ReadTime(const char*& p, const char* end, double* time) {
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  long long hours = 0;
  const auto [after_hours, error] = std::from_chars(p, end, hours);
  if (error != std::errc() || after_hours == end || *after_hours != ':') return false;
  p = after_hours + 1;
  const int minutes = Digits(p, end, 2);
  if (p == end || *p++ != ':') return false;
  const int seconds = Digits(p, end, 2);
  if (minutes < 0 || seconds < 0) return false;
  double fraction = 0;
  if (p != end && *p == '.') {
    double scale = 0.1;
    for (++p; p != end && *p >= '0' && *p <= '9'; ++p, scale /= 10) fraction += (*p - '0') * scale;
  }
  const double value = ((hours * 60.0 + minutes) * 60.0 + seconds + fraction) / 86400.0;
  *time = negative ? -value : value;
  return true;
}

}  // namespace

QueryResult::QueryResult(MYSQL_RES* result) {
  const unsigned count = mysql_num_fields(result);
  const MYSQL_FIELD* fields = mysql_fetch_fields(result);
  columns_.resize(count);
  for (unsigned i = 0; i < count; ++i) {
    ColumnValues& column = columns_[i];
    column.info.name.assign(fields[i].name, fields[i].name_length);
    column.info.field = FieldTypeOfColumn(fields[i]);
    column.kind = KindOf(column.info.field.type);
  }
  const my_ulonglong expected = mysql_num_rows(result);  // 0 while streaming
  for (ColumnValues& column : columns_) {
    column.nulls.reserve(expected);
    if (column.kind == Kind::kInteger) column.integers.reserve(expected);
    else if (column.kind == Kind::kText) column.text_ends.reserve(expected);
    else column.numbers.reserve(expected);
  }
  while (MYSQL_ROW row = mysql_fetch_row(result)) {
    const unsigned long* lengths = mysql_fetch_lengths(result);
    for (unsigned i = 0; i < count; ++i) Append(columns_[i], row[i], lengths[i]);
    ++row_count_;
  }
  for (ColumnValues& column : columns_) {
    if (column.info.field.type == ftString && column.info.longest > column.info.field.size) {
      column.info.field.size = column.info.longest;
    }
  }
}

QueryResult::Kind QueryResult::KindOf(TFieldType type) {
  switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
      return Kind::kInteger;
    case ftFloat:
      return Kind::kNumber;
    case ftDate:
      return Kind::kDate;
    case ftTime:
      return Kind::kTime;
    case ftDateTime:
      return Kind::kDateTime;
    default:
      return Kind::kText;
  }
}

// Decodes one value (text as the server sent it; nullptr for NULL) onto the
// end of the column. A date the platform cannot hold ("0000-00-00") and a
// number that does not read are stored as NULL.
void QueryResult::Append(ColumnValues& column, const char* text, unsigned long length) {
  if (length > column.info.longest) column.info.longest = length;
  bool null = text == nullptr;
  const char* end = text + length;
  switch (column.kind) {
    case Kind::kInteger: {
      int64_t value = 0;
      if (!null) null = std::from_chars(text, end, value).ec != std::errc();
      column.integers.push_back(value);
      break;
    }
    case Kind::kNumber: {
      double value = 0;
      if (!null) null = std::from_chars(text, end, value).ec != std::errc();
      column.numbers.push_back(value);
      break;
    }
    case Kind::kDate:
    case Kind::kDateTime: {
      TDateTime date = 0;
      double time = 0;
      const char* p = text;
      if (!null) null = !ReadDate(p, end, &date);
      if (!null && column.kind == Kind::kDateTime && p != end) null = *p++ != ' ' || !ReadTime(p, end, &time);
      column.numbers.push_back(date >= 0 ? date + time : date - time);
      break;
    }
    case Kind::kTime: {
      double time = 0;
      const char* p = text;
      if (!null) null = !ReadTime(p, end, &time);
      column.numbers.push_back(time);
      break;
    }
    case Kind::kText:
      if (!null) column.bytes.append(text, length);
      column.text_ends.push_back(column.bytes.size());
      break;
  }
  column.nulls.push_back(null);
}

std::string_view QueryResult::Text(size_t row, size_t column) const {
  const ColumnValues& values = columns_[column];
  const size_t begin = row == 0 ? 0 : values.text_ends[row - 1];
  return std::string_view(values.bytes).substr(begin, values.text_ends[row] - begin);
}

Variant QueryResult::Value(size_t row, size_t column) const {
  const ColumnValues& values = columns_[column];
  if (values.nulls[row]) return Variant::Null();
  switch (values.kind) {
    case Kind::kInteger: {
      const int64_t value = values.integers[row];
      const bool narrow = values.info.field.type != ftLargeint && value >= INT32_MIN && value <= INT32_MAX;
      return narrow ? Variant(static_cast<int32_t>(value)) : Variant(value);
    }
    case Kind::kNumber:
      return Variant(values.numbers[row]);
    case Kind::kDate:
    case Kind::kTime:
    case Kind::kDateTime:
      return Variant::FromDate(values.numbers[row]);
    case Kind::kText:
      if (values.info.field.type == ftBlob) return Variant::FromBytes(std::string(Text(row, column)));
      return Variant(std::string(Text(row, column)));
  }
  return Variant::Null();
}

}  // namespace zarn
