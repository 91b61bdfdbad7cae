#include "services/xls/scratch_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "services/testing_folder.h"

namespace zarn {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(ScratchFileTest, PatchesWrittenAndBufferedBytesAndCopiesEverything) {
  ScratchWorkingFolder folder("scratch_file");
  const std::string big(3 << 20, 'b');  // past the buffer, so the start is on disk
  ScratchFile source;
  ASSERT_TRUE(source.Create("source"));
  source.Write("head");
  source.Write(big);
  source.Write("tail");
  source.WriteAt(0, "HE");                       // already written out
  source.WriteAt(4 + big.size() + 2, "IL");      // still in the buffer
  ScratchFile copy;
  ASSERT_TRUE(copy.Create("copy"));
  copy.Write("<");
  source.CopyTo(copy);
  copy.WriteZeros(3);
  EXPECT_TRUE(source.Close());
  EXPECT_TRUE(copy.Close());
  EXPECT_EQ(ReadFile("source"), "HEad" + big + "taIL");
  EXPECT_EQ(ReadFile("copy"), "<HEad" + big + "taIL" + std::string(3, '\0'));
}

TEST(ScratchFileTest, FullDiskIsReportedWithTheSystemMessage) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ScratchFile file;
  ASSERT_TRUE(file.Create("/dev/full"));
  file.Write(std::string(3 << 20, 'x'));
  EXPECT_FALSE(file.ok());
  EXPECT_EQ(file.error(), "No space left on device");
  EXPECT_FALSE(file.Close());
}

TEST(ScratchFileTest, MissingFolderIsReportedWithTheSystemMessage) {
  ScratchFile file;
  EXPECT_FALSE(file.Create("/nonexistent-folder/x.tmp"));
  EXPECT_EQ(file.error(), "No such file or directory");
}

}  // namespace
}  // namespace zarn
