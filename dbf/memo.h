// TDbfBlobHandle is the memo file beside a table (".dbt" for dBASE, ".fpt"
// for FoxPro). Memo fields (letters M, B, P) hold a block number; the memo's
// data lies in the memo file from that block on:
//   dBASE III   data at the block start, ended by 0x1A 0x1A
//   dBASE IV/7  block header FF FF 08 00, length + 8 (32-bit little-endian)
//   FoxPro      block header: type and length (32-bit big-endian each)
// The first 512 bytes of the file are its header: the next free block
// (little-endian for dBASE, big-endian for FoxPro) at offset 0 and the block
// size (dBASE IV/7 little-endian at 20, FoxPro big-endian at 6; dBASE III
// always 512).
#pragma once

#include <cstdint>
#include <string>

#include "dbf/header.h"
#include "dbf/shared_file.h"

namespace zarn {

class TDbfHandle;

constexpr int kMemoHeaderSize = 512;
constexpr int kMemoBlockHeaderSize = 8;
constexpr int kDBase3BlockSize = 512;
constexpr int kDBase4BlockSize = 512;
constexpr int kFoxProBlockSize = 64;

// The memo file's name: the table's name with ".fpt" for FoxPro tables and
// ".dbt" otherwise (upper case when the table's extension is upper case).
std::string MemoFileName(const std::string& table_file, DbfFormat format);

class TDbfBlobHandle {
 public:
  explicit TDbfBlobHandle(TDbfHandle* owner);

  // Opens the memo file with the table's access and share mode and reads its
  // header. A missing or unreadable file is not reported here: the first
  // request for a non-empty memo then gives 3.
  void Open(FileAccess access, FileShare share);
  // Creates an empty memo file with its header for the table's format.
  int Create();
  bool IsOpen() const { return file_.IsOpen(); }
  int BlockSize() const;

  // Size in bytes of the memo that field field_no of record refers to; an
  // empty reference gives 0.
  int GetBlobSize(const char* record, int field_no, uint32_t* size);
  // Reads up to count bytes of the memo from offset on into dest; *read gets
  // the number read. Fewer bytes than asked give 32 ("End of blob"). Text
  // memos (M) pass through the table's read table.
  int ReadBlob(const char* record, int field_no, uint32_t offset, char* dest, uint32_t count, uint32_t* read);
  // Stores the memo's first offset bytes followed by data as a new memo in
  // fresh blocks and puts its block number into record. Blocks that other
  // records point at are never reused; the old blocks are left unused. Empty
  // text leaves the field blank. Text memos pass through the write table.
  int WriteBlob(char* record, int field_no, uint32_t offset, const char* data, uint32_t count);
  // Keeps the memo's first size bytes, stored as with WriteBlob.
  int TruncateBlob(char* record, int field_no, uint32_t size);
  int OpenBlob(const char*, int) { return 0; }
  int FreeBlob(const char*, int) { return 0; }

 private:
  DbfFormat Format() const;
  int FieldBlock(const char* record, int field_no, int32_t* block) const;
  int MemoSize(int32_t block, uint32_t* size);
  int DBase3MemoSize(uint64_t data_start, uint32_t* size);
  uint64_t DataStart(int32_t block) const;
  int ReadWhole(const char* record, int field_no, uint32_t limit, std::string* data);
  int StoreMemo(char* record, int field_no, std::string data);
  int EnsureWritable();
  uint32_t NextFreeBlock() const;

  TDbfHandle* owner_;
  uint8_t header_[kMemoHeaderSize] = {};
  SharedFile file_;
};

}  // namespace zarn
