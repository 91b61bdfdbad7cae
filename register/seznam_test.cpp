#include "register/seznam.h"

#include <gtest/gtest.h>

#include "dbf/memtable/mem_table.h"
#include "platform/datetime.h"
#include "platform/format_settings.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

class SeznamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings() = CzechFormatSettings();
    list_.FieldDefs().Add("id", ftInteger);
    list_.FieldDefs().Add("zadatel", ftString, 10);
    list_.FieldDefs().Add("mnozstvi", ftFloat);
    list_.FieldDefs().Add("suma", ftFloat);
    list_.FieldDefs().Add("zaplacena", ftDate);
    list_.Open();
  }
  void TearDown() override { FormatSettings() = saved_; }

  void Radek(int id, const std::string& zadatel, double mnozstvi, double suma, TDateTime zaplacena) {
    list_.Append();
    list_.FieldByName("id").SetAsInteger(id);
    list_.FieldByName("zadatel").SetAsString(zadatel);
    list_.FieldByName("mnozstvi").SetAsFloat(mnozstvi);
    list_.FieldByName("suma").SetAsFloat(suma);
    if (zaplacena != 0) list_.FieldByName("zaplacena").SetAsDateTime(zaplacena);
    list_.Post();
  }

  TFormatSettings saved_;
  TDsMemTable list_;
};

TEST_F(SeznamTest, StatementIsAlwaysThreeLines) {
  EXPECT_EQ(PrikazSeznamu("", ""), (std::vector<std::string>{"select * from zarnzada", "", ""}));
  EXPECT_EQ(PrikazSeznamu("where rok = '2006'", TrideniPodle("zadatel")),
            (std::vector<std::string>{"select * from zarnzada", "where rok = '2006'", "order by zadatel"}));
}

// Paid means a payment date after 11 November 1999; empty dates are unpaid.
TEST_F(SeznamTest, TotalsCountOnlyPaymentsAfterTheEleventhOfNovember1999) {
  Radek(1, "a", 1000.5, 100.25, EncodeDate(1999, 11, 11));
  Radek(2, "b", 234, 20, EncodeDate(1999, 11, 12));
  Radek(3, "c", 0.125, 3.5, 0);
  Radek(4, "d", 1, 1000, EncodeDate(2006, 3, 5));
  list_.Last();
  const TSouctySeznamu soucty = SpoctiSoucty(list_);
  EXPECT_DOUBLE_EQ(soucty.mnozstvi, 1235.625);
  EXPECT_DOUBLE_EQ(soucty.poplatky, 1123.75);
  EXPECT_DOUBLE_EQ(soucty.zaplaceno, 1020);
  EXPECT_EQ(list_.RecNo(), 1);  // back on the first row
  EXPECT_EQ(TextMnozstvi(soucty.mnozstvi), "1 235,6250");
  EXPECT_EQ(TextPoplatku(soucty.poplatky), "1 123,75");
}

TEST_F(SeznamTest, TotalsRoundToTheirSignificantDigits) {
  EXPECT_EQ(TextMnozstvi(0), "0,0000");
  EXPECT_EQ(TextMnozstvi(123456.123456), "123 456,1235");
  EXPECT_EQ(TextMnozstvi(12345678.12345), "12 345 678,1200");  // 10 digits kept
  EXPECT_EQ(TextPoplatku(1234567890.129), "1 234 567 890,13");
  EXPECT_EQ(TextPoplatku(-1234.5), "-1 234,50");
}

TEST_F(SeznamTest, CaptionNamesTheFilterOnlyWhileOneIsSet) {
  EXPECT_EQ(TitulekSeznamu({"", ""}), Utf8ToWin1250("Seznam - Žadatelé"));
  EXPECT_EQ(TitulekSeznamu({"", Utf8ToWin1250("Žádný filtr")}), Utf8ToWin1250("Seznam - Žadatelé"));
  EXPECT_EQ(TitulekSeznamu({"where rok = 2006", "rok = 2006"}), Utf8ToWin1250("Seznam - Žadatelé - filtr: rok = 2006"));
}

// The worked example: a text cell, then a date cell; the first description
// shows the displayed value, later ones the value text.
TEST_F(SeznamTest, FilterStepsJoinWithAndAndQuoteAllButIntegers) {
  Radek(7, "0123", 1.5, 10, EncodeDate(2006, 3, 5));
  list_.First();
  TFiltrSeznamu filtr = PridejKrokFiltru({}, " = ", list_.FieldByName("zadatel"), "zadatel");
  filtr = PridejKrokFiltru(filtr, " >= ", list_.FieldByName("zaplacena"), "zaplacena");
  EXPECT_EQ(filtr.sql, "where zadatel = '0123' AND zaplacena >= '2006-3-5'");
  EXPECT_EQ(filtr.popis, "zadatel = 0123, zaplacena >= 2006-3-5");

  const TFiltrSeznamu datum = PridejKrokFiltru({}, " <= ", list_.FieldByName("zaplacena"), "Zaplaceno");
  EXPECT_EQ(datum.sql, "where zaplacena <= '2006-3-5'");
  EXPECT_EQ(datum.popis, "Zaplaceno <= 5.3.2006");
  const TFiltrSeznamu cele = PridejKrokFiltru({}, " = ", list_.FieldByName("id"), "id");
  EXPECT_EQ(cele.sql, "where id = 7");
}

// The server would read the Czech "1,5" as 1: the statement carries the number
// with "." and no grouping, the first description the number as shown.
TEST_F(SeznamTest, FractionalNumbersGoToTheServerWithADecimalPoint) {
  struct Case {
    double value;
    const char* sql;
    const char* shown;
  };
  const Case cases[] = {
      {1.5, "'1.5'", "1,5"},
      {-2.25, "'-2.25'", "-2,25"},
      {1234567.125, "'1234567.125'", "1234567,125"},
      {0.1, "'0.1'", "0,1"},
      {3, "'3'", "3"},
  };
  for (const Case& c : cases) {
    Radek(1, "a", c.value, 0, 0);
    list_.Last();
    const TFiltrSeznamu prvni = PridejKrokFiltru({}, " = ", list_.FieldByName("mnozstvi"), "mnozstvi");
    EXPECT_EQ(prvni.sql, std::string("where mnozstvi = ") + c.sql) << c.value;
    EXPECT_EQ(prvni.popis, std::string("mnozstvi = ") + c.shown) << c.value;
    const TFiltrSeznamu dalsi = PridejKrokFiltru({"where id = 1", "id = 1"}, " >= ", list_.FieldByName("mnozstvi"),
                                                 "mnozstvi");
    EXPECT_EQ(dalsi.sql, std::string("where id = 1 AND mnozstvi >= ") + c.sql) << c.value;
  }
}

TEST_F(SeznamTest, ApostrophesAndBackslashesCannotEndTheQuotedValue) {
  Radek(1, "O'Neil\\", 0, 0, 0);
  list_.First();
  const TFiltrSeznamu filtr = PridejKrokFiltru({}, " = ", list_.FieldByName("zadatel"), "zadatel");
  EXPECT_EQ(filtr.sql, "where zadatel = 'O''Neil\\\\'");
  EXPECT_EQ(filtr.popis, "zadatel = O'Neil\\");
}

TEST_F(SeznamTest, AStepOnAnEmptyListTakesTheEmptyCell) {
  const TFiltrSeznamu filtr{"where rok = '2006'", "rok = 2006"};
  EXPECT_EQ(PridejKrokFiltru(filtr, " = ", list_.FieldByName("id"), "id").sql, "where rok = '2006' AND id = 0");
  EXPECT_EQ(PridejKrokFiltru(filtr, " = ", list_.FieldByName("zaplacena"), "z").sql,
            "where rok = '2006' AND zaplacena = '1899-12-30'");
  const TFiltrSeznamu text = PridejKrokFiltru(filtr, " = ", list_.FieldByName("zadatel"), "Žadatel");
  EXPECT_EQ(text.sql, "where rok = '2006' AND zadatel = ''");
  EXPECT_EQ(text.popis, "rok = 2006, Žadatel = ");
}

}  // namespace
}  // namespace zarn
