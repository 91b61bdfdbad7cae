#include "dbf/codepage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace zarn {
namespace {

// Windows-1250 bytes of the Czech pangram and of its upper-case form.
const std::string kPangram =
    "\x8E" "lu\x9D" "ou\xE8" "k\xFD" " k\xF9\xF2" " \xFA" "p\xEC" "l \xEF\xE1"
    "belsk\xE9" " \xF3" "dy";  // "Žluťoučký kůň úpěl ďábelské ódy"
const std::string kPangramUpper =
    "\x8E" "LU\x8D" "OU\xC8" "K\xDD" " K\xD9\xD2" " \xDA" "P\xCC" "L \xCF\xC1"
    "BELSK\xC9" " \xD3" "DY";  // "ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY"

// Every Czech and Slovak letter of Windows-1250.
const std::string kCzechSlovakLetters =
    "\xC1\xC4\xC8\xCF\xC9\xCC\xCD\xC5\xBC\xD2\xD3\xD4\xD6\xC0\xD8\x8A\x8D\xDA"
    "\xD9\xDC\xDD\x8E\xE1\xE4\xE8\xEF\xE9\xEC\xED\xE5\xBE\xF2\xF3\xF4\xF6\xE0"
    "\xF8\x9A\x9D\xFA\xF9\xFC\xFD\x9E";

std::string Translate(std::string text, const uint8_t* table) {
  TranslateInPlace(text, table);
  return text;
}

std::string Write(CP_TYPE cp, const std::string& text) {
  return Translate(text, CodePageOf(cp).write_table);
}

std::string Read(CP_TYPE cp, const std::string& bytes) {
  return Translate(bytes, CodePageOf(cp).read_table);
}

std::vector<CP_TYPE> AllCodePages() {
  std::vector<CP_TYPE> all;
  for (int i = 0; i < kCodePageCount; ++i) all.push_back(static_cast<CP_TYPE>(i));
  return all;
}

TEST(CodePageTest, LanguageDriverBytesAndNames) {
  struct Case {
    CP_TYPE cp;
    int ordinal;
    uint8_t byte;
    const char* driver;
    const char* name;
  };
  const Case cases[] = {
      {Access_General, 0, 0x5A, "ACCGEN", "Access_General"},
      {ascii_ANSI, 5, 0x57, "DBWINUS0", "ascii_ANSI"},
      {DB2_SQL_ANSI_DEU, 21, 0xCD, "db2andeu", "DB2_SQL_ANSI_DEU"},
      {dBASE_CSY_cp852, 25, 0x1F, "DB852CZ0", "dBASE_CSY_cp852"},
      {dBASE_CSY_cp867, 26, 0x20, "DB867CZ0", "dBASE_CSY_cp867"},
      {dBASE_FRC_cp850, 40, 0x1D, "DB850CF0", "dBASE_FRC_cp850"},
      {FoxPro_Czech_1250, 60, 0x9B, "FOXCZWIN", "FoxPro_Czech_1250"},
      {FoxPro_Czech_DOS895, 61, 0x9C, "FOXCZ895", "FoxPro_Czech_DOS895"},
      {Paradox_ANSI_HEBREW, 70, 0x75, "ANHEBREW", "Paradox_ANSI_HEBREW"},
      {Paradox_ascii, 71, 0x75, "ascii", "Paradox_ascii"},
      {Paradox_Hun_852_DC, 80, 0x68, "hun852dc", "Paradox_Hun_852_DC"},
      {Pdox_ANSI_Turkish, 106, 0x83, "ANTURK", "Pdox_ANSI_Turkish"},
      {Pdox_ascii_Japan, 107, 0x83, "ascii", "Pdox_ascii_Japan"},
      {pdx_ISO_L_2_Czech, 112, 0x65, "il2czw", "pdx_ISO_L_2_Czech"},
      {WEurope_ANSI, 117, 0x58, "DBWINWE0", "WEurope_ANSI"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(static_cast<int>(c.cp), c.ordinal);
    EXPECT_EQ(CodePageOf(c.cp).language_driver, c.byte);
    EXPECT_STREQ(CodePageOf(c.cp).driver_name, c.driver);
    EXPECT_STREQ(CodePageName(c.cp), c.name);
  }
}

TEST(CodePageTest, OrdinalBeyondTheEnumerationIsTheDefault) {
  for (int ordinal : {kCodePageCount, 200, 255}) {
    const auto cp = static_cast<CP_TYPE>(ordinal);
    EXPECT_EQ(&CodePageOf(cp), &CodePageOf(ascii_ANSI));
    EXPECT_STREQ(CodePageName(cp), "ascii_ANSI");
    EXPECT_TRUE(IsIdentityCodePage(cp));
  }
}

TEST(CodePageTest, NamesFindTheirCodePage) {
  for (CP_TYPE cp : AllCodePages()) EXPECT_EQ(CodePageFromName(CodePageName(cp)), cp);
  EXPECT_EQ(CodePageFromName("ASCII_ansi"), ascii_ANSI);
  EXPECT_EQ(CodePageFromName("paradox_intl"), Paradox_intl);
  EXPECT_EQ(CodePageFromName("cp852"), std::nullopt);
  EXPECT_EQ(CodePageFromName("ascii_ANSI "), std::nullopt);
  EXPECT_EQ(CodePageFromName(""), std::nullopt);
}

TEST(CodePageTest, IdentityOrdinalsPassEveryByteUnchanged) {
  std::set<int> identity = {16, 17, 18, 19, 20, 21, 23, 24, 45, 46, 47, 60, 62,
                            64, 68, 70, 73, 84, 85, 91, 108, 109, 113, 117};
  for (int i = 0; i <= 15; ++i) identity.insert(i);
  for (int i = 94; i <= 106; ++i) identity.insert(i);
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes.push_back(static_cast<char>(b));

  for (CP_TYPE cp : AllCodePages()) {
    SCOPED_TRACE(CodePageName(cp));
    const bool expected_identity = identity.count(cp) > 0;
    EXPECT_EQ(IsIdentityCodePage(cp), expected_identity);
    if (expected_identity) {
      EXPECT_EQ(Write(cp, all_bytes), all_bytes);
      EXPECT_EQ(Read(cp, all_bytes), all_bytes);
    } else {
      EXPECT_NE(Read(cp, all_bytes), all_bytes);
    }
  }
}

// Outside the identity: the ASCII half is kept, every character that has a
// counterpart comes back unchanged, and the rest becomes '#'.
TEST(CodePageTest, TranslatedPagesKeepAsciiAndRoundTripWhatTheyMap) {
  for (CP_TYPE cp : AllCodePages()) {
    if (IsIdentityCodePage(cp)) continue;
    SCOPED_TRACE(CodePageName(cp));
    const CodePageInfo& info = CodePageOf(cp);
    for (int b = 0; b < 0x7F; ++b) {
      ASSERT_EQ(info.write_table[b], b);
      ASSERT_EQ(info.read_table[b], b);
    }
    for (int b = 0x80; b < 256; ++b) {
      const uint8_t stored = info.write_table[b];
      if (stored == '#') continue;
      EXPECT_GE(stored, 0x80) << "program byte " << b;
      EXPECT_EQ(info.read_table[stored], b) << "program byte " << b;
    }
  }
}

TEST(CodePageTest, CzechTextThroughDosPages) {
  struct Case {
    CP_TYPE cp;
    const std::string& text;
    std::string file_bytes;  // cp852 as Python's codec encodes it; Kamenický from its chart
  };
  const Case cases[] = {
      {dBASE_CSY_cp852, kPangram,
       "\xA6" "lu\x9C" "ou\x9F" "k\xEC" " k\x85\xE5" " \xA3" "p\xD8" "l \xD4\xA0"
       "belsk\x82" " \xA2" "dy"},
      {dBASE_CSY_cp852, kPangramUpper,
       "\xA6" "LU\x9B" "OU\xAC" "K\xED" " K\xDE\xD5" " \xE9" "P\xB7" "L \xD2\xB5"
       "BELSK\x90" " \xE0" "DY"},
      {FoxPro_Czech_DOS895, kPangram,
       "\x92" "lu\x9F" "ou\x87" "k\x98" " k\x96\xA4" " \xA3" "p\x88" "l \x83\xA0"
       "belsk\x82" " \xA2" "dy"},
      {FoxPro_Czech_DOS895, kPangramUpper,
       "\x92" "LU\x86" "OU\x80" "K\x9D" " K\xA6\xA5" " \x97" "P\x89" "L \x85\x8F"
       "BELSK\x90" " \x95" "DY"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(CodePageName(c.cp));
    EXPECT_EQ(Write(c.cp, c.text), c.file_bytes);
    EXPECT_EQ(Read(c.cp, c.file_bytes), c.text);
  }
}

TEST(CodePageTest, EveryCzechPageKeepsEveryCzechAndSlovakLetter) {
  const CP_TYPE czech_pages[] = {dBASE_CSY_cp852,  dBASE_CSY_cp867,  FoxPro_Czech_DOS895,
                                 Paradox_Czech_852, Paradox_Czech_867, pdx_Czech_852_CH,
                                 pdx_Czech_867_CH, pdx_ISO_L_2_Czech};
  for (CP_TYPE cp : czech_pages) {
    SCOPED_TRACE(CodePageName(cp));
    const std::string stored = Write(cp, kCzechSlovakLetters);
    EXPECT_EQ(stored.find('#'), std::string::npos);
    EXPECT_EQ(Read(cp, stored), kCzechSlovakLetters);
  }
}

TEST(CodePageTest, CharacterWithoutCounterpartBecomesHash) {
  // Euro sign and an unassigned Windows-1250 byte have no DOS Latin 2 place.
  EXPECT_EQ(Write(dBASE_CSY_cp852, "\x80|\x81"), "#|#");
  // Box drawing and Greek of Kamenický have no Windows-1250 place.
  EXPECT_EQ(Read(FoxPro_Czech_DOS895, "\xC4\xE0" "a"), "##a");
  // Cyrillic cannot be written into Windows-1250 text.
  EXPECT_EQ(Read(dBASE_RUS_cp866, "\x80\x81"), "##");
  // Multibyte Japanese keeps only its ASCII half.
  EXPECT_EQ(Read(Pdox_ascii_Japan, "A\x82\xA0"), "A##");
  EXPECT_EQ(Write(Pdox_ascii_Japan, "B\xE1"), "B#");
}

TEST(CodePageTest, TranslateBytesTouchesOnlyTheGivenRange) {
  char buffer[] = "\x8E\x8E\x8E";
  TranslateBytes(buffer + 1, 1, CodePageOf(FoxPro_Czech_DOS895).write_table);
  EXPECT_EQ(std::string(buffer), "\x8E\x92\x8E");
}

// The committed tables must be what the generator produces today.
TEST(CodePageTest, GeneratedTablesAreCurrent) {
  const std::filesystem::path python = "/usr/bin/python3";
  if (!std::filesystem::exists(python)) GTEST_SKIP() << "no /usr/bin/python3";
  const std::filesystem::path root = ZARN_SOURCE_DIR;
  const std::string command =
      python.string() + " '" + (root / "tools/gen_codepages.py").string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string generated;
  char chunk[4096];
  for (std::size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) generated.append(chunk, n);
  ASSERT_EQ(pclose(pipe), 0);

  std::ifstream committed_file(root / "dbf/codepage_tables.cpp", std::ios::binary);
  std::stringstream committed;
  committed << committed_file.rdbuf();
  EXPECT_EQ(generated, committed.str());
}

}  // namespace
}  // namespace zarn
