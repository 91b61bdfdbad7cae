#include "register/doklad_sql.h"

#include <gtest/gtest.h>

#include "dbf/memtable/mem_table.h"
#include "dbf/memtable/mem_table_testing.h"

namespace zarn {
namespace {

using testing::W;

class DokladSqlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings() = CzechFormatSettings();
    for (const char* name : {"zadatel", "ico", "nazevpodni", "kodpar", "rok", "obdobi", "partie", "nomenkla",
                             "nazevosiva", "druh", "odruda", "stupen", "naz_dru", "naz_odru", "poznamka",
                             "faktura", "smlouva", "mj", "identifik"})
      buffer_.FieldDefs().Add(name, ftString, 60);
    for (const char* name : {"porizeno", "zaplacena"}) buffer_.FieldDefs().Add(name, ftDate);
    for (const char* name : {"mnozstvi", "poplatek", "suma"}) buffer_.FieldDefs().Add(name, ftFloat);
    buffer_.FieldDefs().Add("id", ftInteger);
    buffer_.Open();
    buffer_.Append();
  }

  TField& F(const char* name) { return buffer_.FieldByName(name); }

  TDsMemTable buffer_;
};

TEST_F(DokladSqlTest, ValueFormsOfTheScript) {
  struct Case {
    double value;
    bool empty;
    const char* sql;
  } numbers[] = {{12.5, false, "012.5"}, {0, true, "0"}, {-3.5, false, "0-3.5"}, {250, false, "0250"}};
  for (const Case& c : numbers) {
    if (c.empty) F("suma").Clear();
    else F("suma").SetAsFloat(c.value);
    EXPECT_EQ(CisloSQL(F("suma")), c.sql) << c.value;
  }

  F("porizeno").SetAsDateTime(EncodeDate(2006, 3, 5));
  EXPECT_EQ(DatumSQLPole(F("porizeno")), "'2006-3-5'");
  F("porizeno").Clear();
  EXPECT_EQ(DatumSQLPole(F("porizeno")), "'1899-12-30'");

  // Quotes are doubled; a trailing backslash must not swallow the closing
  // quote under the connection's empty sql_mode.
  const std::pair<const char*, const char*> texts[] = {
      {"O'Neil", "'O''Neil'"}, {"", "''"}, {"C:\\", "'C:\\\\'"}};
  for (const auto& [text, sql] : texts) {
    F("poznamka").SetAsString(text);
    EXPECT_EQ(TextSQL(F("poznamka")), sql) << text;
  }
}

TEST_F(DokladSqlTest, IdentifierHasTheWorkstationTwiceAndTheMoment) {
  const TDateTime moment = EncodeDate(2006, 3, 5) + EncodeTime(14, 3, 9, 0);
  EXPECT_EQ(Identifikator("07", moment), "0707060305140309");
  EXPECT_EQ(Identifikator("7", moment).size(), 14u);
}

TEST_F(DokladSqlTest, InsertListsEveryValueInColumnOrder) {
  const char* texts[][2] = {{"zadatel", "0123"},   {"ico", "12345678"}, {"nazevpodni", "Osiva a.s."},
                            {"kodpar", "P1"},       {"rok", "2006"},     {"obdobi", "0  běžný příjem"},
                            {"partie", "L-1"},      {"nomenkla", "N1"},  {"nazevosiva", "Pšenice"},
                            {"druh", "123"},        {"odruda", "O1"},    {"stupen", "C1"},
                            {"naz_dru", "pšenice"}, {"naz_odru", "Bohemia"}, {"poznamka", "O'Neil"},
                            {"faktura", "F\\"},     {"smlouva", "S1"},   {"mj", "t"}};
  for (const auto& [name, value] : texts) F(name).SetAsString(W(value));
  F("porizeno").SetAsDateTime(EncodeDate(2006, 3, 5));
  F("zaplacena").SetAsDateTime(EncodeDate(1900, 1, 1));
  F("mnozstvi").SetAsString("2,5");
  F("poplatek").SetAsFloat(100);
  F("suma").SetAsFloat(250);

  std::vector<std::string> lines;
  PridejSmazani("41", lines);
  PridejZapisZarnZada(buffer_, "0707060305140309", lines);
  const std::vector<std::string> expected = {
      "BEGIN;",
      "delete from zarnzada where id = 41",
      ";",
      "insert into zarnzada ",
      "(zadatel,ico,nazevpodni,kodpar,rok,obdobi,porizeno,",
      "partie,nomenkla,nazevosiva,druh,odruda,stupen,naz_dru,naz_odru,",
      "mnozstvi,poplatek,suma,poznamka,faktura,zaplacena,smlouva,identifik,mj)",
      " values(",
      "'0123',", "'12345678',", "'Osiva a.s.',", "'P1',", "'2006',", W("'0  běžný příjem',"),
      "'2006-3-5',",
      "'L-1',", "'N1',", W("'Pšenice',"), "'123',", "'O1',", "'C1',", W("'pšenice',"), "'Bohemia',",
      "02.5,", "0100,", "0250,",
      "'O''Neil',", "'F\\\\',",
      "'1900-1-1',",
      "'S1',",
      "'0707060305140309',",
      "'t')",
      ";",
      "COMMIT;",
  };
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace zarn
