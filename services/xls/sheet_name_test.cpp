#include "services/xls/sheet_name.h"

#include <gtest/gtest.h>

#include "platform/win1250.h"

namespace zarn {
namespace {

TEST(XlsSheetNameTest, SuffixAlwaysFitsIntoThirtyOneCharacters) {
  const std::string evidence = Utf8ToWin1250("Evidence licenčních poplatků");  // 28 characters
  const std::string long_name(40, 'x');
  struct Case {
    std::string base;
    int number;
    std::string expected;
  };
  const Case cases[] = {
      {evidence, 1, evidence},
      {evidence, 2, evidence + " 2"},
      {evidence, 99, evidence + " 99"},
      {evidence, 100, evidence.substr(0, 27) + " 100"},
      {long_name, 1, std::string(31, 'x')},
      {long_name, 12, std::string(28, 'x') + " 12"},
      {"a/b\\c?d*e[f]g:h", 1, "a_b_c_d_e_f_g_h"},
      {"", 2, "List 2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(XlsSheetName(c.base, c.number), c.expected) << c.base << " " << c.number;
    EXPECT_LE(XlsSheetName(c.base, c.number).size(), kMaxSheetNameChars);
  }
}

}  // namespace
}  // namespace zarn
