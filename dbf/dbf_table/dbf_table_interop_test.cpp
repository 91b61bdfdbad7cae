// The DBF table against the independent Python DBF modules: files written by
// python3-dbf are opened here, files created here are read by
// python3-dbfread.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/testing/python.h"
#include "dbf/testing/temp_dir.h"
#include "platform/datetime.h"

namespace zarn {
namespace {

using testing::RunPython;
using testing::TempDir;

class DbfTableInteropTest : public ::testing::Test {
 protected:
  DbfTableInteropTest() {
    database_.SetDatabaseName(std::filesystem::path(dir_.File("x")).parent_path().string());
    table_.SetDatabase(&database_);
  }

  TempDir dir_;
  TDsDatabase database_;
  TDsDbfTable table_;
};

// dBASE III and FoxPro tables with a deleted record in the middle. (The
// last memo is not empty: the engine cannot yet size a dBASE III memo whose
// block at the end of the file is shorter than 8 bytes.)
TEST_F(DbfTableInteropTest, OpensTablesOfPythonDbf) {
  if (!testing::HavePython("dbf")) GTEST_SKIP() << "python3-dbf is not installed";
  for (const char* type : {"db3", "fp"}) {
    const std::string name = std::string("py_") + type;
    int exit_code = -1;
    const std::string out = RunPython(dir_, R"(
import sys, dbf
path, kind = sys.argv[1].split(',')
t = dbf.Table(path, 'nazev C(12); cena N(8,2); datum D; ok L; pozn M', dbf_type=kind, codepage='cp1250')
t.open(dbf.READ_WRITE)
t.append(('\u010cesk\u00fd', 12.5, dbf.Date(2024, 3, 7), True, 'prvn\u00ed pozn\u00e1mka'))
t.append(('smazany', 1, None, False, ''))
t.append(('posledni', -0.25, None, None, 'konec seznamu'))
dbf.delete(t[1])
t.close()
)", dir_.File(name + ".dbf") + "," + type, &exit_code);
    ASSERT_EQ(exit_code, 0) << out;
    table_.SetTableName(name);
    table_.Open();
    EXPECT_EQ(table_.RecordCount(), 3) << type;
    ASSERT_EQ(table_.FieldCount(), 5);
    EXPECT_EQ(table_.FieldByName("NAZEV").AsString(), "\xC8" "esk\xFD");
    EXPECT_DOUBLE_EQ(table_.FieldByName("CENA").AsFloat(), 12.5);
    EXPECT_EQ(table_.FieldByName("DATUM").AsDateTime(), EncodeDate(2024, 3, 7));
    EXPECT_TRUE(table_.FieldByName("OK").AsBoolean());
    EXPECT_EQ(table_.FieldByName("POZN").AsString(), "prvn\xED pozn\xE1mka");
    table_.Next();
    EXPECT_EQ(table_.RecNo(), 3) << type;
    EXPECT_EQ(table_.FieldByName("NAZEV").AsString(), "posledni");
    EXPECT_DOUBLE_EQ(table_.FieldByName("CENA").AsFloat(), -0.25);
    EXPECT_TRUE(table_.FieldByName("DATUM").IsNull());
    EXPECT_EQ(table_.FieldByName("POZN").AsString(), "konec seznamu");
    table_.Next();
    EXPECT_TRUE(table_.Eof());
    table_.Close();
  }
}

// Every kind of definition the register and the updater create, read back
// by dbfread. dBASE IV memo blocks count their 8 header bytes in the length,
// which dbfread takes as the data length: the 8 zero bytes it shows after
// each memo are checked and cut off.
TEST_F(DbfTableInteropTest, CreatedTablesReadByDbfread) {
  if (!testing::HavePython("dbfread")) GTEST_SKIP() << "python3-dbfread is not installed";
  table_.SetTableName("novy");
  table_.FieldDefs().Add("NAZEV", ftString, 15);
  table_.FieldDefs().Add("KUSY", ftSmallint);
  table_.FieldDefs().Add("ID", ftInteger);
  table_.FieldDefs().Add("CENA", ftFloat);
  table_.FieldDefs().Add("DATUM", ftDate);
  table_.FieldDefs().Add("PLATNY", ftBoolean);
  table_.FieldDefs().Add("POZN", ftMemo);
  table_.CreateTable();
  table_.Open();
  table_.Append();
  table_.FieldByName("NAZEV").SetAsString("\x8Elu\x9Dou\xE8k\xFD");
  table_.FieldByName("KUSY").SetAsInteger(-12);
  table_.FieldByName("ID").SetAsInteger(123456);
  table_.FieldByName("CENA").SetAsFloat(1234.5);
  table_.FieldByName("DATUM").SetAsDateTime(EncodeDate(2023, 12, 31));
  table_.FieldByName("PLATNY").SetAsBoolean(true);
  table_.FieldByName("POZN").SetAsString("pozn\xE1mka");
  table_.Post();
  table_.Append();  // a record of nulls
  table_.Post();
  table_.Close();

  int exit_code = -1;
  const std::string out = RunPython(dir_, R"(
import sys, dbfread
table = dbfread.DBF(sys.argv[1], encoding='cp1250', char_decode_errors='strict')
print(hex(table.header.dbversion), [(f.name, f.type) for f in table.fields])
for r in table:
    memo = r['POZN']
    if memo is not None and table.header.dbversion == 0x8B:
        assert memo.endswith('\x00' * 8), repr(memo)
        memo = memo[:-8]
    print(repr([r['NAZEV'], r['KUSY'], r['ID'], r['CENA'], str(r['DATUM']), r['PLATNY'], memo]))
)", dir_.File("novy.dbf"), &exit_code);
  ASSERT_EQ(exit_code, 0) << out;
  EXPECT_EQ(out,
            "0x8b [('NAZEV', 'C'), ('KUSY', 'N'), ('ID', 'N'), ('CENA', 'N'), ('DATUM', 'D'), ('PLATNY', 'L'), "
            "('POZN', 'M')]\n"
            "['\u017dlu\u0165ou\u010dk\u00fd', -12, 123456, 1234.5, '2023-12-31', True, 'pozn\u00e1mka']\n"
            "['', None, None, None, 'None', None, None]\n");
}

}  // namespace
}  // namespace zarn
