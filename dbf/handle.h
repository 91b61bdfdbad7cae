// TDbfHandle is one open DBF file (the DBF implementation of
// TDsCustomHandle): the parsed header with its fields, a
// read-ahead record cache, the current position, an optional filter
// expression and the memo file. Every operation returns an engine code
// (dbf/errors.h); 0 is success, and nothing here throws.
//
// Positions: 0 lies before the first record, 1 ... record count are records,
// record count + 1 lies after the last one. The current record is the cached
// copy of the record last read, written or appended; field operations without
// a record image work on it, and so does the filter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/codepage.h"
#include "dbf/custom_handle.h"
#include "dbf/header.h"
#include "dbf/memo.h"
#include "dbf/record_cache.h"
#include "dbf/shared_file.h"
#include "platform/datetime.h"

namespace zarn {

class TDsDbParser;

// Options of opening and creating a table.
struct TDbfOpenOptions {
  bool create = false;        // create (or empty) the file instead of opening it
  int32_t cache_capacity = 100;  // records read ahead at a time; below 1 means 1
  bool show_deleted = false;  // deleted records are read like live ones
  CP_TYPE code_page = ascii_ANSI;
  int16_t table_level = 4;    // 3, 4, 5 or 7, for creating
};

constexpr char kLiveFlag = ' ';
constexpr char kDeletedFlag = '*';

class TDbfHandle final : public TDsCustomHandle {
 public:
  // Opens file_name (or creates it with options->create). The outcome is
  // Status(); a handle whose status is not 0 is to be destroyed. options may
  // be null for the defaults.
  TDbfHandle(std::string file_name, bool read_only, bool exclusive, const TDbfOpenOptions* options);
  ~TDbfHandle() override;

  int Status() const { return status_; }
  const std::string& FileName() const { return file_name_; }
  bool IsReadOnly() const { return read_only_; }
  bool IsExclusive() const { return exclusive_; }
  TDbfHeader* Header() const { return header_.get(); }
  TDbfBlobHandle* Blob() const { return blob_.get(); }

  uint32_t GetRecordCount() const override { return header_->GetRecordCount(); }
  int GetDeletedCount() const override { return header_->GetDeletedCount(); }
  int GetRecordSize() const override { return header_->GetRecordLength(); }
  int GetBookmarkSize() const override { return 4; }
  uint64_t GetRecordOffset(int64_t record_no) const override;
  bool IsEncrypted() const override { return header_ != nullptr && header_->IsEncrypted(); }

  static int GetRecordStatus(const char* image) {
    return image[0] == kDeletedFlag ? kRecordStatusDeleted : kRecordStatusLive;
  }
  static void SetRecordStatus(char* image, int status) {
    image[0] = status == kRecordStatusDeleted ? kDeletedFlag : kLiveFlag;
  }

  bool ShowDeleted() const { return show_deleted_; }
  void SetShowDeleted(bool show) { show_deleted_ = show; }
  CP_TYPE CodePage() const { return code_page_; }
  void SetCodePage(CP_TYPE code_page);
  void SetTableLevel(int level) override { table_level_ = level; }
  // Translation tables of the code page; null when it is the identity.
  const uint8_t* ReadTable() const { return read_table_; }
  const uint8_t* WriteTable() const { return write_table_; }

  // The current record image, or null before anything was read.
  const char* CurrentRecord() const { return current_; }
  char* MutableCurrentRecord() { return current_; }

  void MoveFirst() override { position_ = 0; }
  void MoveLast() override { position_ = static_cast<int64_t>(GetRecordCount()) + 1; }
  int32_t GetPosition() const override { return static_cast<int32_t>(position_); }
  void SetPosition(int32_t record_no) override { position_ = record_no; }

  // Reads the record at the position. 30 past the end, 29 before the start,
  // 19 for a deleted record while deleted records are hidden, 30 when the
  // filter rejects it. buffer (record length bytes) and info may be null.
  int ReadCurrent(char* buffer, TDbfRecordInfo* info) override;
  // Moves on to the next (previous) record that is visible and passes the
  // filter; 30 (29) when there is none.
  int ReadNext(char* buffer, TDbfRecordInfo* info) override;
  int ReadPrior(char* buffer, TDbfRecordInfo* info) override;

  // Fills buffer for a new record: spaces, a live flag, and the native-order
  // value 1 in every autoincrement field.
  void InitRecord(char* buffer) const;
  // Adds image as a new last record; the position moves to it. With
  // write_header the record count is written at once; otherwise by Flush.
  int AppendRecord(const char* image, bool write_header) override;
  // Writes image over the record at the position.
  int UpdateRecord(const char* image) override;
  // Marks the record at the position deleted (live again); it stays counted.
  int DeleteRecord(bool write_header) override;
  int RecallRecord(bool write_header) override;
  // Cuts the file after the header; needs an exclusive, writable handle
  // (24, 20).
  int EmptyTable();
  // Writes out appended records held back and the header with its count.
  int Flush();

  // Compiles expression with the filter option bits (1 case-insensitive,
  // 2 no partial compare) and tries it on the current record. An expression
  // that yields no valid result gives 58 and leaves the filter in force
  // before the call unchanged.
  int SetFilter(std::string_view expression, uint8_t options);
  void ClearFilter();
  bool HasFilter() const { return has_filter_; }
  // True without a filter; else true when the filter is true for the
  // current record.
  bool AcceptRecord() override;

  // Finds the first visible record whose key fields (names separated by ";")
  // equal keys. Returns 0 and stays on it, 15 when none is found (the
  // position is kept), 45 when keys do not fit the fields.
  int LocateRecord(std::string_view key_fields, const TLocateKeys& keys, int options) override;

  // Creation: a field from a dataset definition (by the rules of the level),
  // then the header, terminator and end marker, and the memo file when a
  // memo field was defined.
  int DefineField(std::string_view name, TFieldType type, int size, int precision, bool required);
  int WriteNewTable();

 private:
  int OpenFile(bool create);
  // Makes record n the current record, from the cache or by reading ahead
  // from start_record; copies it into buffer when given.
  int FetchRecord(int64_t record_no, int64_t start_record, char* buffer, TDbfRecordInfo* info, int no_record_code);
  // ReadNext and ReadPrior: steps by step (+1 or -1) until a visible record.
  int ReadStep(int step, char* buffer, TDbfRecordInfo* info);
  bool IsVisible(const char* image) const {
    return show_deleted_ || GetRecordStatus(image) != kRecordStatusDeleted;
  }
  int WriteRecordStatus(int status, bool write_header);
  static bool EvaluatesTrue(TDsDbParser* parser);
  int FlushPendingAppends();
  int WriteHeaderAndEndMarker();
  std::string LocateExpression(std::string_view key_fields, const TLocateKeys& keys, int* code) const;

  int status_ = 0;
  std::string file_name_;
  bool read_only_;
  bool exclusive_;
  bool show_deleted_ = false;
  CP_TYPE code_page_ = ascii_ANSI;
  const uint8_t* read_table_ = nullptr;
  const uint8_t* write_table_ = nullptr;
  int table_level_ = 4;
  SharedFile file_;
  std::unique_ptr<TDbfHeader> header_;
  RecordCache cache_;
  int64_t position_ = 0;
  char* current_ = nullptr;
  // Appended records not yet written, starting at record pending_first_.
  std::string pending_;
  int64_t pending_first_ = 0;
  bool header_dirty_ = false;
  std::unique_ptr<TDsDbParser> filter_;
  bool has_filter_ = false;
  std::unique_ptr<TDbfBlobHandle> blob_;
};

}  // namespace zarn
