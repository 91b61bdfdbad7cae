#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace zarn {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("ini_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "zarn.ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string Read() {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("LogON", "IP", "localhost"), "localhost");
  Write("[LogON]\r\nIP=10.0.0.1\r\n");
  EXPECT_EQ(ini.ReadString("Other", "IP", "x"), "x");
  EXPECT_EQ(ini.ReadString("LogON", "User", "root"), "root");
  EXPECT_EQ(ini.ReadInteger("LogON", "IP", 7), 7);  // not a number
}

TEST_F(IniFileTest, SectionsAndKeysIgnoreCaseAndBlanks) {
  Write("; comment\r\n[logon]\r\n  sqlPORT = 3307 \r\nPassword=\"a b\"\r\n[Dnes]\nDatum=1.2.2026\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("LogON", "SQLport", 3306), 3307);
  EXPECT_EQ(ini.ReadString("LOGON", "password", ""), "a b");
  EXPECT_EQ(ini.ReadString("dnes", "DATUM", ""), "1.2.2026");
  EXPECT_EQ(ini.ReadSection("LogON"), (std::vector<std::string>{"sqlPORT", "Password"}));
}

TEST_F(IniFileTest, WritingAKeyKeepsEveryOtherLine) {
  Write("; kept\r\n[TForm1]\r\nEditIP_Text=old\r\nOther=1\r\n\r\n[UpdateTable]\r\nadresar=x\r\n");
  TIniFile ini(path_);
  ASSERT_TRUE(ini.WriteString("tform1", "EditIP_Text", "10.1.1.1"));
  ASSERT_TRUE(ini.WriteString("TForm1", "New", "n"));
  ASSERT_TRUE(ini.WriteString("Dnes", "Datum", "11.12.2026"));
  EXPECT_EQ(Read(),
            "; kept\r\n[TForm1]\r\nEditIP_Text=10.1.1.1\r\nOther=1\r\nNew=n\r\n\r\n[UpdateTable]\r\nadresar=x\r\n"
            "\r\n[Dnes]\r\nDatum=11.12.2026\r\n");
}

TEST_F(IniFileTest, WritingCreatesTheFileAndKeepsWindows1250Bytes) {
  TIniFile ini(path_);
  const std::string value = "\x8E\xE1" "dn\xFD";  // Žádný
  ASSERT_TRUE(ini.WriteString("A", "k", value));
  EXPECT_EQ(Read(), "[A]\r\nk=" + value + "\r\n");
  EXPECT_EQ(ini.ReadString("a", "K", ""), value);
}

TEST_F(IniFileTest, UnwritableFileReportsFailure) {
  TIniFile ini((dir_ / "missing-folder" / "x.ini").string());
  EXPECT_FALSE(ini.WriteString("A", "k", "v"));
  EXPECT_EQ(ini.ReadString("A", "k", "def"), "def");
}

}  // namespace
}  // namespace zarn
