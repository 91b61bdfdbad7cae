#include "services/workstation.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "services/testing_folder.h"

namespace zarn {
namespace {

TEST(Workstation, AddressIsDottedDecimalOrTheFallback) {
  const std::string ip = LokalniIP();
  EXPECT_TRUE(std::regex_match(ip, std::regex(R"((25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)(\.(25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)){3})")))
      << ip;
}

TEST(Workstation, NamesFitTheirBuffersOrAreUnknown) {
  const std::string user = JmenoUzivatele();
  EXPECT_FALSE(user.empty());
  EXPECT_LE(user.size(), 62u);
  const std::string computer = JmenoPocitace();
  char host[256] = {0};
  gethostname(host, 255);
  EXPECT_EQ(computer, std::string(host).size() <= 15 ? std::string(host) : std::string("(Unknown)"));
}

TEST(Workstation, FileDateOfAMissingFileIsTheZeroDate) {
  EXPECT_EQ(DatumSouboru("/nonexistent/zarn.exe"), 0);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", DatumSouboru("/nonexistent")), "1899-12-30 00:00:00");
}

TEST(Workstation, FileDateIsTheLastWriteTimeFoundBySearch) {
  ScratchWorkingFolder folder("datum_souboru");
  std::ofstream("setupzar.ver") << "x";
  const auto when = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
  std::filesystem::last_write_time("setupzar.ver", when);
  const TDateTime expected = Now() - 2;
  EXPECT_NEAR(DatumSouboru("setupzar.ver"), expected, 1.0 / 1440);
  EXPECT_NEAR(DatumSouboru("setupzar.*"), expected, 1.0 / 1440);
}

TEST(Workstation, VersionOfOurProgramAndOfAFileWithoutOne) {
  EXPECT_EQ(VerzeSouboru(""), ZARN_VERSION_TEXT);
  EXPECT_EQ(VerzeSouboru("  " + RunningProgramPath() + " "), ZARN_VERSION_TEXT);
  EXPECT_EQ(VerzeSouboru("/bin/sh"), "-1.0.0.0");
  EXPECT_EQ(VerzeSouboru("/nonexistent/zarn"), "-1.0.0.0");
}

}  // namespace
}  // namespace zarn
