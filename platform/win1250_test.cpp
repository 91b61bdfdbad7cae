#include "platform/win1250.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

TEST(Win1250, EveryByteRoundTripsThroughQStringAndUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(ToWin1250(FromWin1250(all)), all);
  EXPECT_EQ(Utf8ToWin1250(Win1250ToUtf8(all)), all);
}

TEST(Win1250, CzechLettersMapToTheirCodePoints) {
  const std::string czech = "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1" "belsk\xE9 \xF3" "dy \xC8\x8A\xD8\x8E";
  const std::string utf8 = "Příliš žluťoučký kůň úpěl ďábelské ódy ČŠŘŽ";
  EXPECT_EQ(Win1250ToUtf8(czech), utf8);
  EXPECT_EQ(Utf8ToWin1250(utf8), czech);
  EXPECT_EQ(FromWin1250(czech), QString::fromUtf8(utf8.c_str()));
}

TEST(Win1250, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToWin1250("a€b"), "a\x80" "b");
  EXPECT_EQ(Utf8ToWin1250("Ω☃"), "??");
  EXPECT_EQ(Utf8ToWin1250("x\xC3"), "x?");          // cut sequence
  EXPECT_EQ(Utf8ToWin1250("\xFF" "a"), "?a");        // invalid lead byte
  EXPECT_EQ(UnicodeToWin1250(0x1F600), '?');
}

}  // namespace
}  // namespace zarn
