#include "services/novaver.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/format_settings.h"
#include "services/testing_file_date.h"
#include "services/testing_folder.h"

namespace zarn {
namespace {

TEST(RemoteBuildStamp, ThirdTabFieldOfTheSecondLineCutTo19Characters) {
  struct Case {
    std::vector<std::string> lines;
    std::string stamp;
  };
  const Case cases[] = {
      {{"Evidence", "zarn\t5.1\t2024-03-07 09:05:04\tpozn\xE1mka"}, "2024-03-07 09:05:04"},
      {{"", "a\tb\t2024-03-07 09:05:04.123 extra"}, "2024-03-07 09:05:04"},
      {{"", "a\tb\t2024-03-07", "third line is not read"}, "2024-03-07"},
      {{"", "a\tb\t"}, ""},
      {{"", "a\tb"}, ""},
      {{"a\tb\t2024-03-07 09:05:04", ""}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(RemoteBuildStamp(c.lines, "setupzar.ver"), c.stamp) << c.lines[1];
}

TEST(RemoteBuildStamp, FewerThanTwoLinesIsAnErrorNamingTheFile) {
  for (const std::vector<std::string>& lines : {std::vector<std::string>{}, std::vector<std::string>{"a\tb\tc"}}) {
    try {
      RemoteBuildStamp(lines, "setupzar.ver");
      ADD_FAILURE() << "no error for " << lines.size() << " lines";
    } catch (const EUpdateCheckError& e) {
      EXPECT_NE(std::string(e.what()).find("setupzar.ver"), std::string::npos) << e.what();
    }
  }
}

class LocalBuildStampTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings() = CzechFormatSettings();
    std::ofstream("zarn") << "program";
  }
  void TearDown() override { FormatSettings() = saved_; }
  TFormatSettings saved_;
  ScratchWorkingFolder folder_{"local_build_stamp"};
};

TEST_F(LocalBuildStampTest, HoursArePaddedWhateverTheLongTimeFormat) {
  ASSERT_TRUE(SetLastWriteTime("zarn", 2024, 3, 7, 9, 5, 3));
  for (const char* time_format : {"h:nn:ss", "hh:nn:ss"}) {
    FormatSettings().LongTimeFormat = time_format;
    EXPECT_EQ(LocalBuildStamp("zarn"), "2024-03-07 09:05:03") << time_format;
  }
  ASSERT_TRUE(SetLastWriteTime("zarn", 2023, 12, 31, 23, 59, 59));
  EXPECT_EQ(LocalBuildStamp("zarn"), "2023-12-31 23:59:59");
}

TEST_F(LocalBuildStampTest, ShortDateFormatIsLeftAsDayMonthYear) {
  FormatSettings().ShortDateFormat = "d.M.yyyy";
  LocalBuildStamp("zarn");
  EXPECT_EQ(FormatSettings().ShortDateFormat, "dd.mm.yyyy");
}

TEST_F(LocalBuildStampTest, MissingProgramGivesAnEmptyStamp) {
  EXPECT_EQ(LocalBuildStamp("nothere"), "");
}

TEST(IsNewerBuild, ComparesTheStampsWithoutSeparators) {
  struct Case {
    const char* local;
    const char* remote;
    bool newer;
  };
  const Case cases[] = {
      {"2024-03-07 09:05:03", "2024-03-07 09:05:03", false},
      {"2024-03-07 09:05:03", "2024-03-07 09:05:04", true},
      {"2024-03-07 09:05:03", "2024-03-07 09:05:02", false},
      {"2024-03-07 09:05:03", "20240307090504", true},
      {"2024-03-07 09:05:03", "", false},
      {"", "2024-03-07 09:05:03", true},
      // An unpadded published hour compares as a later build.
      {"2024-03-07 10:05:03", "2024-03-07 9:05:03", true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsNewerBuild(c.local, c.remote), c.newer) << c.local << " / " << c.remote;
}

}  // namespace
}  // namespace zarn
