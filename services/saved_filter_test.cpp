#include "services/saved_filter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ini_file.h"
#include "services/testing_folder.h"

namespace zarn {
namespace {

const char kNoFilter[] = "\x8E\xE1" "dn\xFD filtr";

TEST(SavedFilter, StepsBackOneFilterAtATime) {
  ScratchWorkingFolder folder("filters");
  EXPECT_EQ(AktualniFiltr("zarhla").condition, "");
  PridejFiltr("zarhla", "where rok='2024'", "Rok = 2024");
  PridejFiltr("zarhla", "where rok='2024' AND zadatel='Z1'", "Rok = 2024, Žadatel = Z1");
  PridejFiltr("zarhla", "where rok='2024' AND zadatel='Z1' AND mj='kg'", "... MJ = kg");
  EXPECT_EQ(AktualniFiltr("zarhla").condition, "where rok='2024' AND zadatel='Z1' AND mj='kg'");

  SavedFilter f = ZrusPosledniFiltr("zarhla");
  EXPECT_EQ(f.condition, "where rok='2024' AND zadatel='Z1'");
  EXPECT_EQ(f.description, "Rok = 2024, Žadatel = Z1");
  f = ZrusPosledniFiltr("zarhla");
  EXPECT_EQ(f.condition, "where rok='2024'");
  f = ZrusPosledniFiltr("zarhla");
  EXPECT_EQ(f.condition, "");
  EXPECT_EQ(f.description, kNoFilter);
  EXPECT_TRUE(std::filesystem::exists("zarhla.Fi_"));
  EXPECT_EQ(std::filesystem::file_size("zarhla.Fi_"), 0u);
}

TEST(SavedFilter, ClearedFilterReadsAsEmptyNotAsNoFilter) {
  ScratchWorkingFolder folder("filters_clear");
  PridejFiltr("zarhla", "where a=1", "a");
  const SavedFilter cleared = ZrusFiltr("zarhla");
  EXPECT_EQ(cleared.condition, "");
  EXPECT_EQ(cleared.description, kNoFilter);
  const SavedFilter current = AktualniFiltr("zarhla");
  EXPECT_EQ(current.condition, "");
  EXPECT_EQ(current.description, "");
}

TEST(SavedFilter, MissingDescriptionFileStaysMissing) {
  ScratchWorkingFolder folder("filters_missing");
  PridejFiltr("zarhla", "where a=1", "a");
  PridejFiltr("zarhla", "where a=1 AND b=2", "a, b");
  std::filesystem::remove("zarhla.Te_");
  const SavedFilter f = ZrusPosledniFiltr("zarhla");
  EXPECT_EQ(f.condition, "where a=1");
  EXPECT_EQ(f.description, kNoFilter);
  EXPECT_FALSE(std::filesystem::exists("zarhla.Te_"));
}

TEST(SavedFilter, LinesAreCrLfTerminated) {
  ScratchWorkingFolder folder("filters_crlf");
  PridejFiltr("zarhla", "c1", "d1");
  PridejFiltr("zarhla", "c2", "d2");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines("zarhla.Fi_", &lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"c1", "c2"}));
  EXPECT_EQ(std::filesystem::file_size("zarhla.Fi_"), 8u);  // "c1\r\nc2\r\n"
}

}  // namespace
}  // namespace zarn
