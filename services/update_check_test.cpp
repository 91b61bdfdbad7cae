#include "services/update_check.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "services/testing_folder.h"

namespace zarn {
namespace {

TEST(ReadUpdateSettings, MissingKeysTakeTheDefaults) {
  ScratchWorkingFolder folder("update_settings_defaults");
  const UpdateSettings s = ReadUpdateSettings("../Tarvol05.ini");
  EXPECT_EQ(s.host, "ftp.tromix.cz");
  EXPECT_EQ(s.user, "tromix");
  EXPECT_EQ(s.password, "903816kpw");
  EXPECT_EQ(s.port, "21");
  EXPECT_TRUE(s.passive);
  EXPECT_EQ(s.drive, "");
}

TEST(ReadUpdateSettings, ReadsLogOnAndRemovable) {
  ScratchWorkingFolder folder("update_settings_values");
  TIniFile ini("../Tarvol05.ini");
  ini.WriteString("LogON", "FTP", "update.example");
  ini.WriteString("LogON", "FTPuser", "u");
  ini.WriteString("LogON", "FTPpassword", "p");
  ini.WriteString("LogON", "FTPport", "2121");
  ini.WriteString("Removable", "Drive", "E:");
  const UpdateSettings s = ReadUpdateSettings("../Tarvol05.ini");
  EXPECT_EQ(s.host, "update.example");
  EXPECT_EQ(s.user, "u");
  EXPECT_EQ(s.password, "p");
  EXPECT_EQ(s.port, "2121");
  EXPECT_EQ(s.drive, "E:");
}

TEST(ReadUpdateSettings, OnlyExactlyFalseMeansActiveTransfers) {
  ScratchWorkingFolder folder("update_settings_passive");
  TIniFile ini("../Tarvol05.ini");
  const std::pair<const char*, bool> cases[] = {
      {"False", false}, {"false", true}, {"FALSE", true}, {"0", true}, {"True", true}, {"", true}};
  for (const auto& [value, passive] : cases) {
    ini.WriteString("LogON", "FTPpassive", value);
    EXPECT_EQ(ReadUpdateSettings("../Tarvol05.ini").passive, passive) << '"' << value << '"';
  }
}

TEST(InstallerCommandLine, DriveGivesTheInstallationFolder) {
  EXPECT_EQ(InstallerCommandLine("setupzar.exe", ""), "setupzar.exe");
  EXPECT_EQ(InstallerCommandLine("setupzar.exe", "E:"),
            "setupzar.exe /DIR=\"E:\\program files\\tromix\\tarvol05\\zarn05\"");
}

}  // namespace
}  // namespace zarn
