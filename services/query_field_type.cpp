#include "services/query_field_type.h"

namespace zarn {
namespace {

// Widest integer reading of the old DECIMAL code that still fits ftInteger.
constexpr unsigned long kLongestIntegerDecimal = 10;

}  // namespace

ColumnFieldType FieldTypeOfColumn(const MYSQL_FIELD& column) {
  const bool is_unsigned = (column.flags & UNSIGNED_FLAG) != 0;
  switch (column.type) {
    case MYSQL_TYPE_TINY:
      return {ftSmallint};
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_YEAR:
      return {is_unsigned ? ftInteger : ftSmallint};
    case MYSQL_TYPE_INT24:
    case MYSQL_TYPE_LONG:
      return {is_unsigned ? ftLargeint : ftInteger};
    case MYSQL_TYPE_LONGLONG:
      return {is_unsigned ? ftFloat : ftLargeint};
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
      return {ftFloat};
    case MYSQL_TYPE_DECIMAL:
      if (column.decimals > 0) return {ftFloat};
      return {column.length <= kLongestIntegerDecimal ? ftInteger : ftLargeint};
    case MYSQL_TYPE_DATE:
      return {ftDate};
    case MYSQL_TYPE_TIME:
      return {ftTime};
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
      return {ftDateTime};
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
    case MYSQL_TYPE_BLOB:
      return {(column.flags & BINARY_FLAG) != 0 ? ftBlob : ftMemo};
    default:
      return {ftString, column.length};
  }
}

}  // namespace zarn
