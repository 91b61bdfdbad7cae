// dbftool end to end: the program built beside this test is run on a table
// in a temporary folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "dbf/testing/temp_dir.h"

namespace zarn {
namespace {

using testing::TempDir;

struct ToolRun {
  int exit_code;
  std::string out;
};

class DbfTool : public ::testing::Test {
 protected:
  void SetUp() override {
    // Tests run in the build folder of dbf/; the tool is built in tools/.
    tool_ = std::filesystem::absolute("../tools/dbftool").string();
    if (!std::filesystem::exists(tool_)) GTEST_SKIP() << "dbftool is not built";
  }

  ToolRun Tool(const std::string& arguments, const std::string& input = "") {
    std::string in = dir_.File("stdin.csv");
    testing::WriteFile(in, input);
    std::string command = tool_ + " " + arguments + " < " + in + " 2>&1";
    ToolRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    int status = pclose(pipe);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  std::string Table() { return dir_.File("cenik.dbf"); }

  TempDir dir_;
  std::string tool_;
};

TEST_F(DbfTool, CreateAppendCatAndEvalRoundTrip) {
  ASSERT_EQ(Tool("create " + Table() + " NAZEV:ftString:20 CENA:ftFloat DATUM:ftDate OK:ftBoolean POZN:ftMemo")
                .exit_code,
            0);
  const std::string csv =
      "NAZEV,CENA,DATUM,OK,POZN\n"
      "Pšenice ozimá,12.5,2024-02-29,T,\"dva řádky\npoznámky, s \"\"uvozovkami\"\"\"\n"
      "Ječmen,0.1,,F,\n";
  ToolRun append = Tool("append " + Table(), csv);
  ASSERT_EQ(append.exit_code, 0) << append.out;

  ToolRun cat = Tool("cat " + Table());
  EXPECT_EQ(cat.exit_code, 0);
  EXPECT_EQ(cat.out, csv);

  ToolRun filtered = Tool("cat " + Table() + " --filter \"NAZEV='ječmen'\" --case-insensitive --no-partial-compare");
  EXPECT_EQ(filtered.out, "NAZEV,CENA,DATUM,OK,POZN\nJečmen,0.1,,F,\n");

  EXPECT_EQ(Tool("eval " + Table() + " \"CENA*2\"").out, "float\t25\nfloat\t0.2\n");
  EXPECT_EQ(Tool("eval " + Table() + " DATUM").out, "date\t2024-02-29\nnull\t\n");
  EXPECT_EQ(Tool("eval " + Table() + " \"OK\"").out, "boolean\ttrue\nboolean\tfalse\n");
  EXPECT_EQ(Tool("eval " + Table() + " \"NAZEV+'!'\"").out, "text\tPšenice ozimá!\ntext\tJečmen!\n");

  ToolRun info = Tool("info " + Table());
  EXPECT_NE(info.out.find("version\t0x8B\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("records\t2\n"), std::string::npos);
  EXPECT_NE(info.out.find("field\tCENA\tN\t19\t4\n"), std::string::npos);
}

TEST_F(DbfTool, ExitCodesSeparateUsageFromEngineErrors) {
  EXPECT_EQ(Tool("").exit_code, 2);
  EXPECT_EQ(Tool("create " + Table() + " A:ftNothing").exit_code, 2);
  EXPECT_EQ(Tool("cat " + Table() + " --no-such-option").exit_code, 2);
  ToolRun missing = Tool("cat " + dir_.File("none.dbf"));
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_EQ(missing.out, "Cannot open file\n");
  ToolRun unsupported = Tool("create " + Table() + " A:ftFixedChar:3");
  EXPECT_EQ(unsupported.exit_code, 1);
  EXPECT_EQ(unsupported.out, "Invalid field type\n");
  ASSERT_EQ(Tool("create " + Table() + " N:ftString:3").exit_code, 0);
  EXPECT_EQ(Tool("append " + Table(), "N\nabcd\n").exit_code, 1);  // longer than the field
  EXPECT_EQ(Tool("append " + Table(), "X\n1\n").exit_code, 1);     // no such field
  EXPECT_EQ(Tool("cat " + Table() + " --filter \"N=(\"").out, "Invalid filter expression.\n");
}

}  // namespace
}  // namespace zarn
