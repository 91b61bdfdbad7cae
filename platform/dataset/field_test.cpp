// Values and their texts: Variant conversions, number texts, field
// conversions and display texts in Czech format settings, the binary slot
// form and the field definitions.
#include "platform/dataset/field.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/dataset/field_buffer.h"
#include "platform/dataset/number_text.h"
#include "platform/dataset/testing/vector_dataset.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

using testing::VectorDataSet;

class CzechTest : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings() = CzechFormatSettings(); }
};

using VariantTest = CzechTest;

TEST_F(VariantTest, ConvertsAsTheClassicVariants) {
  EXPECT_EQ(Variant(true).ToInt(), -1);
  EXPECT_EQ(Variant(2.5).ToInt(), 2);  // half to even
  EXPECT_EQ(Variant(3.5).ToInt(), 4);
  EXPECT_EQ(Variant("12").ToInt(), 12);
  EXPECT_DOUBLE_EQ(Variant("1,5").ToDouble(), 1.5);
  EXPECT_EQ(Variant(1.5).ToString(), "1,5");
  EXPECT_EQ(Variant(int64_t{1} << 40).ToString(), "1099511627776");
  EXPECT_EQ(Variant(false).ToString(), "False");
  EXPECT_EQ(Variant::Null().ToString(), "");
  EXPECT_EQ(Variant::FromDate(EncodeDate(2024, 3, 7)).ToString(), "7.3.2024");
  EXPECT_EQ(Variant::FromDate(EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 3, 0)).ToString(), "7.3.2024 9:05:03");
  EXPECT_EQ(Variant::FromDate(EncodeTime(9, 5, 3, 0)).ToString(), "9:05:03");  // a time of day alone
  EXPECT_EQ(Variant::FromDate(0).ToString(), "30.12.1899");
  EXPECT_DOUBLE_EQ(Variant("7.3.2024").ToDateTime(), EncodeDate(2024, 3, 7));
  EXPECT_TRUE(Variant("TRUE").ToBool());
  EXPECT_THROW(Variant("abc").ToInt(), EVariantError);
  EXPECT_THROW(Variant("1.5").ToDouble(), EVariantError);  // not the Czech separator
  EXPECT_THROW(Variant::Null().ToInt(), EVariantError);
  EXPECT_THROW(Variant(int64_t{1} << 40).ToInt(), EVariantError);
  try {
    Variant("x").ToDouble();
  } catch (const EVariantError& e) {
    EXPECT_STREQ(e.what(), "Could not convert variant of type (String) into type (Double)");
  }
}

TEST_F(VariantTest, ComparesAcrossKinds) {
  EXPECT_EQ(Variant(5), Variant(5.0));
  EXPECT_EQ(Variant(5), Variant("5"));
  EXPECT_EQ(Variant(int64_t{5}), Variant(5));
  EXPECT_EQ(Variant::Null(), Variant::Null());
  EXPECT_FALSE(Variant::Null() == Variant(0));
  EXPECT_FALSE(Variant() == Variant::Null());
  EXPECT_FALSE(Variant("abc") == Variant(1));
  EXPECT_FALSE(Variant("Abc") == Variant("abc"));
  EXPECT_EQ(Variant::Array({1, "a"}), Variant::Array({1, "a"}));
  EXPECT_EQ(Variant(true), Variant(-1));
}

TEST_F(CzechTest, NumberTexts) {
  struct Case {
    double value;
    const char* picture;
    const char* text;
  } cases[] = {
      {1234.5, "", "1234,5"},
      {0.1 + 0.2, "", "0,3"},
      {1e20, "", "1E20"},
      {1.5e-7, "", "1,5E-7"},
      {-0.0001, "", "-0,0001"},
      {1234.5, "#,##0.00", "1 234,50"},
      {1234567.891, "#,##0.0000", "1 234 567,8910"},
      {-1234.5, "#,##0.00", "-1 234,50"},
      {0, "#,##0.00", "0,00"},
      {0.004, "0.00", "0,00"},
      {5, "0.##", "5"},
      {5.25, "0.##", "5,25"},
      {-3, "0;(0);nula", "(3)"},
      {0, "0;(0);nula", "nula"},
      {42, "\"Kč \"0", "Kč 42"},
  };
  for (const Case& c : cases) {
    const std::string text = *c.picture ? FormatFloat(c.picture, c.value) : FloatToStr(c.value);
    EXPECT_EQ(text, c.text) << c.value << " with '" << c.picture << "'";
  }
  EXPECT_EQ(TryStrToFloat(" 2,5 "), 2.5);
  EXPECT_EQ(TryStrToFloat("2.5"), std::nullopt);
  EXPECT_EQ(TryStrToFloat("1 000"), std::nullopt);
  EXPECT_EQ(TryStrToFloat(""), std::nullopt);
  EXPECT_EQ(TryStrToInt("+17"), 17);
  EXPECT_EQ(TryStrToInt("17x"), std::nullopt);
  EXPECT_EQ(TryStrToInt("3000000000"), std::nullopt);
}

// One record with a field of each kind the programs use.
class FieldTest : public CzechTest {
 protected:
  void SetUp() override {
    CzechTest::SetUp();
    ds.FieldDefs().Add("TEXT", ftString, 5);
    ds.FieldDefs().Add("SMALL", ftSmallint);
    ds.FieldDefs().Add("NUM", ftInteger);
    ds.FieldDefs().Add("BIG", ftLargeint);
    ds.FieldDefs().Add("REAL", ftFloat);
    ds.FieldDefs().Add("DAY", ftDate);
    ds.FieldDefs().Add("WHEN", ftDateTime);
    ds.FieldDefs().Add("FLAG", ftBoolean);
    ds.AddRow({"Ab", 3, 1234, int64_t{5000000000}, 1234.5, Variant::FromDate(EncodeDate(2006, 3, 5)),
               Variant::FromDate(EncodeDate(2006, 3, 5) + EncodeTime(14, 5, 0, 0)), true});
    ds.AddRow({Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(),
               Variant::Null(), Variant::Null()});
    ds.Open();
  }
  TField& F(const char* name) { return ds.FieldByName(name); }

  VectorDataSet ds;
};

TEST_F(FieldTest, ReadsEachTypeAsTextNumberAndDate) {
  EXPECT_EQ(F("TEXT").AsString(), "Ab");
  EXPECT_EQ(F("NUM").AsString(), "1234");
  EXPECT_EQ(F("BIG").AsLargeInt(), 5000000000);
  EXPECT_EQ(F("REAL").AsString(), "1234,5");
  EXPECT_EQ(F("REAL").AsInteger(), 1234);  // half to even
  EXPECT_DOUBLE_EQ(F("NUM").AsFloat(), 1234);
  EXPECT_EQ(F("DAY").DisplayText(), "5.3.2006");
  EXPECT_EQ(F("WHEN").DisplayText(), "5.3.2006 14:05:00");
  EXPECT_DOUBLE_EQ(F("DAY").AsFloat(), EncodeDate(2006, 3, 5));
  EXPECT_EQ(F("FLAG").AsString(), "True");
  EXPECT_TRUE(F("FLAG").AsBoolean());
  EXPECT_EQ(F("NUM").AsVariant(), Variant(1234));
  EXPECT_THROW(F("BIG").AsInteger(), EConvertError);
  try {
    F("DAY").AsBoolean();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Cannot access field 'DAY' as type Boolean");
  }
}

TEST_F(FieldTest, NullReadsAsZeroAndEmptyText) {
  ds.Next();
  for (const auto& field : ds.Fields()) {
    EXPECT_TRUE(field->IsNull()) << field->FieldName();
    EXPECT_EQ(field->AsString(), "") << field->FieldName();
    EXPECT_TRUE(field->AsVariant().IsNull()) << field->FieldName();
  }
  EXPECT_EQ(F("NUM").AsInteger(), 0);
  EXPECT_EQ(F("TEXT").AsInteger(), 0);
  EXPECT_DOUBLE_EQ(F("REAL").AsFloat(), 0);
  EXPECT_DOUBLE_EQ(F("DAY").AsDateTime(), 0);
  EXPECT_FALSE(F("FLAG").AsBoolean());
}

TEST_F(FieldTest, DisplayFormatAppliesToTheDisplayTextOnly) {
  F("REAL").SetDisplayFormat("#,##0.00");
  F("DAY").SetDisplayFormat("yyyy-mm-dd");
  EXPECT_EQ(F("REAL").DisplayText(), "1 234,50");
  EXPECT_EQ(F("REAL").Text(), "1234,5");
  EXPECT_EQ(F("DAY").DisplayText(), "2006-03-05");
  EXPECT_EQ(F("DAY").Text(), "5.3.2006");
  EXPECT_EQ(F("REAL").TextOf(2.0, true), "2,00");
  F("REAL").SetPrecision(3);
  EXPECT_EQ(F("REAL").Text(), "1,23E3");
}

TEST_F(FieldTest, WritingConvertsToTheFieldType) {
  ds.Edit();
  F("TEXT").SetAsString("dlouhý text");  // cut to the size
  EXPECT_EQ(F("TEXT").AsString(), "dlouh");
  F("NUM").SetAsString(" 42 ");
  EXPECT_EQ(F("NUM").AsInteger(), 42);
  F("NUM").SetAsFloat(2.5);
  EXPECT_EQ(F("NUM").AsInteger(), 2);
  F("REAL").SetAsString("3,25");
  EXPECT_DOUBLE_EQ(F("REAL").AsFloat(), 3.25);
  F("DAY").SetAsString("11.11.1999");
  EXPECT_DOUBLE_EQ(F("DAY").AsDateTime(), EncodeDate(1999, 11, 11));
  F("DAY").SetAsDateTime(EncodeDate(2000, 1, 2) + 0.75);  // a date field keeps the day only
  EXPECT_DOUBLE_EQ(F("DAY").AsDateTime(), EncodeDate(2000, 1, 2));
  F("TEXT").SetAsInteger(77);
  EXPECT_EQ(F("TEXT").AsString(), "77");
  F("TEXT").SetAsBoolean(true);
  EXPECT_EQ(F("TEXT").AsString(), "T");
  F("FLAG").SetAsString("False");
  EXPECT_FALSE(F("FLAG").AsBoolean());
  F("NUM").SetAsVariant("15");
  EXPECT_EQ(F("NUM").AsInteger(), 15);
  F("REAL").SetAsString("");  // empty text clears a number
  EXPECT_TRUE(F("REAL").IsNull());
  F("BIG").SetAsVariant(Variant::Null());
  EXPECT_TRUE(F("BIG").IsNull());
}

TEST_F(FieldTest, BadValuesAreRefusedAndLeaveTheOldValue) {
  ds.Edit();
  struct Case {
    const char* field;
    const char* text;
    const char* message;
  } cases[] = {
      {"NUM", "12a", "'12a' is not a valid integer value"},
      {"REAL", "1.5", "'1.5' is not a valid floating point value"},
      {"DAY", "31.2.2006", "'31.2.2006' is not a valid date"},
      {"WHEN", "zítra", "'zítra' is not a valid date and time"},
      {"FLAG", "možná", "'možná' is not a valid boolean value"},
      {"SMALL", "40000", "40000 is not a valid value for field 'SMALL'. The allowed range is -32768 to 32767"},
  };
  for (const Case& c : cases) {
    const std::string before = F(c.field).AsString();
    try {
      F(c.field).SetAsString(c.text);
      ADD_FAILURE() << c.field << " took " << c.text;
    } catch (const std::exception& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(F(c.field).AsString(), before);
  }
  EXPECT_THROW(F("NUM").SetAsDateTime(1), EDatabaseError);
}

TEST(FieldBufferTest, EachSlotTypeRoundTrips) {
  struct Case {
    TFieldType type;
    int size;
    Variant value;
    int width;
  } cases[] = {
      {ftString, 10, Utf8ToWin1250("Žluťoučký"), 11},
      {ftFixedChar, 3, "abc", 4},
      {ftWideString, 4, Utf8ToWin1250("ěščř"), 10},
      {ftSmallint, 0, -5, 2},
      {ftWord, 0, 65535, 2},
      {ftBoolean, 0, true, 2},
      {ftInteger, 0, -2000000000, 4},
      {ftAutoInc, 0, 7, 4},
      {ftDate, 0, Variant::FromDate(38781), 4},
      {ftTime, 0, Variant::FromDate(0.5), 4},
      {ftFloat, 0, 1.25, 8},
      {ftCurrency, 0, 10.5, 8},
      {ftDateTime, 0, Variant::FromDate(38781.25), 8},
      {ftLargeint, 0, int64_t{1} << 50, 8},
      {ftBCD, 4, 3.5, 34},
      {ftBytes, 3, Variant::FromBytes(std::string("\x01\x00\x02", 3)), 3},
      {ftVarBytes, 5, Variant::FromBytes("ab"), 7},
      {ftGuid, 0, "{00000000-0000-0000-0000-000000000001}", 39},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(FieldDataSize(c.type, c.size), c.width) << FieldTypeName(c.type);
    std::vector<char> slot(c.width + 1, '\x7f');
    EncodeFieldValue(c.type, c.size, c.value, slot.data());
    EXPECT_EQ(slot[c.width], '\x7f') << FieldTypeName(c.type) << " wrote past its slot";
    EXPECT_EQ(DecodeFieldValue(c.type, c.size, slot.data()), c.value) << FieldTypeName(c.type);
  }
  char text[4];
  EncodeFieldValue(ftString, 3, "abcdef", text);  // cut, still terminated
  EXPECT_EQ(DecodeFieldValue(ftString, 3, text), Variant("abc"));
  EXPECT_EQ(FieldDataSize(ftMemo, 10), 0);
}

TEST(FieldDefsTest, NamesAreUniqueAndChildrenFlattenAfterTheirParent) {
  TFieldDefs defs(nullptr);
  defs.Add("KOD", ftString, 10);
  TFieldDef& address = defs.Add("ADRESA", ftADT);
  address.ChildDefs().Add("ULICE", ftString, 40);
  address.ChildDefs().Add("PSC", ftString, 6);
  defs.Add("POCET", ftInteger).SetRequired(true);
  try {
    defs.Add("kod", ftInteger);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Duplicate field name 'kod'");
  }
  EXPECT_EQ(defs.IndexOf("pocet"), 2);
  EXPECT_EQ(defs[2].FieldNo(), 3);
  EXPECT_TRUE(defs[2].Required());
  std::vector<std::string> names;
  for (const TFieldDef* def : FlattenFieldDefs(defs)) names.push_back(def->FullName());
  EXPECT_EQ(names, (std::vector<std::string>{"KOD", "ADRESA", "ADRESA.ULICE", "ADRESA.PSC", "POCET"}));
  EXPECT_THROW(defs.Find("NIC"), EDatabaseError);

  TFieldDefs copy(nullptr);
  copy.Assign(defs);
  EXPECT_EQ(copy[1].ChildDefs()[1].FullName(), "ADRESA.PSC");
  EXPECT_EQ(copy[1].ChildDefs().ParentDef(), &copy[1]);
}

}  // namespace
}  // namespace zarn
