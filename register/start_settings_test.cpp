#include "register/start_settings.h"

#include <QCoreApplication>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/ini_file.h"

namespace zarn {
namespace {

namespace fs = std::filesystem;

struct IniValue {
  const char* file;  // "zarn" or "tarvol"
  const char* section;
  const char* key;
  const char* value;
};

struct Case {
  const char* name;
  std::vector<IniValue> stored;
  TNastaveniStartu expected;
};

TEST(StartSettingsTest, OwnIniThenLogOnWithTheValueSoFarAsDefault) {
  const fs::path dir = fs::temp_directory_path() / ("start_settings_" + std::to_string(QCoreApplication::applicationPid()));
  const Case cases[] = {
      {"no files at all", {}, {"localhost", "root", "", "tarvol", "3306", "", "00", true}},
      {"host in capitals is not the local server",
       {{"zarn", "TFmozno", "EditIP_Text", "LOCALHOST"}},
       {"LOCALHOST", "", "", "tarvol", "3306", "", "00", true}},
      {"check flag in small letters turns the check off",
       {{"zarn", "TFmozno", "suiCheckBoxTestVerze_Checked", "true"}},
       {"localhost", "root", "", "tarvol", "3306", "", "00", false}},
      {"workstation of Tarvol05.ini overrides zarn.ini",
       {{"zarn", "TFmozno", "EditcisloPC_Text", "07"}, {"tarvol", "LogON", "CisloPC", "12"}},
       {"localhost", "root", "", "tarvol", "3306", "", "12", true}},
      {"LogON keys replace what zarn.ini gave",
       {{"zarn", "TFmozno", "EditIP_Text", "10.0.0.9"},
        {"tarvol", "LogON", "IP", "db.tarvol.cz"},
        {"tarvol", "LogON", "User", "centrum"},
        {"tarvol", "LogON", "Password", "tajne"},
        {"tarvol", "LogON", "Database", "tarvol2"},
        {"tarvol", "LogON", "SQLport", "3307"},
        {"tarvol", "LogON", "OPENport", "3310"}},
       {"db.tarvol.cz", "centrum", "tajne", "tarvol2", "3307", "3310", "00", true}},
      {"a LogON host keeps the root user chosen for localhost",
       {{"tarvol", "LogON", "IP", "10.1.1.1"}},
       {"10.1.1.1", "root", "", "tarvol", "3306", "", "00", true}},
  };
  for (const Case& c : cases) {
    fs::remove_all(dir);
    fs::create_directories(dir / "zarn");
    const std::string zarn_ini = (dir / "zarn" / "zarn.ini").string();
    const std::string tarvol_ini = (dir / "Tarvol05.ini").string();
    for (const IniValue& v : c.stored)
      TIniFile(std::string(v.file) == "zarn" ? zarn_ini : tarvol_ini).WriteString(v.section, v.key, v.value);
    const TNastaveniStartu got = NactiNastaveniStartu(zarn_ini, tarvol_ini);
    const TNastaveniStartu& want = c.expected;
    EXPECT_EQ(got.HostName, want.HostName) << c.name;
    EXPECT_EQ(got.User, want.User) << c.name;
    EXPECT_EQ(got.Password, want.Password) << c.name;
    EXPECT_EQ(got.Database, want.Database) << c.name;
    EXPECT_EQ(got.SqlPort, want.SqlPort) << c.name;
    EXPECT_EQ(got.OpenPort, want.OpenPort) << c.name;
    EXPECT_EQ(got.CisloPC, want.CisloPC) << c.name;
    EXPECT_EQ(got.TestVerze, want.TestVerze) << c.name;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zarn
