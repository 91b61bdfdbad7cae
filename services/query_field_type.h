// The field type that a result column of the server becomes in a query
// dataset, from the metadata the client library reports for it (type code,
// unsigned and binary flags, length, decimals). The updater derives the DBF
// field of each column from this type, so the table is fixed: see
// FieldTypeOfColumn.
#pragma once

#include <mysql.h>

#include "platform/field_type.h"

namespace zarn {

struct ColumnFieldType {
  TFieldType type = ftUnknown;
  // Width in bytes for ftString (the column's reported length; the query
  // widens it to its longest value), 0 for every other type.
  unsigned long size = 0;
};

// TINYINT, and SMALLINT and YEAR when signed: ftSmallint. SMALLINT and YEAR
// unsigned, MEDIUMINT and INT signed: ftInteger. MEDIUMINT and INT unsigned,
// BIGINT signed: ftLargeint. BIGINT unsigned, FLOAT, DOUBLE: ftFloat. The old
// DECIMAL code 0: ftFloat with decimals, else ftInteger up to length 10 and
// ftLargeint above. DATE ftDate, TIME ftTime, DATETIME and TIMESTAMP
// ftDateTime. The BLOB/TEXT family: ftBlob with the binary flag, else ftMemo.
// Everything else (CHAR, VARCHAR, ENUM, SET, the newer DECIMAL code 246 …):
// ftString.
ColumnFieldType FieldTypeOfColumn(const MYSQL_FIELD& column);

}  // namespace zarn
