#include "services/sql_quote.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

TEST(QuoteSql, DoublesTheChosenQuoteAndEscapesBackslashes) {
  struct Case {
    std::string_view text;
    char quote;
    std::string expected;
  };
  const Case cases[] = {
      {"", '\'', "''"},
      {"Novak", '\'', "'Novak'"},
      {"O'Brien", '\'', "'O''Brien'"},
      {"''", '\'', "''''''"},
      {"C:\\data\\", '\'', "'C:\\\\data\\\\'"},
      {"say \"hi\"", '\'', "'say \"hi\"'"},
      {"say \"hi\"", '"', "\"say \"\"hi\"\"\""},
      {"it's", '"', "\"it's\""},
      {"end\\", '"', "\"end\\\\\""},
      {std::string_view("a\0b", 3), '\'', "'a\\0b'"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QuoteSql(c.text, c.quote), c.expected) << c.text;
  }
}

TEST(QuoteSql, LeavesWindows1250LettersUnchanged) {
  // "Žluťoučký kůň" in Windows-1250: the high bytes must pass as they are.
  const std::string text = "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2";
  EXPECT_EQ(QuoteSql(text), "'" + text + "'");
}

}  // namespace
}  // namespace zarn
