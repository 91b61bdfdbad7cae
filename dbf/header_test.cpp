#include "dbf/header.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dbf/errors.h"
#include "dbf/handle.h"
#include "dbf/testing/temp_dir.h"

namespace zarn {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct FieldDef {
  const char* name;
  TFieldType type;
  int size, precision;
};

int CreateTable(const std::string& path, int level, const std::vector<FieldDef>& defs) {
  TDbfOpenOptions options;
  options.create = true;
  options.table_level = static_cast<int16_t>(level);
  TDbfHandle handle(path, false, true, &options);
  for (const FieldDef& d : defs) handle.DefineField(d.name, d.type, d.size, d.precision, false);
  return handle.WriteNewTable();
}

std::string ShortDescriptor(const std::string& name, char letter, int length, int decimals) {
  std::string d(32, '\0');
  std::memcpy(d.data(), name.data(), name.size());
  d[11] = letter;
  d[16] = static_cast<char>(length);
  d[17] = static_cast<char>(decimals);
  return d;
}

std::string Prefix(uint8_t version, uint8_t language_driver, uint32_t count, int header_length, int record_length,
                   const std::string& date = std::string(3, '\0')) {
  std::string p(32, '\0');
  p[0] = static_cast<char>(version);
  p.replace(1, 3, date);
  for (int i = 0; i < 4; ++i) p[4 + i] = static_cast<char>(count >> (8 * i));
  p[8] = static_cast<char>(header_length & 0xFF);
  p[9] = static_cast<char>(header_length >> 8);
  p[10] = static_cast<char>(record_length & 0xFF);
  p[11] = static_cast<char>(record_length >> 8);
  p[29] = static_cast<char>(language_driver);
  return p;
}

// The file the dataset makes for NAZEV C(10), CENA ftFloat, DATUM ftDate.
TEST(CreateTable, DatasetLevelFileIsByteExact) {
  TempDir dir;
  std::string path = dir.File("t.dbf");
  ASSERT_EQ(CreateTable(path, 4, {{"NAZEV", ftString, 10, 0}, {"CENA", ftFloat, 0, 0}, {"DATUM", ftDate, 0, 0}}),
            kDbfOk);
  std::string file = ReadFile(path);
  std::string expected = Prefix(0x03, 0, 0, 129, 38, file.substr(1, 3)) + ShortDescriptor("NAZEV", 'C', 10, 0) +
                         ShortDescriptor("CENA", 'N', 19, 4) + ShortDescriptor("DATUM", 'D', 8, 0) + "\x0D\x1A";
  EXPECT_EQ(file, expected);
  EXPECT_EQ(static_cast<unsigned char>(file[2]) >= 1 && static_cast<unsigned char>(file[2]) <= 12, true);
}

// Version byte, language driver, descriptor size and letters by level.
TEST(CreateTable, LevelsGiveTheirVersionBytesAndFieldForms) {
  struct Case {
    int level;
    bool memo;
    uint8_t version, language_driver;
    size_t header_length;
    char int_letter, float_letter;
    int float_length;
  } cases[] = {
      {3, false, 0x03, 0x00, 32 + 3 * 32 + 1, 'N', 'N', 19},
      {3, true, 0x83, 0x00, 32 + 4 * 32 + 1, 'N', 'N', 19},
      {4, true, 0x8B, 0x57, 32 + 4 * 32 + 1, 'N', 'N', 19},
      {5, false, 0x05, 0x57, 32 + 3 * 32 + 1, 'N', 'N', 20},
      {7, false, 0x04, 0x00, 68 + 3 * 48 + 1, 'I', 'O', 8},
      {7, true, 0x8C, 0x00, 68 + 4 * 48 + 1, 'I', 'O', 8},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::string path = dir.File("t.dbf");
    std::vector<FieldDef> defs = {
        {"A_VERY_LONG_NAME", ftInteger, 0, 0}, {"F", ftFloat, 0, 0}, {"S", ftString, 5, 0}};
    if (c.memo) defs.push_back({"POZN", ftMemo, 0, 0});
    ASSERT_EQ(CreateTable(path, c.level, defs), kDbfOk);
    std::string file = ReadFile(path);
    SCOPED_TRACE(c.level);
    ASSERT_EQ(file.size(), c.header_length + 1);
    EXPECT_EQ(static_cast<uint8_t>(file[0]), c.version);
    EXPECT_EQ(static_cast<uint8_t>(file[29]), c.language_driver);
    EXPECT_EQ(file.substr(file.size() - 2), "\x0D\x1A");

    TDbfHandle handle(path, true, false, nullptr);
    ASSERT_EQ(handle.Status(), kDbfOk);
    TDbfHeader* header = handle.Header();
    EXPECT_EQ(header->FieldByNumber(1)->GetName(), "A_VERY_LON");
    EXPECT_EQ(header->FieldByNumber(1)->GetTypeLetter(), c.int_letter);
    EXPECT_EQ(header->FieldByNumber(2)->GetTypeLetter(), c.float_letter);
    EXPECT_EQ(header->FieldByNumber(2)->GetLength(), c.float_length);
    if (c.level == 7) {
      EXPECT_STREQ(reinterpret_cast<const char*>(header->Prefix() + 32), "DBWINUS0");
    }
    EXPECT_EQ(std::filesystem::exists(dir.File("t.dbt")), c.memo);
  }
}

TEST(OpenTable, VersionAndLanguageDriverGiveTheFormat) {
  EXPECT_EQ(FormatOfVersion(0x03, 0x57), kFormatDBase4);
  EXPECT_EQ(FormatOfVersion(0x03, 0x00), kFormatDBase3);
  EXPECT_EQ(FormatOfVersion(0x83, 0x57), kFormatDBase3);
  EXPECT_EQ(FormatOfVersion(0x8B, 0x00), kFormatDBase4);
  EXPECT_EQ(FormatOfVersion(0x05, 0x00), kFormatDBase5);
  EXPECT_EQ(FormatOfVersion(0x8C, 0x00), kFormatDBase7);
  for (uint8_t v : {0x02, 0x30, 0xF5}) EXPECT_EQ(FormatOfVersion(v, 0), kFormatFoxPro);
  EXPECT_EQ(FormatOfVersion(0x07, 0), kFormatUnknown);
}

// A small valid table: one C(4) and one N(3) field, two records.
std::string ValidTable() {
  return Prefix(0x03, 0, 2, 97, 8) + ShortDescriptor("NAME", 'C', 4, 0) + ShortDescriptor("NUM", 'N', 3, 0) +
         "\x0D" + " abcd  1" + " efgh  2" + "\x1A";
}

TEST(OpenTable, DamagedHeadersGiveCodesNotCrashes) {
  struct Case {
    const char* what;
    std::string bytes;
    int code;
  } cases[] = {
      {"truncated prefix", ValidTable().substr(0, 20), kDbfCannotRead},
      {"unknown version", "\x07" + ValidTable().substr(1), kDbfInvalidFile},
      {"encrypted", ValidTable().replace(15, 1, "\x01"), kDbfCrypted},
      {"header length past the file", ValidTable().replace(8, 2, std::string("\xFF\x0F", 2)), kDbfCannotRead},
      {"field longer than the record", ValidTable().replace(10, 1, "\x05"), kDbfInvalidFile},
      {"record length zero", ValidTable().replace(10, 1, std::string(1, '\0')), kDbfInvalidFile},
      {"dBASE 7 prefix cut short", "\x04" + ValidTable().substr(1, 39), kDbfCannotRead},
      {"empty file", "", kDbfCannotRead},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::string path = dir.File("bad.dbf");
    WriteFile(path, c.bytes);
    TDbfHandle handle(path, true, false, nullptr);
    EXPECT_EQ(handle.Status(), c.code) << c.what;
  }
}

TEST(OpenTable, DescriptorsCutByTheHeaderLengthAreIgnored) {
  TempDir dir;
  std::string path = dir.File("cut.dbf");
  // The header length ends halfway through the second descriptor.
  WriteFile(path, ValidTable().replace(8, 1, std::string(1, static_cast<char>(32 + 32 + 16))));
  TDbfHandle handle(path, true, false, nullptr);
  ASSERT_EQ(handle.Status(), kDbfOk);
  EXPECT_EQ(handle.Header()->FieldCount(), 1);
}

TEST(OpenTable, RecordsAreReadAtTheStoredHeaderLength) {
  TempDir dir;
  std::string path = dir.File("gap.dbf");
  // Two spare bytes between the terminator and the first record.
  std::string bytes = ValidTable();
  bytes.insert(97, "\0\0", 2);
  bytes.replace(8, 1, std::string(1, static_cast<char>(99)));
  WriteFile(path, bytes);
  TDbfHandle handle(path, true, false, nullptr);
  ASSERT_EQ(handle.Status(), kDbfOk);
  ASSERT_EQ(handle.ReadNext(nullptr, nullptr), kDbfOk);
  EXPECT_EQ(handle.Header()->FieldByName("name")->GetAsString(nullptr), "abcd");
}

TEST(OpenTable, RecordCountBeyondTheFileEndsReading) {
  TempDir dir;
  std::string path = dir.File("short.dbf");
  WriteFile(path, ValidTable().replace(4, 1, "\x09"));  // claims 9 records, holds 2
  TDbfHandle handle(path, true, false, nullptr);
  ASSERT_EQ(handle.Status(), kDbfOk);
  EXPECT_EQ(handle.ReadNext(nullptr, nullptr), kDbfOk);
  EXPECT_EQ(handle.ReadNext(nullptr, nullptr), kDbfOk);
  EXPECT_EQ(handle.ReadNext(nullptr, nullptr), kDbfEndOfFile);
}

}  // namespace
}  // namespace zarn
