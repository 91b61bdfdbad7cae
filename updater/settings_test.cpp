#include "updater/settings.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "services/testing_folder.h"

namespace zarn {
namespace {

TEST(CislaTabulek, DigitsInAscendingOrderOnceEach) {
  struct Case {
    const char* text;
    std::vector<int> cisla;
  };
  const Case cases[] = {
      {"", {}},
      {"10", {0, 1}},
      {"7102", {0, 1, 2, 7}},
      {"1,1;1", {1}},
      {"89", {}},
      {"a9b3", {3}},
      {"01234567", {0, 1, 2, 3, 4, 5, 6, 7}},
  };
  for (const Case& c : cases) EXPECT_EQ(CislaTabulek(c.text), c.cisla) << c.text;
}

TEST(JenNoveZArgumentu, FirstArgumentOnlyInAnyCase) {
  EXPECT_FALSE(JenNoveZArgumentu({"zembu"}));
  EXPECT_TRUE(JenNoveZArgumentu({"zembu", "/JENNOVY"}));
  EXPECT_TRUE(JenNoveZArgumentu({"zembu", "/jennovy", "/neco"}));
  EXPECT_TRUE(JenNoveZArgumentu({"zembu", "/JenNovy"}));
  EXPECT_FALSE(JenNoveZArgumentu({"zembu", "/neco", "/JENNOVY"}));
  EXPECT_FALSE(JenNoveZArgumentu({"zembu", "JENNOVY"}));
}

TEST(NactiNastaveniZembu, DefaultsWithoutAFile) {
  ScratchWorkingFolder folder("zembu_settings");
  const TNastaveniZembu n = NactiNastaveniZembu();
  EXPECT_EQ(n.EditIP_Text, "localhost");
  EXPECT_EQ(n.EditCoDelat_Text, "");
  EXPECT_FALSE(n.RezimPredani());
  EXPECT_EQ(n.EditCestaData_Text, "data/");
  EXPECT_EQ(n.TarvolCesta, "../tarvol");
}

TEST(NactiNastaveniZembu, StoredKeysWithEitherSeparator) {
  ScratchWorkingFolder folder("zembu_settings");
  TIniFile ini("zembu.ini");
  ini.WriteString("TForm1", "EditCoDelat_Text", "10");
  ini.WriteString("TForm1", "EditDoTarvol_Text", "ANO");
  ini.WriteString("TForm1", "EditCestaData_Text", "..\\spolecne\\data\\");
  ini.WriteString("TForm1", "TarvolCesta", "..\\tromix/tarvol");
  const TNastaveniZembu n = NactiNastaveniZembu();
  EXPECT_EQ(n.EditCoDelat_Text, "10");
  EXPECT_TRUE(n.RezimPredani());
  EXPECT_EQ(n.EditCestaData_Text, "../spolecne/data/");
  EXPECT_EQ(n.TarvolCesta, "../tromix/tarvol");

  ini.WriteString("TForm1", "EditDoTarvol_Text", "ano");
  EXPECT_FALSE(NactiNastaveniZembu().RezimPredani());
}

TEST(SpojeniZembu, LocalhostIsRootUntilLogOnSaysOtherwise) {
  ScratchWorkingFolder folder("zembu_settings");
  TNastaveniZembu n;
  TConnectionSettings s = SpojeniZembu(n);
  EXPECT_EQ(s.HostName, "localhost");
  EXPECT_EQ(s.User, "root");
  EXPECT_EQ(s.Password, "");
  EXPECT_EQ(s.Port, 3306);
  EXPECT_EQ(s.Database, "tarvol");
  EXPECT_TRUE(s.Compress);

  n.EditIP_Text = "server";
  EXPECT_EQ(SpojeniZembu(n).User, "");

  TIniFile logon("../Tarvol05.ini");
  logon.WriteString("LogON", "IP", "10.0.0.5");
  logon.WriteString("LogON", "User", "pc12");
  logon.WriteString("LogON", "Password", "tajne");
  logon.WriteString("LogON", "SQLport", "3307");
  logon.WriteString("LogON", "Database", "tarvol2");
  s = SpojeniZembu(n);
  EXPECT_EQ(s.HostName, "10.0.0.5");
  EXPECT_EQ(s.User, "pc12");
  EXPECT_EQ(s.Password, "tajne");
  EXPECT_EQ(s.Port, 3307);
  EXPECT_EQ(s.Database, "tarvol2");

  logon.WriteString("LogON", "SQLport", "33o6");
  EXPECT_ANY_THROW(SpojeniZembu(n));
}

}  // namespace
}  // namespace zarn
