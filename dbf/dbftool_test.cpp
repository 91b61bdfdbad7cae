// dbftool end to end: the program built beside this test is run on a table
// in a temporary folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "dbf/testing/python.h"
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

  // Runs the tool; environment ("NAME=value ...") is set for this run only.
  ToolRun Tool(const std::string& arguments, const std::string& input = "", const std::string& environment = "") {
    std::string in = dir_.File("stdin.csv");
    testing::WriteFile(in, input);
    std::string command = environment + " " + tool_ + " " + arguments + " < " + in + " 2>&1";
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

// copy goes through the DBF dataset and a memory table into a table created
// from the memory table's field definitions, as the updater writes tables.
TEST_F(DbfTool, CopyKeepsRowsTypesAndCzechText) {
  ASSERT_EQ(Tool("create " + Table() +
                 " NAZEV:ftString:25 CENA:ftFloat DATUM:ftDate OK:ftBoolean POZN:ftMemo")
                .exit_code,
            0);
  const std::string csv =
      "NAZEV,CENA,DATUM,OK,POZN\n"
      "Žluťoučký kůň,-1234.125,2024-02-29,T,\"řádek jedna\nřádek dvě\"\n"
      "Čáp,0.5,1999-11-11,F,\n"
      ",,,,\n";
  ASSERT_EQ(Tool("append " + Table(), csv).exit_code, 0);
  const std::string copy = dir_.File("kopie.dbf");

  ToolRun run = Tool("copy " + Table() + " " + copy);
  ASSERT_EQ(run.exit_code, 0) << run.out;
  EXPECT_EQ(Tool("cat " + copy).out, csv);
  auto field_lines = [](const std::string& info) {
    std::string lines;
    for (size_t at = info.find("field\t"); at != std::string::npos; at = info.find("field\t", at + 1))
      lines += info.substr(at, info.find('\n', at) - at + 1);
    return lines;
  };
  const std::string source_fields = field_lines(Tool("info " + Table()).out);
  EXPECT_EQ(field_lines(Tool("info " + copy).out), source_fields);
  EXPECT_NE(source_fields.find("field\tPOZN\tM\t10\t0\n"), std::string::npos) << source_fields;

  if (!testing::HavePython("dbfread")) GTEST_SKIP() << "/usr/bin/python3 has no dbfread";
  const char* script =
      "import sys, dbfread\n"
      "t = dbfread.DBF(sys.argv[1], encoding='cp1250')\n"
      "print([(f.name, f.type, f.length, f.decimal_count) for f in t.fields])\n"
      "for r in t:\n"
      // dbfread reads a dBASE IV memo as long as its block header says,
      // which counts the 8 header bytes too: it gets 8 bytes past the end.
      "  print([v.rstrip('\\x00') if isinstance(v, str) else v for v in r.values()])\n";
  int exit_code = -1;
  std::string out = testing::RunPython(dir_, script, copy, &exit_code);
  EXPECT_EQ(exit_code, 0) << out;
  EXPECT_EQ(out,
            "[('NAZEV', 'C', 25, 0), ('CENA', 'N', 19, 4), ('DATUM', 'D', 8, 0), ('OK', 'L', 1, 0), "
            "('POZN', 'M', 10, 0)]\n"
            "['Žluťoučký kůň', -1234.125, datetime.date(2024, 2, 29), True, 'řádek jedna\\nřádek dvě']\n"
            "['Čáp', 0.5, datetime.date(1999, 11, 11), False, None]\n"
            "['', None, None, None, None]\n");
}

// cat --sort orders by the collation of the locale the tool runs under; rows
// with equal keys follow creation order, reversed with --desc.
TEST_F(DbfTool, CatSortsInCzechOrder) {
  ASSERT_EQ(Tool("create " + Table() + " NAZEV:ftString:20 KUSY:ftInteger").exit_code, 0);
  ASSERT_EQ(Tool("append " + Table(), "NAZEV,KUSY\nČáp,1\ncibule,2\nChrudim,3\nHradec,4\nčáp,5\n").exit_code, 0);
  const std::string czech = "LC_ALL=cs_CZ.UTF-8";
  struct Case {
    std::string options, rows;
  } cases[] = {
      {"--sort NAZEV --case-insensitive", "cibule,2\nČáp,1\nčáp,5\nHradec,4\nChrudim,3\n"},
      {"--sort NAZEV --case-insensitive --desc", "Chrudim,3\nHradec,4\nčáp,5\nČáp,1\ncibule,2\n"},
      {"--sort NAZEV", "cibule,2\nčáp,5\nČáp,1\nHradec,4\nChrudim,3\n"},
      {"--sort \"NAZEV;KUSY\" --case-insensitive --desc", "Chrudim,3\nHradec,4\nčáp,5\nČáp,1\ncibule,2\n"},
      {"--sort NAZEV --filter \"KUSY>2\"", "čáp,5\nHradec,4\nChrudim,3\n"},
  };
  for (const Case& c : cases) {
    ToolRun run = Tool("cat " + Table() + " " + c.options, "", czech);
    EXPECT_EQ(run.exit_code, 0) << c.options << '\n' << run.out;
    EXPECT_EQ(run.out, "NAZEV,KUSY\n" + c.rows) << c.options;
  }
  ToolRun unknown = Tool("cat " + Table() + " --sort NIC", "", czech);
  EXPECT_EQ(unknown.exit_code, 1);
  EXPECT_EQ(unknown.out, "Field 'NIC' not found\n");
  EXPECT_EQ(Tool("cat " + Table() + " --desc").exit_code, 2);
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
  EXPECT_EQ(Tool("copy " + Table()).exit_code, 2);
  EXPECT_EQ(Tool("copy " + Table() + " " + dir_.File("kopie.DBF")).exit_code, 2);  // would name kopie.dbf
  ToolRun copy_missing = Tool("copy " + dir_.File("none.dbf") + " " + dir_.File("kopie.dbf"));
  EXPECT_EQ(copy_missing.exit_code, 1);
  EXPECT_EQ(copy_missing.out, "Cannot open file\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("kopie.dbf")));
}

}  // namespace
}  // namespace zarn
