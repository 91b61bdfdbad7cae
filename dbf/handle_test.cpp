#include "dbf/handle.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "dbf/errors.h"
#include "dbf/index.h"
#include "dbf/table_api.h"
#include "dbf/testing/temp_dir.h"

namespace zarn {
namespace {

using testing::ReadFile;
using testing::TempDir;

// A table ICO C(8), NAZEV C(10), NC N(6.1) holding the given rows; a row
// whose ICO starts with "*" is stored deleted.
std::string MakeTable(const TempDir& dir, int rows, int deleted_row = 0) {
  std::string path = dir.File("adresar.dbf");
  TDbfOpenOptions create;
  create.create = true;
  {
    TDbfHandle h(path, false, true, &create);
    h.DefineField("ICO", ftString, 8, 0, false);
    h.DefineField("NAZEV", ftString, 10, 0, false);
    h.DefineField("NC", ftBCD, 1, 6, false);
    EXPECT_EQ(h.WriteNewTable(), kDbfOk);
  }
  TDbfHandlePtr h;
  EXPECT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  std::vector<char> rec(static_cast<size_t>(h->GetRecordSize()));
  for (int i = 1; i <= rows; ++i) {
    InitRecord(h.get(), rec.data());
    std::string ico = std::to_string(1000 + i), name = "Firma " + std::to_string(i);
    double nc = i * 1.5;
    SetFieldValue(h.get(), 1, rec.data(), ico.c_str());
    SetFieldValue(h.get(), 2, rec.data(), name.c_str());
    SetFieldValue(h.get(), 3, rec.data(), &nc);
    EXPECT_EQ(AppendRecord(h.get(), rec.data()), kDbfOk);
    if (i == deleted_row) {
      EXPECT_EQ(DeleteRecord(h.get()), kDbfOk);
    }
  }
  CloseTable(&h);
  return path;
}

std::vector<int> ReadAll(TDbfHandle* h, bool forward) {
  std::vector<int> seen;
  TDbfRecordInfo info;
  forward ? h->MoveFirst() : h->MoveLast();
  while ((forward ? h->ReadNext(nullptr, &info) : h->ReadPrior(nullptr, &info)) == kDbfOk)
    seen.push_back(info.record_no);
  return seen;
}

TEST(Handle, DeletedRecordsAreSkippedUnlessShown) {
  TempDir dir;
  std::string path = MakeTable(dir, 3, 2);
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, true, false, nullptr, &h), kDbfOk);
  EXPECT_EQ(ReadAll(h.get(), true), (std::vector<int>{1, 3}));
  EXPECT_EQ(ReadAll(h.get(), false), (std::vector<int>{3, 1}));
  uint32_t count = 0;
  GetRecordCount(h.get(), &count);
  EXPECT_EQ(count, 3u);
  h->SetPosition(2);
  EXPECT_EQ(h->ReadCurrent(nullptr, nullptr), kDbfRecordDeleted);
  h->SetShowDeleted(true);
  EXPECT_EQ(ReadAll(h.get(), true), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(h->ReadCurrent(nullptr, nullptr), kDbfEndOfFile);
  h->MoveFirst();
  EXPECT_EQ(h->ReadCurrent(nullptr, nullptr), kDbfBeginOfFile);
}

TEST(Handle, ReadingBackwardsFillsTheCacheWithOneRead) {
  TempDir dir;
  std::string path = MakeTable(dir, 25);
  TDbfOpenOptions options;
  options.cache_capacity = 10;
  TDbfHandle h(path, false, false, &options);
  ASSERT_EQ(h.Status(), kDbfOk);
  h.MoveLast();
  ASSERT_EQ(h.ReadPrior(nullptr, nullptr), kDbfOk);
  // Overwrite records 16-24 on disk behind the handle's back: the handle must
  // still serve them from the block it read.
  {
    std::string bytes = ReadFile(path);
    const int header = h.Header()->GetHeaderLength(), length = h.GetRecordSize();
    for (int n = 16; n <= 24; ++n) bytes[static_cast<size_t>(header + (n - 1) * length + 1)] = 'X';
    testing::WriteFile(path, bytes);
  }
  for (int n = 24; n >= 16; --n) {
    ASSERT_EQ(h.ReadPrior(nullptr, nullptr), kDbfOk);
    EXPECT_EQ(h.Header()->FieldByNumber(1)->GetAsString(nullptr), std::to_string(1000 + n));
  }
  ASSERT_EQ(h.ReadPrior(nullptr, nullptr), kDbfOk);  // record 15 comes from a new read
  EXPECT_EQ(h.GetPosition(), 15);
}

TEST(Handle, AppendWritesRecordCountAndEndMarker) {
  TempDir dir;
  std::string path = MakeTable(dir, 2);
  std::string before = ReadFile(path);
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, true, false, nullptr, &h), kDbfOk);
  std::vector<char> rec(static_cast<size_t>(h->GetRecordSize()));
  InitRecord(h.get(), rec.data());
  EXPECT_EQ(AppendRecord(h.get(), rec.data()), kDbfReadOnly);
  CloseTable(&h);
  EXPECT_EQ(ReadFile(path), before);

  ASSERT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  SetFieldValue(h.get(), 1, rec.data(), "99");
  ASSERT_EQ(AppendRecord(h.get(), rec.data()), kDbfOk);
  std::string after = ReadFile(path);  // while the table is still open
  EXPECT_EQ(after[4], 3);
  EXPECT_EQ(after.size(), before.size() + rec.size());
  EXPECT_EQ(after.back(), '\x1A');
  EXPECT_EQ(after.substr(after.size() - 1 - rec.size(), rec.size()), std::string(rec.begin(), rec.end()));
  // Every prefix byte but the record count stays as read: date, flags, reserved.
  EXPECT_EQ(after.substr(0, 4) + after.substr(8, 24), before.substr(0, 4) + before.substr(8, 24));
}

TEST(Handle, EmptyTableNeedsExclusiveUse) {
  TempDir dir;
  std::string path = MakeTable(dir, 3);
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  EXPECT_EQ(EmptyTable(h.get()), kDbfTableBusy);
  CloseTable(&h);
  ASSERT_EQ(OpenTable(path, false, true, nullptr, &h), kDbfOk);
  const int header_length = h->Header()->GetHeaderLength();
  EXPECT_EQ(EmptyTable(h.get()), kDbfOk);
  CloseTable(&h);
  std::string file = ReadFile(path);
  EXPECT_EQ(file.size(), static_cast<size_t>(header_length));
  EXPECT_EQ(file.back(), '\x0D');
  EXPECT_EQ(file[4], 0);
}

TEST(Handle, ShareModesConflictLikeWindowsOpens) {
  TempDir dir;
  std::string path = MakeTable(dir, 1);
  TDbfHandlePtr shared1, shared2, exclusive;
  ASSERT_EQ(OpenTable(path, true, false, nullptr, &shared1), kDbfOk);
  EXPECT_EQ(OpenTable(path, false, false, nullptr, &shared2), kDbfOk);
  EXPECT_EQ(OpenTable(path, false, true, nullptr, &exclusive), kDbfCannotOpen);
  EXPECT_EQ(exclusive, nullptr);
  EXPECT_EQ(OpenTable(path, true, false, nullptr, &shared1), kDbfInvalidHandle);  // already holds one
  CloseTable(&shared1);
  CloseTable(&shared2);
  ASSERT_EQ(OpenTable(path, false, true, nullptr, &exclusive), kDbfOk);
  EXPECT_EQ(OpenTable(path, true, false, nullptr, &shared1), kDbfCannotOpen);
  EXPECT_EQ(OpenTable(dir.File("missing.dbf"), true, false, nullptr, &shared1), kDbfCannotOpen);
}

TEST(Handle, FilterSkipsRecordsAndABadExpressionKeepsTheOldOne) {
  TempDir dir;
  std::string path = MakeTable(dir, 5);
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, true, false, nullptr, &h), kDbfOk);
  ASSERT_EQ(SetFilter(h.get(), "NC>=4.5", 0), kDbfOk);
  EXPECT_EQ(ReadAll(h.get(), true), (std::vector<int>{3, 4, 5}));
  EXPECT_EQ(SetFilter(h.get(), "NC>=(", 0), kDbfInvalidExpression);
  EXPECT_EQ(ReadAll(h.get(), false), (std::vector<int>{5, 4, 3}));
  ClearFilter(h.get());
  EXPECT_EQ(ReadAll(h.get(), true).size(), 5u);
}

TEST(Handle, LocateFindsByKeyFieldsAndKeepsThePositionWhenNotFound) {
  TempDir dir;
  std::string path = MakeTable(dir, 4);
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, true, false, nullptr, &h), kDbfOk);
  auto text = [](const char* s) { return TLocateValue{TLocateValue::kText, s, 0, false}; };
  TLocateKeys single{false, {text("1003")}};
  EXPECT_EQ(LocateRecord(h.get(), "ICO", single, 0), kDbfOk);
  EXPECT_EQ(h->GetPosition(), 3);
  EXPECT_EQ(LocateRecord(h.get(), "NEMA; ICO", TLocateKeys{false, {text("1002")}}, 0), kDbfOk);
  EXPECT_EQ(h->GetPosition(), 2);
  EXPECT_EQ(LocateRecord(h.get(), "ICO;NAZEV", single, 0), kDbfInvalidParameter);
  EXPECT_EQ(LocateRecord(h.get(), "ICO;NAZEV", TLocateKeys{true, {text("1004"), text("firma 4")}},
                         kLocateCaseInsensitive),
            kDbfOk);
  EXPECT_EQ(h->GetPosition(), 4);
  h->SetPosition(2);
  EXPECT_EQ(LocateRecord(h.get(), "ICO", TLocateKeys{false, {text("9999")}}, 0), kDbfRecordNotFound);
  EXPECT_EQ(h->GetPosition(), 2);
}

TEST(Handle, UpdateDeleteAndRecallWriteTheFile) {
  TempDir dir;
  std::string path = MakeTable(dir, 2);
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  std::vector<char> rec(static_cast<size_t>(h->GetRecordSize()));
  h->SetPosition(2);
  ASSERT_EQ(ReadCurrent(h.get(), rec.data(), nullptr), kDbfOk);
  SetFieldValue(h.get(), 2, rec.data(), "Nova");
  ASSERT_EQ(UpdateRecord(h.get(), rec.data()), kDbfOk);
  ASSERT_EQ(DeleteRecord(h.get()), kDbfOk);
  CloseTable(&h);
  std::string file = ReadFile(path);
  ASSERT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  const size_t offset = static_cast<size_t>(h->Header()->GetHeaderLength() + h->GetRecordSize());
  EXPECT_EQ(file[offset], '*');
  EXPECT_EQ(file.substr(offset + 9, 10), "Nova      ");
  h->SetPosition(2);
  ASSERT_EQ(RecallRecord(h.get()), kDbfOk);
  EXPECT_EQ(ReadFile(path)[offset], ' ');
  const std::string before_refused = ReadFile(path);
  h->SetPosition(0);
  EXPECT_EQ(DeleteRecord(h.get()), kDbfBeginOfFile);  // nothing to mark before the first record
  EXPECT_EQ(ReadFile(path), before_refused);          // and nothing written
}

// The DBF classes implement the abstract table API and are final, so that
// calls through the concrete types are direct.
static_assert(std::is_base_of_v<TDsCustomField, TDbfField> && std::is_final_v<TDbfField>);
static_assert(std::is_base_of_v<TDsCustomHeader, TDbfHeader> && std::is_final_v<TDbfHeader>);
static_assert(std::is_base_of_v<TDsCustomIndex, TDbfIndex> && std::is_final_v<TDbfIndex>);
static_assert(std::is_base_of_v<TDsCustomHandle, TDbfHandle> && std::is_final_v<TDbfHandle>);

// The DBF classes are reached through the abstract table API: every call
// below goes through a base-class reference and must give what the DBF
// class gives when called directly.
TEST(HandleInterface, FieldsAreReadAndWrittenThroughTheAbstractField) {
  TempDir dir;
  std::string path = MakeTable(dir, 2);
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  TDbfField* nc = h->Header()->FieldByNumber(3);
  ASSERT_NE(nc, nullptr);
  TDsCustomField& field = *nc;
  EXPECT_EQ(field.GetName(), "NC");
  EXPECT_EQ(field.GetTypeLetter(), 'N');
  EXPECT_EQ(field.GetLength(), 6);
  EXPECT_EQ(field.GetDecimals(), 1);
  EXPECT_EQ(field.GetDataType(), nc->GetDataType());
  EXPECT_EQ(field.GetDataSize(), nc->GetDataSize());

  h->SetPosition(2);
  ASSERT_EQ(h->ReadCurrent(nullptr, nullptr), kDbfOk);
  EXPECT_FALSE(field.IsNull(nullptr));
  EXPECT_DOUBLE_EQ(field.GetAsFloat(nullptr), 3.0);
  EXPECT_EQ(field.GetAsString(nullptr), nc->GetAsString(nullptr));
  std::vector<char> rec(h->CurrentRecord(), h->CurrentRecord() + h->GetRecordSize());
  double value = 7.5;
  field.SetData(rec.data(), &value);
  EXPECT_DOUBLE_EQ(nc->GetAsFloat(rec.data()), 7.5);
  field.SetData(rec.data(), nullptr);
  EXPECT_TRUE(nc->IsNull(rec.data()));

  // A DBF descriptor has no flags or reserved value to keep.
  field.SetFlags(5);
  field.SetReserved(5);
  EXPECT_EQ(field.GetFlags(), 0);
  EXPECT_EQ(field.GetReserved(), 0);
  EXPECT_EQ(field.GetExtra(), 0);
  field.SetName("CENA");
  EXPECT_EQ(h->Header()->FieldByName("cena"), nc);
  field.SetDataType(ftDate);
  EXPECT_EQ(nc->GetTypeLetter(), 'D');
}

TEST(HandleInterface, TableIsReadThroughTheAbstractHandleAndHeader) {
  TempDir dir;
  std::string path = MakeTable(dir, 3, 2);
  TDbfHandlePtr h;
  ASSERT_EQ(OpenTable(path, false, false, nullptr, &h), kDbfOk);
  TDsCustomHandle& table = *h;
  TDsCustomHeader& header = *h->Header();

  // ICO C(8), NAZEV C(10), NC N(6.1) behind a 32-byte prefix.
  EXPECT_EQ(header.GetPrefixSize(), 32);
  EXPECT_EQ(header.GetRecordLength(), 1 + 8 + 10 + 6);
  EXPECT_EQ(header.GetHeaderLength(), 32 + 3 * 32 + 1);
  EXPECT_EQ(header.GetRecordCount(), 3u);
  EXPECT_TRUE(header.IsKnownFormat());
  EXPECT_FALSE(header.IsEncrypted());
  EXPECT_EQ(header.GetDescription(), "");
  header.SetDeletedCount(4);
  EXPECT_EQ(header.GetDeletedCount(), 0);

  EXPECT_EQ(table.GetRecordCount(), 3u);
  EXPECT_EQ(table.GetRecordSize(), 25);
  EXPECT_EQ(table.GetBookmarkSize(), 4);
  EXPECT_EQ(table.GetRecordOffset(2), 32u + 3 * 32 + 1 + 25);
  std::vector<int> seen;
  TDbfRecordInfo info;
  table.MoveFirst();
  while (table.ReadNext(nullptr, &info) == kDbfOk) seen.push_back(info.record_no);
  EXPECT_EQ(seen, (std::vector<int>{1, 3}));
  EXPECT_EQ(table.GetPosition(), 4);
  table.SetPosition(2);
  EXPECT_EQ(table.ReadCurrent(nullptr, nullptr), kDbfRecordDeleted);
  EXPECT_EQ(table.RecallRecord(true), kDbfOk);
  table.MoveLast();
  seen.clear();
  while (table.ReadPrior(nullptr, &info) == kDbfOk) seen.push_back(info.record_no);
  EXPECT_EQ(seen, (std::vector<int>{3, 2, 1}));

  TLocateKeys key{false, {TLocateValue{TLocateValue::kText, "1003", 0, false}}};
  EXPECT_EQ(table.LocateRecord("ICO", key, 0), kDbfOk);
  EXPECT_EQ(table.GetPosition(), 3);

  std::vector<char> rec(25);
  h->InitRecord(rec.data());
  EXPECT_EQ(table.AppendRecord(rec.data(), true), kDbfOk);
  EXPECT_EQ(table.GetRecordCount(), 4u);
  EXPECT_EQ(header.GetRecordCount(), 4u);
  EXPECT_EQ(table.GetPosition(), 4);
  EXPECT_EQ(table.DeleteRecord(true), kDbfOk);
  EXPECT_EQ(table.ReadCurrent(nullptr, nullptr), kDbfRecordDeleted);
}

TEST(TableApi, MissingHandleGivesInvalidHandle) {
  char rec[4];
  EXPECT_EQ(MoveFirst(nullptr), kDbfInvalidHandle);
  EXPECT_EQ(ReadNext(nullptr, rec, nullptr), kDbfInvalidHandle);
  EXPECT_EQ(AppendRecord(nullptr, rec), kDbfInvalidHandle);
  TDbfHandlePtr none;
  EXPECT_EQ(CloseTable(&none), kDbfInvalidHandle);
  EXPECT_STREQ(DbfErrorMessage(2), "Cannot open file");
  EXPECT_STREQ(DbfErrorMessage(19), "The cursor is positioned on a record that has been deleted");
  EXPECT_STREQ(DbfErrorMessage(61), "Unexpected identifier");
  EXPECT_STREQ(DbfErrorMessage(0x80 | 48), "Invalid database file");
}

}  // namespace
}  // namespace zarn
