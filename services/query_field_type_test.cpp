#include "services/query_field_type.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

MYSQL_FIELD Column(enum_field_types type, unsigned flags = 0, unsigned long length = 0, unsigned decimals = 0) {
  MYSQL_FIELD column{};
  column.type = type;
  column.flags = flags;
  column.length = length;
  column.decimals = decimals;
  return column;
}

TEST(FieldTypeOfColumn, FollowsTheTypeCodeAndFlags) {
  struct Case {
    MYSQL_FIELD column;
    TFieldType type;
    unsigned long size;
  };
  const Case cases[] = {
      {Column(MYSQL_TYPE_TINY), ftSmallint, 0},
      {Column(MYSQL_TYPE_TINY, UNSIGNED_FLAG), ftSmallint, 0},
      {Column(MYSQL_TYPE_SHORT), ftSmallint, 0},
      {Column(MYSQL_TYPE_SHORT, UNSIGNED_FLAG), ftInteger, 0},
      {Column(MYSQL_TYPE_YEAR), ftSmallint, 0},
      {Column(MYSQL_TYPE_YEAR, UNSIGNED_FLAG | ZEROFILL_FLAG), ftInteger, 0},
      {Column(MYSQL_TYPE_INT24), ftInteger, 0},
      {Column(MYSQL_TYPE_INT24, UNSIGNED_FLAG), ftLargeint, 0},
      {Column(MYSQL_TYPE_LONG), ftInteger, 0},
      {Column(MYSQL_TYPE_LONG, UNSIGNED_FLAG), ftLargeint, 0},
      {Column(MYSQL_TYPE_LONGLONG), ftLargeint, 0},
      {Column(MYSQL_TYPE_LONGLONG, UNSIGNED_FLAG), ftFloat, 0},
      {Column(MYSQL_TYPE_FLOAT), ftFloat, 0},
      {Column(MYSQL_TYPE_DOUBLE, UNSIGNED_FLAG), ftFloat, 0},
      // The old DECIMAL code, which current servers no longer send.
      {Column(MYSQL_TYPE_DECIMAL, 0, 12, 2), ftFloat, 0},
      {Column(MYSQL_TYPE_DECIMAL, 0, 10, 0), ftInteger, 0},
      {Column(MYSQL_TYPE_DECIMAL, 0, 11, 0), ftLargeint, 0},
      {Column(MYSQL_TYPE_NEWDECIMAL, 0, 12, 2), ftString, 12},
      {Column(MYSQL_TYPE_DATE), ftDate, 0},
      {Column(MYSQL_TYPE_TIME), ftTime, 0},
      {Column(MYSQL_TYPE_DATETIME), ftDateTime, 0},
      {Column(MYSQL_TYPE_TIMESTAMP), ftDateTime, 0},
      {Column(MYSQL_TYPE_TINY_BLOB, BLOB_FLAG | BINARY_FLAG), ftBlob, 0},
      {Column(MYSQL_TYPE_LONG_BLOB, BLOB_FLAG | BINARY_FLAG), ftBlob, 0},
      {Column(MYSQL_TYPE_BLOB, BLOB_FLAG), ftMemo, 0},
      {Column(MYSQL_TYPE_MEDIUM_BLOB, BLOB_FLAG), ftMemo, 0},
      {Column(MYSQL_TYPE_STRING, 0, 5), ftString, 5},
      {Column(MYSQL_TYPE_VAR_STRING, BINARY_FLAG, 40), ftString, 40},
      {Column(MYSQL_TYPE_STRING, ENUM_FLAG, 3), ftString, 3},
      {Column(MYSQL_TYPE_SET, 0, 5), ftString, 5},
      {Column(MYSQL_TYPE_NULL, 0, 0), ftString, 0},
      {Column(MYSQL_TYPE_BIT, UNSIGNED_FLAG, 8), ftString, 8},
  };
  for (const Case& c : cases) {
    const ColumnFieldType result = FieldTypeOfColumn(c.column);
    EXPECT_EQ(result.type, c.type) << "type code " << c.column.type << " flags " << c.column.flags;
    EXPECT_EQ(result.size, c.size) << "type code " << c.column.type;
  }
}

}  // namespace
}  // namespace zarn
