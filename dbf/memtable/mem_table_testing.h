// Small fixtures for the memory table's tests: tables with a few fields made
// in one line, rows appended from value lists, a column read top to bottom,
// and the Czech locale that the collation tests need.
#pragma once

#include <QLocale>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "dbf/memtable/mem_table.h"
#include "platform/win1250.h"

namespace zarn::testing {

struct Def {
  std::string name;
  TFieldType type;
  int size = 0;
};

// Collation follows the default locale; the tests pin it to Czech before
// anything collates.
// The Windows-1250 text of a UTF-8 literal of this source file.
inline std::string W(std::string_view utf8) { return Utf8ToWin1250(utf8); }

inline void UseCzechLocale() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia)); }

inline void DefineFields(TDataSet& table, const std::vector<Def>& defs) {
  for (const Def& def : defs) table.FieldDefs().Add(def.name, def.type, def.size);
}

// Appends one row; values go to the fields in order (null leaves a field empty).
inline void AppendRow(TDataSet& table, const std::vector<Variant>& values) {
  table.Append();
  for (size_t i = 0; i < values.size(); ++i)
    if (!values[i].IsNull()) table.Fields()[static_cast<int>(i)].SetAsVariant(values[i]);
  table.Post();
}

// The texts of one field in navigation order, from the first row; the
// current row is left on the last one.
inline std::vector<std::string> Column(TDataSet& table, const std::string& field) {
  std::vector<std::string> texts;
  for (table.First(); !table.Eof(); table.Next()) texts.push_back(table.FieldByName(field).AsString());
  return texts;
}

// Every value of every row in navigation order, with its kind, so that two
// tables compare value by value and type by type.
inline std::vector<std::string> Dump(TDataSet& table) {
  std::vector<std::string> rows;
  for (table.First(); !table.Eof(); table.Next()) {
    std::string row;
    for (const auto& field : table.Fields()) {
      const Variant value = field->AsVariant();
      row += field->FieldName() + "=" + Variant::TypeName(value.Type()) + ":" + value.ToString() + "|";
    }
    rows.push_back(row);
  }
  return rows;
}

// Sets an event that a row added through Append and Post raises, so that a
// copy into the table takes that road rather than storing rows directly;
// counts the rows posted.
inline void TakeTheFieldRoad(TDsMemTable& table, int& posts) {
  table.AfterPost = [&posts](TDataSet&) { ++posts; };
}

// Asserts that `action` raises an EDatabaseError with exactly `message`.
template <typename Action>
void ExpectDatabaseError(Action action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "expected \"" << message << "\"";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.what(), message);
  }
}

}  // namespace zarn::testing
