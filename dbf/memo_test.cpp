#include "dbf/memo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dbf/errors.h"
#include "dbf/table_api.h"
#include "dbf/testing/python.h"
#include "dbf/testing/temp_dir.h"

namespace zarn {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A table with one memo field M(10) holding block_text in its one record.
std::string MemoTable(uint8_t version, uint8_t language_driver, const std::string& block_text) {
  std::string p(32, '\0');
  p[0] = static_cast<char>(version);
  p[4] = 1;
  p[8] = 32 + 32 + 1;
  p[10] = 11;
  p[29] = static_cast<char>(language_driver);
  std::string d(32, '\0');
  std::memcpy(d.data(), "POZN", 4);
  d[11] = 'M';
  d[16] = 10;
  return p + d + "\x0D" + " " + block_text + "\x1A";
}

struct MemoRead {
  int size_code, read_code;
  uint32_t size;
  std::string data;
};

MemoRead ReadMemo(const std::string& path) {
  TDbfHandlePtr h;
  MemoRead r{};
  EXPECT_EQ(OpenTable(path, true, false, nullptr, &h), kDbfOk);
  EXPECT_EQ(ReadNext(h.get(), nullptr, nullptr), kDbfOk);
  r.size_code = GetBlobSize(h.get(), nullptr, 1, &r.size);
  std::vector<char> buffer(r.size + 16);
  uint32_t read = 0;
  r.read_code = ReadBlob(h.get(), nullptr, 1, 0, buffer.data(), r.size, &read);
  r.data.assign(buffer.data(), read);
  return r;
}

TEST(Memo, BlockSizeAndLengthComeFromTheFormatsHeaders) {
  TempDir dir;
  // dBASE IV: block size 512 at offset 20, block 3 with length 20 (LE).
  std::string dbt(2048, '\0');
  dbt[20] = 0x00, dbt[21] = 0x02;
  dbt.replace(3 * 512, 8, std::string("\xFF\xFF\x08\x00\x14\x00\x00\x00", 8));
  dbt.replace(1544, 12, "twelve bytes");
  WriteFile(dir.File("d4.dbf"), MemoTable(0x03, 0x57, "         3"));
  WriteFile(dir.File("d4.dbt"), dbt);
  MemoRead d4 = ReadMemo(dir.File("d4.dbf"));
  EXPECT_EQ(d4.size, 12u);
  EXPECT_EQ(d4.data, "twelve bytes");

  // FoxPro: block size 64 (BE at offset 6), block 2 with length 5 (BE).
  std::string fpt(512 + 64, '\0');
  fpt[6] = 0x00, fpt[7] = 0x40;
  fpt.replace(128, 8, std::string("\0\0\0\1\0\0\0\5", 8));
  fpt.replace(136, 5, "hello");
  WriteFile(dir.File("fp.dbf"), MemoTable(0xF5, 0, "         2"));
  WriteFile(dir.File("fp.fpt"), fpt);
  MemoRead fp = ReadMemo(dir.File("fp.dbf"));
  EXPECT_EQ(fp.size, 5u);
  EXPECT_EQ(fp.data, "hello");

  // dBASE III: data from the block start up to 0x1A 0x1A; none gives 512.
  std::string d3(1024, '\0');
  d3.replace(512, 7, "abc\x1A\x1A  ");
  WriteFile(dir.File("d3.dbf"), MemoTable(0x83, 0, "         1"));
  WriteFile(dir.File("d3.dbt"), d3);
  MemoRead d3_read = ReadMemo(dir.File("d3.dbf"));
  EXPECT_EQ(d3_read.data, "abc");
  d3.replace(512, 7, "abcdefg");
  WriteFile(dir.File("d3.dbt"), d3);
  EXPECT_EQ(ReadMemo(dir.File("d3.dbf")).size, 512u);

  // A dBASE III block has no header: an empty memo that ends the file is
  // two bytes long. A block past the end of the file cannot be read.
  WriteFile(dir.File("d3.dbt"), std::string(512, '\0') + "\x1A\x1A");
  MemoRead empty_at_end = ReadMemo(dir.File("d3.dbf"));
  EXPECT_EQ(empty_at_end.size_code, kDbfOk);
  EXPECT_EQ(empty_at_end.size, 0u);
  WriteFile(dir.File("d3.dbf"), MemoTable(0x83, 0, "         2"));
  EXPECT_EQ(ReadMemo(dir.File("d3.dbf")).size_code, kDbfCannotRead);
}

TEST(Memo, EmptyReferencesAndMissingFiles) {
  TempDir dir;
  for (const char* reference : {"          ", "         0"}) {
    WriteFile(dir.File("e.dbf"), MemoTable(0x83, 0, reference));  // no memo file at all
    MemoRead r = ReadMemo(dir.File("e.dbf"));
    EXPECT_EQ(r.size_code, kDbfOk);
    EXPECT_EQ(r.size, 0u);
  }
  WriteFile(dir.File("m.dbf"), MemoTable(0x83, 0, "         1"));
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(dir.File("m.dbf"), true, false, nullptr, &h), kDbfOk);
  ASSERT_EQ(ReadNext(h.get(), nullptr, nullptr), kDbfOk);
  uint32_t size;
  EXPECT_EQ(GetBlobSize(h.get(), nullptr, 1, &size), kDbfCannotSeek);
  char byte;
  uint32_t read;
  EXPECT_EQ(ReadBlob(h.get(), nullptr, 1, 0, &byte, 1, &read), kDbfCannotSeek);
}

TEST(Memo, ShortDataReadGivesEndOfBlobWithTheBytesRead) {
  TempDir dir;
  std::string fpt(512 + 64, '\0');
  fpt[7] = 0x40;
  fpt.replace(512, 8, std::string("\0\0\0\1\0\0\0\3", 8));
  fpt.replace(520, 3, "xyz");
  fpt.resize(523);
  WriteFile(dir.File("fp.dbf"), MemoTable(0xF5, 0, "         8"));
  WriteFile(dir.File("fp.fpt"), fpt);
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(dir.File("fp.dbf"), true, false, nullptr, &h), kDbfOk);
  ASSERT_EQ(ReadNext(h.get(), nullptr, nullptr), kDbfOk);
  char buffer[10];
  uint32_t read = 0;
  EXPECT_EQ(ReadBlob(h.get(), nullptr, 1, 1, buffer, 10, &read), kDbfEndOfBlob);
  EXPECT_EQ(std::string(buffer, read), "yz");
}

// Creates a table at level with NAZEV C(10) and POZN M, writes the memos and
// reads them back through the handle.
void WriteMemos(const std::string& path, int level, const std::vector<std::string>& memos) {
  TDbfOpenOptions create;
  create.create = true;
  create.table_level = static_cast<int16_t>(level);
  {
    TDbfHandle h(path, false, true, &create);
    h.DefineField("NAZEV", ftString, 10, 0, false);
    h.DefineField("POZN", ftMemo, 0, 0, false);
    ASSERT_EQ(h.WriteNewTable(), kDbfOk);
  }
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  std::vector<char> rec(static_cast<size_t>(h->GetRecordSize()));
  for (size_t i = 0; i < memos.size(); ++i) {
    InitRecord(h.get(), rec.data());
    std::string name = "r" + std::to_string(i + 1);
    SetFieldValue(h.get(), 1, rec.data(), name.c_str());
    ASSERT_EQ(WriteBlob(h.get(), rec.data(), 2, 0, memos[i].data(), static_cast<uint32_t>(memos[i].size())), kDbfOk);
    ASSERT_EQ(AppendRecord(h.get(), rec.data()), kDbfOk);
  }
  CloseTable(&h);
}

std::vector<std::string> ReadMemos(const std::string& path) {
  std::vector<std::string> memos;
  TDbfHandlePtr h;
  EXPECT_EQ(OpenTable(path, true, false, nullptr, &h), kDbfOk);
  int memo_field = h->Header()->FieldByName("NOTES") ? h->Header()->FieldByName("NOTES")->FieldNo()
                                                     : h->Header()->FieldByName("POZN")->FieldNo();
  while (ReadNext(h.get(), nullptr, nullptr) == kDbfOk) {
    uint32_t size = 0, read = 0;
    EXPECT_EQ(GetBlobSize(h.get(), nullptr, memo_field, &size), kDbfOk);
    std::string data(size, '\0');
    EXPECT_EQ(ReadBlob(h.get(), nullptr, memo_field, 0, data.data(), size, &read), kDbfOk);
    memos.push_back(data.substr(0, read));
  }
  return memos;
}

const std::vector<std::string> kMemos = {"first memo", "", std::string(1500, 'x') + "end", "\xC8" "esk\xE1 pozn\xE1mka"};

TEST(Memo, WrittenMemosReadBackAtEveryLevel) {
  for (int level : {3, 4, 5, 7}) {
    TempDir dir;
    WriteMemos(dir.File("t.dbf"), level, kMemos);
    EXPECT_EQ(ReadMemos(dir.File("t.dbf")), kMemos) << level;
  }
}

TEST(Memo, RewritingAMemoNeverReusesBlocksOfOtherRecords) {
  TempDir dir;
  std::string path = dir.File("t.dbf");
  WriteMemos(path, 4, {"one", "two"});
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  std::vector<char> rec(static_cast<size_t>(h->GetRecordSize()));
  ASSERT_EQ(ReadNext(h.get(), rec.data(), nullptr), kDbfOk);
  ASSERT_EQ(WriteBlob(h.get(), rec.data(), 2, 3, " and more", 9), kDbfOk);  // appended at offset 3
  ASSERT_EQ(UpdateRecord(h.get(), rec.data()), kDbfOk);
  CloseTable(&h);
  EXPECT_EQ(ReadMemos(path), (std::vector<std::string>{"one and more", "two"}));
}

// Files of the independent writer python3-dbf, read here. Its dBASE III
// writer stores an empty memo as a block holding only the terminator, so the
// last record's memo is two bytes at the very end of the memo file.
TEST(Memo, ReadsTablesWrittenByPythonDbf) {
  if (!testing::HavePython("dbf")) GTEST_SKIP() << "python3-dbf is not installed";
  for (const char* type : {"db3", "fp"}) {
    TempDir dir;
    std::string path = dir.File("py.dbf");
    int exit_code = -1;
    std::string out = testing::RunPython(dir, R"(
import sys, dbf
t = dbf.Table(sys.argv[1].split(',')[0], 'name C(10); notes M; cena N(8,2); datum D; ok L',
              dbf_type=sys.argv[1].split(',')[1], codepage='cp1250')
t.open(dbf.READ_WRITE)
t.append(('abc', 'first memo ' * 60, 1.5, dbf.Date(2024, 2, 29), True))
t.append(('\u010de\u0161', '\u017elu\u0165ou\u010dk\u00fd', -2.25, None, False))
t.append(('empty', '', 0, None, None))
t.close()
)", path + "," + type, &exit_code);
    ASSERT_EQ(exit_code, 0) << out;
    std::string first;
    for (int i = 0; i < 60; ++i) first += "first memo ";
    EXPECT_EQ(ReadMemos(path), (std::vector<std::string>{first, "\x9Elu\x9Dou\xE8k\xFD", ""})) << type;
    TDbfHandlePtr h;
    ASSERT_EQ(OpenTable(path, true, false, nullptr, &h), kDbfOk);
    TDbfHeader* header = h->Header();
    ASSERT_EQ(ReadNext(h.get(), nullptr, nullptr), kDbfOk);
    EXPECT_EQ(header->FieldByName("CENA")->GetAsFloat(nullptr), 1.5);
    EXPECT_EQ(header->FieldByName("DATUM")->GetAsDateTime(nullptr), EncodeDate(2024, 2, 29));
    EXPECT_TRUE(header->FieldByName("OK")->GetAsBoolean(nullptr));
    ASSERT_EQ(ReadNext(h.get(), nullptr, nullptr), kDbfOk);
    EXPECT_EQ(header->FieldByName("NAME")->GetAsString(nullptr), "\xE8" "e\x9A");
    EXPECT_EQ(header->FieldByName("CENA")->GetAsFloat(nullptr), -2.25);
    EXPECT_TRUE(header->FieldByName("DATUM")->IsNull(nullptr));
  }
}

// Files written here, read by the independent reader python3-dbfread (which
// knows no dBASE 7 descriptors). dbfread takes the length in a dBASE IV block
// header as the data length, while dBASE counts the 8 header bytes in it, so
// it shows the 8 zero bytes that follow each such memo; they are stripped
// here and checked to be exactly that.
TEST(Memo, WrittenTablesReadByDbfread) {
  if (!testing::HavePython("dbfread")) GTEST_SKIP() << "python3-dbfread is not installed";
  for (int level : {3, 4}) {
    TempDir dir;
    std::string path = dir.File("t.dbf");
    WriteMemos(path, level, kMemos);
    int exit_code = -1;
    std::string out = testing::RunPython(dir, R"(
import sys, dbfread
table = dbfread.DBF(sys.argv[1], encoding='cp1250', char_decode_errors='strict')
for r in table:
    memo = r['POZN']
    if table.header.dbversion == 0x8B and memo is not None:
        assert memo.endswith('\x00' * 8), repr(memo)
        memo = memo[:-8]
    print(repr((r['NAZEV'], memo)))
)", path, &exit_code);
    ASSERT_EQ(exit_code, 0) << out;
    std::string expected;
    for (size_t i = 0; i < kMemos.size(); ++i) {
      std::string memo = kMemos[i].empty() ? "None" : "'" + kMemos[i] + "'";
      if (i == 2) memo = "'" + std::string(1500, 'x') + "end'";
      if (i == 3) memo = "'\u010cesk\u00e1 pozn\u00e1mka'";
      expected += "('r" + std::to_string(i + 1) + "', " + memo + ")\n";
    }
    EXPECT_EQ(out, expected) << "level " << level;
  }
}

// A FoxPro table of python3-dbf gets records with memos from this engine;
// dbfread then reads the old and the new memos.
TEST(Memo, FoxProMemosAppendedHereReadByDbfread) {
  if (!testing::HavePython("dbf") || !testing::HavePython("dbfread")) GTEST_SKIP() << "python3-dbf(read) missing";
  TempDir dir;
  std::string path = dir.File("fox.dbf");
  int exit_code = -1;
  std::string out = testing::RunPython(dir, R"(
import sys, dbf
t = dbf.Table(sys.argv[1], 'name C(10); notes M', dbf_type='fp', codepage='cp1250')
t.open(dbf.READ_WRITE)
t.append(('old', 'written by python'))
t.close()
)", path, &exit_code);
  ASSERT_EQ(exit_code, 0) << out;
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  std::vector<char> rec(static_cast<size_t>(h->GetRecordSize()));
  const std::string memos[] = {std::string(300, 'f') + "!", "\x9Elu\x9Dou\xE8k\xFD"};
  for (const std::string& memo : memos) {
    InitRecord(h.get(), rec.data());
    SetFieldValue(h.get(), 1, rec.data(), "new");
    ASSERT_EQ(WriteBlob(h.get(), rec.data(), 2, 0, memo.data(), static_cast<uint32_t>(memo.size())), kDbfOk);
    ASSERT_EQ(AppendRecord(h.get(), rec.data()), kDbfOk);
  }
  CloseTable(&h);
  out = testing::RunPython(dir, R"(
import sys, dbfread
for r in dbfread.DBF(sys.argv[1], encoding='cp1250', char_decode_errors='strict'):
    print(repr((r['NAME'], r['NOTES'])))
)", path, &exit_code);
  ASSERT_EQ(exit_code, 0) << out;
  EXPECT_EQ(out, "('old', 'written by python')\n('new', '" + std::string(300, 'f') +
                     "!')\n('new', '\u017elu\u0165ou\u010dk\u00fd')\n");
}

}  // namespace
}  // namespace zarn
