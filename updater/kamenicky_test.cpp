#include "updater/kamenicky.h"

#include <gtest/gtest.h>

#include "platform/win1250.h"

namespace zarn {
namespace {

TEST(DoKamenickeho, CzechLettersMoveToTheirDosPositions) {
  struct Case {
    unsigned char windows;
    unsigned char kamenicky;
  };
  const Case cases[] = {
      {0xC8, 0x80},  // Č
      {0xF8, 0xA9},  // ř
      {0xE9, 0x82},  // é
      {0x8A, 0x9B},  // Š
      {0x9E, 0x91},  // ž
      {0xE1, 0xA0},  // á
      {0xF9, 0x96},  // ů
      {0x91, 0x60},  // typographic opening quote to a plain one
      {0x96, 0xC4},  // en dash
      {0xAD, 0x2D},  // soft hyphen to a hyphen
      {0xFF, 0xFF},  // dot above stays
  };
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<unsigned char>(DoKamenickeho(std::string(1, static_cast<char>(c.windows)))[0]), c.kamenicky)
        << std::hex << int(c.windows);
  }
}

TEST(DoKamenickeho, AsciiStaysAndEveryByteMapsToOne) {
  std::string ascii;
  for (int b = 0; b < 0x80; ++b) ascii += static_cast<char>(b);
  EXPECT_EQ(DoKamenickeho(ascii), ascii);

  const std::string word = Utf8ToWin1250("Černý ječmen, jarní");
  const std::string dos = DoKamenickeho(word);
  ASSERT_EQ(dos.size(), word.size());
  EXPECT_EQ(dos, std::string("\x80" "ern\x98" " je\x87men, jarn\xA1"));
}

}  // namespace
}  // namespace zarn
