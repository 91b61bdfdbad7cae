#include "services/day_marker.h"

#include <gtest/gtest.h>

#include "platform/datetime.h"
#include "platform/ini_file.h"
#include "services/testing_folder.h"

namespace zarn {
namespace {

class DayMarkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings() = CzechFormatSettings();
  }
  void TearDown() override { FormatSettings() = saved_; }
  TFormatSettings saved_;
  ScratchWorkingFolder folder_{"day_marker"};
};

TEST_F(DayMarkerTest, FirstStartGivesFalseAndSecondStartTrue) {
  EXPECT_FALSE(UzDnesSpusteno("zarn"));
  EXPECT_FALSE(TarvolUzDnes());
  EXPECT_EQ(TIniFile("zarn.ini").ReadString("Dnes", "Datum", ""), DateToStr(Date()));
  EXPECT_EQ(TIniFile("../Tarvol05.ini").ReadString("Tarvol-Dnes", "Datum", ""), DateToStr(Date()));
  EXPECT_TRUE(UzDnesSpusteno("zarn"));
  EXPECT_TRUE(TarvolUzDnes());
}

TEST_F(DayMarkerTest, YesterdayOrAnotherDateFormatCountsAsFirstStart) {
  TIniFile own("zarn.ini");
  for (const std::string& stored : {DateToStr(Date() - 1), FormatDateTime("yyyy-mm-dd", Date()), std::string("garbage")}) {
    own.WriteString("Dnes", "Datum", stored);
    EXPECT_FALSE(UzDnesSpusteno("zarn")) << stored;
    EXPECT_EQ(own.ReadString("Dnes", "Datum", ""), DateToStr(Date()));
  }
}

TEST_F(DayMarkerTest, MarkerKeepsTheRestOfTheSharedFile) {
  TIniFile shared("../Tarvol05.ini");
  shared.WriteString("LogON", "IP", "10.0.0.5");
  TarvolUzDnes();
  EXPECT_EQ(shared.ReadString("LogON", "IP", ""), "10.0.0.5");
}

}  // namespace
}  // namespace zarn
