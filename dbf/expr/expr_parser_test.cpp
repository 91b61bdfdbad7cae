#include "dbf/expr/expr_parser.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cstdio>
#include <string>

#include "dbf/expr/expr_errors.h"
#include "dbf/expr/expr_test_source.h"
#include "platform/format_settings.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

// A value as the cases below write it: "error", "null", "true", "int 5",
// "float 2.5", "text 'AB'", "date 45366", "time 0.5", "datetime 45366.5".
std::string Show(const TExprValue& value) {
  char number[64];
  std::snprintf(number, sizeof number, "%.15g", value.number);
  switch (value.kind) {
    case ekError: return "error";
    case ekNull: return "null";
    case ekBoolean: return value.boolean ? "true" : "false";
    case ekInteger: return "int " + std::to_string(value.integer);
    case ekFloat: return std::string("float ") + number;
    case ekText: return "text '" + Win1250ToUtf8(value.text) + "'";
    case ekDate: return std::string("date ") + number;
    case ekTime: return std::string("time ") + number;
    case ekDateTime: return std::string("datetime ") + number;
    default: return "kind " + std::to_string(value.kind);
  }
}

// One expression, the value it should give, and the filter options.
struct Case {
  const char* text;
  const char* expected;
  TFilterOptions options = {};
};

class ExprParserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings() = CzechFormatSettings();
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    source_.Add("NAZEV", ftString, TExprValue::Text("ABCD"));
    source_.Add("N_NULL", ftString, TExprValue::Null());
    source_.Add("MJ", ftString, TExprValue::Text("kg"));
    source_.Add("NC", ftFloat, TExprValue::Float(12.5));
    source_.Add("A", ftInteger, TExprValue::Integer(1));
    source_.Add("B", ftSmallint, TExprValue::Integer(2));
    source_.Add("X", ftInteger, TExprValue::Integer(5));
    source_.Add("I_NULL", ftInteger, TExprValue::Null());
    source_.Add("OK", ftBoolean, TExprValue::Boolean(true));
    source_.Add("DAT", ftDate, TExprValue::Date(EncodeDate(2024, 3, 15)));  // 45366
    source_.Add("D_NULL", ftDate, TExprValue::Null());
    source_.Add("CAS", ftTime, TExprValue::Time(0.5));
    source_.Add("DT", ftDateTime, TExprValue::DateTime(EncodeDate(2024, 3, 15) + 0.25));
    source_.Add("POZN", ftMemo, TExprValue::Integer(3));
  }

  std::string Eval(const std::string& utf8_text, TFilterOptions options = {}) {
    TDsExprParser parser(source_);
    parser.SetExpression(Utf8ToWin1250(utf8_text));
    parser.SetOptions(options);
    return Show(parser.Evaluate());
  }

  void ExpectCases(std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(Eval(c.text, c.options), c.expected) << "expression: " << c.text;
  }

  TExprTestSource source_;
};

#define EXPECT_CASES(...) ExpectCases({__VA_ARGS__})

TEST_F(ExprParserTest, LiteralsAndFields) {
  EXPECT_CASES({"42", "int 42"}, {"-42", "int -42"}, {"2.5", "float 2.5"}, {"'AB'", "text 'AB'"},
               {"'abc", "text 'abc'"}, {"true", "true"}, {"False", "false"}, {"NULL", "null"},
               {"nazev", "text 'ABCD'"}, {"NC", "float 12.5"}, {"B", "int 2"}, {"OK", "true"},
               {"DAT", "date 45366"}, {"CAS", "time 0.5"}, {"DT", "datetime 45366.25"},
               {"N_NULL", "null"}, {"I_NULL", "null"}, {"POZN", "error"}, {"POZN=3", "error"},
               {"2147483647", "int 2147483647"}, {"-2147483648", "int -2147483648"},
               {"2147483648", "error"}, {"1.2.3", "error"}, {"", "error"});
}

TEST_F(ExprParserTest, ArithmeticAndComparisons) {
  EXPECT_CASES({"1+2*3", "int 7"}, {"2*3+1", "int 7"}, {"7/2", "float 3.5"}, {"6/3", "float 2"},
               {"1+1.5", "float 2.5"}, {"NC*2", "float 25"}, {"2147483647+1", "int -2147483648"},
               {"65536*65536", "int 0"}, {"1<1.5", "true"}, {"2>=2", "true"}, {"NC<=12.4", "false"},
               {"X<>5", "false"}, {"'12'=12", "true"}, {"12='12'", "true"}, {"' 12'+1", "float 13"},
               {"'1,5'=1.5", "error"}, {"'12 '=12", "error"}, {"TRUE>FALSE", "true"},
               {"TRUE AND FALSE", "false"}, {"TRUE OR FALSE", "true"}, {"TRUE XOR TRUE", "false"},
               {"TRUE+TRUE", "error"}, {"OK='T'", "error"}, {"1 AND 1", "error"}, {"'A'*2", "error"});
}

// Every operator of the expression level has the same precedence and
// associates to the left; only '*' and '/' bind tighter.
TEST_F(ExprParserTest, OneLevelOfOperators) {
  EXPECT_CASES({"A=1 AND B=2", "error"}, {"(A=1) AND (B=2)", "true"}, {"1+1=2", "true"},
               {"2=1+1", "error"}, {"10-2-3", "int 5"}, {"TRUE OR FALSE AND FALSE", "false"},
               {"A=1 AND OK", "true"});
}

TEST_F(ExprParserTest, SignsAndNegativeLiterals) {
  EXPECT_CASES({"X=-5", "false"}, {"X>-5", "true"}, {"NC>-1.5", "true"}, {"-5+X", "int 0"},
               {"X = -5", "error"}, {"(-5)", "error"}, {"X=--5", "error"}, {"-X", "error"}, {"TRUNC(-2.7)", "float -2"},
               {"COPY('ABCDE',-3,2)", "text 'AB'"}, {"TRUNC (-2.7)", "float -2"}, {"(-2)", "error"},
               {"X-5", "int 0"}, {"X=5-5", "error"}, {"X=(5-5)", "false"});
}

TEST_F(ExprParserTest, StructureAndTrailingTokens) {
  EXPECT_CASES({"X=5 FOO", "true"}, {"FOO=5", "error"}, {"(1=1", "error"}, {"1=1)", "true"},
               {"1=1,", "true"}, {"1=1 2", "error"}, {"()", "error"}, {"1=", "error"},
               {"=1", "error"}, {"1=1 ! 2", "error"}, {"1!=2", "true"}, {"X=5.5.5", "error"}, {"X=5 5.5.5", "true"},
               {"NOT (1=2)", "true"}, {"NOT X", "error"}, {"TRUE NOT FALSE", "error"},
               {"NULL=(1 2)", "false"}, {"'x'/0", "error"});
}

TEST_F(ExprParserTest, NullOperands) {
  EXPECT_CASES({"N_NULL=NULL", "true"}, {"NAZEV=NULL", "false"}, {"NAZEV<>NULL", "true"},
               {"''=NULL", "true"}, {"''=N_NULL", "true"}, {"N_NULL=''", "false"},
               {"N_NULL<>'A'", "true"}, {"NULL=NULL", "true"}, {"NULL<>1", "true"},
               {"NULL>1", "error"}, {"1<>NULL", "true"}, {"1=NULL", "error"}, {"OK<>NULL", "true"},
               {"I_NULL+1", "error"}, {"NULL=FOO", "false"});
}

TEST_F(ExprParserTest, TextPatternEquality) {
  constexpr TFilterOptions kCase{foCaseInsensitive};
  constexpr TFilterOptions kWhole{foNoPartialCompare};
  constexpr TFilterOptions kBoth{foCaseInsensitive, foNoPartialCompare};
  EXPECT_CASES({"NAZEV='ABC*'", "true"}, {"'ABC'='ABC*'", "true"}, {"'xABC'='ABC*'", "false"},
               {"'abcd'='ABC*'", "false"}, {"'abcd'='ABC*'", "true", kCase},
               {"'ABC '='ABC'", "false"}, {"'XBC'='?BC'", "true"}, {"'XBC'='?B'", "false"},
               {"NAZEV=''", "false"}, {"''=''", "false"}, {"''='*'", "true"},
               {"'ABCDEF'='A*C*F'", "true"}, {"'ABCDEF'='A*D*C*'", "false"},
               {"'ABCABC'='*BC'", "true"}, {"'AB'='A*B*B'", "false"}, {"'A*B'='A*B'", "true"},
               {"'ab'='AB'", "true", kBoth}, {"'ab'='AB'", "false", kWhole}, {"'AB'='A*'", "false", kWhole},
               {"''=''", "true", kWhole}, {"'A*'<>'A*'", "false"}, {"'ABC'<>'A*'", "true"},
               {"'a'<>'A'", "true"}, {"'a'<>'A'", "false", kCase}, {"'b'>'a'", "true"},
               {"'B'>'a'", "true"}, {"'Čap'>'Cap'", "true"}, {"'chata'>'hrad'", "true"},
               {"'žluťoučký kůň'='ŽLUŤOUČKÝ*'", "true", kCase}, {"'ľubica'='Ľ*'", "true", kCase},
               {"'AB'+'CD'", "text 'ABCD'"}, {"'AB'-'CD'", "error"});
}

TEST_F(ExprParserTest, FieldFunctionSkipsTheNullTest) {
  constexpr TFilterOptions kWhole{foNoPartialCompare};
  EXPECT_CASES({"FIELD('N_NULL')=''", "true", kWhole}, {"N_NULL=''", "false", kWhole},
               {"FIELD('I_NULL')=0", "true"}, {"FIELD('D_NULL')", "date 0"}, {"FIELD('nc')", "float 12.5"},
               {"FIELD('N'+'C')", "float 12.5"}, {"FIELD('NIC')", "error"}, {"FIELD('POZN')", "error"},
               {"FIELD(NAZEV)", "error"}, {"FIELD(1)", "error"},
               {"(NC>=10.5) AND (FIELD('MJ')='kg')", "true"});
}

TEST_F(ExprParserTest, Functions) {
  EXPECT_CASES(
      {"ROUND(2.5)", "float 2"}, {"ROUND(3.5)", "float 4"}, {"ROUND(-2.5)", "float -2"}, {"ROUND(7)", "float 7"},
      {"TRUNC(-2.7)", "float -2"}, {"TRUNC(7)", "float 7"}, {"FRAC(7)", "float 0"}, {"FRAC(-2.75)", "float -0.75"},
      {"TRUNC('1')", "error"}, {"TRUNC(NULL)", "error"}, {"STRTOINT('42')", "int 42"},
      {"STRTOINT(' -7')", "int -7"}, {"STRTOINT('4x')", "error"},
      {"STRTOINT('')", "error"}, {"STRTOINT('2147483648')", "error"}, {"STRTOINT(4)", "error"},
      {"STRTOFLOAT('1,5')", "float 1.5"}, {"STRTOFLOAT('1.5')", "error"}, {"STRTOFLOAT('abc')", "error"},
      {"INTTOSTR(42)", "text '42'"}, {"INTTOSTR(2.0)", "error"}, {"FLOATTOSTR(1.5)", "text '1,5'"},
      {"FLOATTOSTR(2)", "error"}, {"FLOATTOSTR(0.1+0.2)", "text '0,3'"},
      {"FLOATTOSTR(STRTOFLOAT('1,5E20'))", "text '1,5E20'"}, {"FLOATTOSTR(0.00001)", "text '1E-5'"},
      {"UPPER('žluťoučký kůň')", "text 'ŽLUŤOUČKÝ KŮŇ'"}, {"LOWER('ŠÍLENĚ')", "text 'šíleně'"},
      {"UPPER(1)", "error"}, {"POS('',NAZEV)", "int 0"}, {"POS('A' 'BA')", "int 2"}, {"POS('C',NAZEV)", "int 3"},
      {"POSSTR('c',NAZEV)", "int 0"}, {"POSTEXT('c',NAZEV)", "int 3"}, {"POS('Z',NAZEV)", "int 0"},
      {"COPY('ABCDE',0,2)", "text 'AB'"}, {"COPY('ABCDE',4,10)", "text 'DE'"}, {"COPY('ABCDE',6,1)", "text ''"},
      {"COPY('ABCDE',2,-1)", "text ''"}, {"COPY('',1,1)", "text ''"}, {"COPY('ABCDE',2,'1')", "error"},
      {"TRIM('  a b ')", "text 'a b'"}, {"trim(NULL)", "error"});
}

TEST_F(ExprParserTest, MalformedCalls) {
  EXPECT_CASES({"POS('A')", "error"}, {"TRIM('a','b')", "error"}, {"TRIM 'a'", "error"}, {"TRIM", "error"},
               {"POS('A',,'BA')", "error"}, {"POS('A','BA'", "error"}, {"COPY('ABC' 1 2)", "text 'AB'"});
}

TEST_F(ExprParserTest, DatesAndTimes) {
  EXPECT_CASES({"DAT='15.3.2024'", "true"}, {"'15.3.2024'=DAT", "true"}, {"DAT>'1.1.2024'", "true"},
               {"DAT='15.3.2024 18:00'", "error"}, {"DAT='bad'", "error"}, {"DAT+DAT", "date 90732"},
               {"DAT-DAT", "date 0"}, {"DAT+1", "error"}, {"DAT<DT", "true"}, {"DAT+DT", "datetime 90732.25"},
               {"DT-DAT", "datetime 0.25"}, {"CAS='12:00'", "true"}, {"CAS+CAS", "time 1"},
               {"CAS+DAT", "error"}, {"DT='15.3.2024 6:00'", "true"}, {"DAT=NULL", "error"},
               {"DAT<>NULL", "true"}, {"D_NULL=NULL", "true"});
}

TEST_F(ExprParserTest, TextsAreCutTo255) {
  const std::string long_text(300, 'a');
  EXPECT_EQ(Eval("'" + long_text + "'=" + "'" + long_text.substr(0, 255) + "'"), "true");
  EXPECT_EQ(Eval("COPY('" + long_text + "',1,1000)"), "text '" + long_text.substr(0, 255) + "'");
  EXPECT_EQ(Eval("'" + long_text.substr(0, 200) + "'+'" + long_text.substr(0, 200) + "'"),
            "text '" + long_text.substr(0, 255) + "'");
  source_.At("NAZEV").value = TExprValue::Of(ekText);
  source_.At("NAZEV").value.text = long_text;
  EXPECT_EQ(Eval("NAZEV"), "text '" + long_text.substr(0, 255) + "'");
}

TEST_F(ExprParserTest, FloatFaultsRaise) {
  TDsExprParser parser(source_);
  const struct {
    const char* text;
    bool zero_divide;
  } cases[] = {{"1/0>0", true}, {"NC/0", true}, {"0/0", false}, {"X/(X-X)", true},
               {"TRUNC(STRTOFLOAT('1E30'))", false}, {"ROUND(STRTOFLOAT('-1E19'))", false}};
  for (const auto& c : cases) {
    parser.SetExpression(c.text);
    if (c.zero_divide) {
      EXPECT_THROW(parser.Evaluate(), EZeroDivide) << c.text;
    } else {
      EXPECT_THROW(parser.Evaluate(), EInvalidOp) << c.text;
    }
  }
  parser.SetExpression("STRTOFLOAT('1E300')*STRTOFLOAT('1E300')");
  EXPECT_THROW(parser.Evaluate(), EOverflow);
}

TEST_F(ExprParserTest, UnreadableFieldRaisesTheSourceError) {
  source_.At("NC").unreadable = true;
  TDsExprParser parser(source_);
  parser.SetExpression("NC>1");
  EXPECT_THROW(parser.Evaluate(), std::runtime_error);
}

// The text is tokenized once; each evaluation reads the current values.
TEST_F(ExprParserTest, TokenizesOnceAndRereadsFields) {
  TDsExprParser parser(source_);
  parser.SetExpression("(NC>=10.5) AND (FIELD('MJ')='kg')");
  EXPECT_TRUE(parser.IsTrue());
  const int lookups = source_.lookups();
  source_.At("NC").value.number = 9;
  EXPECT_FALSE(parser.IsTrue());
  source_.At("NC").value.number = 11;
  source_.At("MJ").value.text = "t";
  EXPECT_FALSE(parser.IsTrue());
  source_.At("MJ").value.text = "kg";
  EXPECT_TRUE(parser.IsTrue());
  EXPECT_EQ(source_.lookups(), lookups);
  EXPECT_TRUE(parser.Tokenized());
  parser.SetExpression("(NC>=10.5) AND (FIELD('MJ')='kg')");
  EXPECT_TRUE(parser.Tokenized());
  parser.SetExpression("NC>20");
  EXPECT_FALSE(parser.Tokenized());
  EXPECT_FALSE(parser.IsTrue());
}

TEST_F(ExprParserTest, TokensCarryTheKindCodes) {
  TDsExprParser parser(source_);
  parser.SetExpression("(NC>=-1.5) AND POS('a', FOO) <> 'x'");
  parser.Tokenize();
  std::vector<int> kinds;
  for (const TExprValue& token : parser.Tokens()) kinds.push_back(token.kind);
  EXPECT_EQ(kinds, (std::vector<int>{1, 6, 15, 10, 2, 17, 5, 1, 7, 3, 0, 2, 12, 7, 0}));
  EXPECT_EQ(parser.Tokens()[3].number, -1.5);
  EXPECT_EQ(parser.Tokens()[6].integer, parser.Functions().Find("POS"));
}

TEST_F(ExprParserTest, RegistryOrderAndUserFunctions) {
  TDsExprParser parser(source_);
  const char* names[] = {"TRUNC", "ROUND", "FRAC", "STRTOINT", "STRTOFLOAT", "INTTOSTR", "FLOATTOSTR", "UPPER",
                         "LOWER", "FIELD", "POS", "POSSTR", "POSTEXT", "COPY", "TRIM"};
  ASSERT_EQ(parser.Functions().Size(), 15);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(parser.Functions().At(i).name, names[i]);
  parser.RegisterFunction("TWICE", 1, [](TDsExprParser&, std::span<const TExprValue> args, TExprValue* result) {
    if (args[0].kind == ekInteger) *result = TExprValue::Integer(2 * args[0].integer);
  });
  parser.RegisterFunction("trim", 1, [](TDsExprParser&, std::span<const TExprValue>, TExprValue* result) {
    *result = TExprValue::Integer(-1);
  });
  parser.SetExpression("TWICE(X)+TWICE('a')");
  EXPECT_EQ(Show(parser.Evaluate()), "error");
  parser.SetExpression("TWICE(X)");
  EXPECT_EQ(Show(parser.Evaluate()), "int 10");
  parser.SetExpression("TRIM(' a')");
  EXPECT_EQ(Show(parser.Evaluate()), "text 'a'");
}

TEST_F(ExprParserTest, SettingAFilterKeepsTheOldOneOnError) {
  TDsExprParser parser(source_);
  EXPECT_TRUE(parser.TrySetFilter("NC>10", {foCaseInsensitive}));
  EXPECT_FALSE(parser.TrySetFilter("NC>'abc'", {}));
  EXPECT_EQ(parser.Expression(), "NC>10");
  EXPECT_EQ(parser.Options(), TFilterOptions{foCaseInsensitive});
  EXPECT_TRUE(parser.IsTrue());
  EXPECT_THROW(parser.TrySetFilter("NC/0>1", {}), EZeroDivide);
  EXPECT_EQ(parser.Expression(), "NC>10");
  EXPECT_TRUE(parser.TrySetFilter("NC+1", {}));  // not a boolean, yet accepted
  EXPECT_FALSE(parser.IsTrue());
  EXPECT_TRUE(parser.TrySetFilter("", {}));
  EXPECT_EQ(parser.Expression(), "");
}

TEST_F(ExprParserTest, DeepNestingIsAnErrorNotACrash) {
  const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
  EXPECT_EQ(Eval(deep), "error");
  const std::string shallow = std::string(100, '(') + "1" + std::string(100, ')');
  EXPECT_EQ(Eval(shallow), "int 1");
}

TEST(ExprOperatorTable, HoldsTheOperatorTexts) {
  EXPECT_STREQ(ExprOperatorText(ekNotEqual), "<>");
  EXPECT_STREQ(ExprOperatorText(ekXor), "XOR");
  EXPECT_STREQ(ExprOperatorText(ekDivide), "/");
  EXPECT_STREQ(ExprOperatorText(ekText), "");
  EXPECT_STREQ(ExprOperatorText(ekNull), "");
}

}  // namespace
}  // namespace zarn
