#include "services/routines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "services/testing_folder.h"

namespace zarn {
namespace {

namespace fs = std::filesystem;

TEST(DatumSQL, WritesNoLeadingZeros) {
  EXPECT_EQ(DatumSQL(EncodeDate(2024, 3, 7)), "2024-3-7");
  EXPECT_EQ(DatumSQL(EncodeDate(1999, 11, 11) + 0.5), "1999-11-11");
  EXPECT_EQ(DatumSQL(0), "1899-12-30");
}

TEST(VytvorSlozku, CreatesParentsAndAcceptsBothSeparators) {
  ScratchWorkingFolder folder("vytvor");
  EXPECT_FALSE(VytvorSlozku(""));
  EXPECT_TRUE(VytvorSlozku("ab"));  // too short to bother: true, nothing made
  EXPECT_FALSE(fs::exists("ab"));
  EXPECT_TRUE(VytvorSlozku("data\\"));
  EXPECT_TRUE(fs::is_directory("data"));
  EXPECT_TRUE(VytvorSlozku("data"));  // exists already
  EXPECT_TRUE(VytvorSlozku("one/two\\three"));
  EXPECT_TRUE(fs::is_directory("one/two/three"));
  const std::string absolute = (folder.root() / "x" / "y").string();
  EXPECT_TRUE(VytvorSlozku(absolute + "/"));
  EXPECT_TRUE(fs::is_directory(absolute));
}

TEST(VytvorSlozku, FolderThatCannotBeCreatedGivesFalse) {
  ScratchWorkingFolder folder("vytvor_fail");
  std::ofstream("file") << "x";
  EXPECT_FALSE(VytvorSlozku("file/sub"));
  EXPECT_FALSE(VytvorSlozku("/proc/zarn-cannot-be-here/sub"));
}

TEST(SpustProgram, SplitsQuotedArgumentsAndWaitsForTheEnd) {
  EXPECT_EQ(SplitCommandLine("\"tarvol.exe\" \"index\""), (std::vector<std::string>{"tarvol.exe", "index"}));
  EXPECT_EQ(SplitCommandLine("a  \"b c\" \"\""), (std::vector<std::string>{"a", "b c", ""}));

  ScratchWorkingFolder folder("spust");
  {
    std::ofstream script("prog");
    script << "#!/bin/sh\nsleep 0.2\necho \"$1\" > done.txt\n";
  }
  fs::permissions("prog", fs::perms::owner_all);
  ASSERT_TRUE(SpustProgram("\"prog\" \"index\"", false, true));
  std::ifstream done("done.txt");
  std::string line;
  std::getline(done, line);
  EXPECT_EQ(line, "index");  // present only because the call waited
  EXPECT_FALSE(SpustProgram("no-such-program-zarn", false, true));
  EXPECT_FALSE(SpustProgram("", false, false));
}

}  // namespace
}  // namespace zarn
