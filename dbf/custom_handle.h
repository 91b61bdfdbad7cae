// TDsCustomHandle is the abstract table API's open table: record counts,
// the current position, reading, writing and locating records, and the
// record filter. The operations are declared in the order of the API's table
// slots. Steps an implementation takes inside these operations (opening and
// closing its file, writing a status byte, keeping its cache in step, the
// encryption hooks) are its own business and are not part of the API; the
// status byte of a record image is read and set by functions of the
// implementation that need no handle. TDbfHandle (dbf/handle.h) is the
// implementation for DBF files.
//
// Positions: 0 lies before the first record, 1 ... record count are records,
// record count + 1 lies after the last one. Every int result is an engine
// code (dbf/errors.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarn {

// Filled by the read operations when asked.
struct TDbfRecordInfo {
  int32_t record_no = 0;
  uint8_t status = 0;   // 0 live, 3 deleted
  uint8_t deleted = 0;  // 1 when deleted
};

constexpr int kRecordStatusLive = 0;
constexpr int kRecordStatusDeleted = 3;

// Options of LocateRecord.
constexpr int kLocateCaseInsensitive = 1;
constexpr int kLocatePartialKey = 2;

// One key value of a locate, as the dataset's variant holds it.
struct TLocateValue {
  enum Kind { kNull, kText, kInteger, kFloat, kBoolean, kDate } kind = kNull;
  std::string text;   // kText
  double number = 0;  // kInteger, kFloat, kDate (TDateTime)
  bool boolean = false;
};

// The key values of a locate: an array of values, or a single value.
struct TLocateKeys {
  bool is_array = false;
  std::vector<TLocateValue> values;  // exactly one value when not an array
};

class TDsCustomHandle {
 public:
  virtual ~TDsCustomHandle() = default;
  TDsCustomHandle(const TDsCustomHandle&) = delete;
  TDsCustomHandle& operator=(const TDsCustomHandle&) = delete;

  virtual int GetDeletedCount() const = 0;
  virtual uint32_t GetRecordCount() const = 0;
  virtual int GetRecordSize() const = 0;
  virtual void SetTableLevel(int level) = 0;
  // True without a filter; else true when the filter is true for the
  // current record.
  virtual bool AcceptRecord() = 0;
  // File offset of record record_no.
  virtual uint64_t GetRecordOffset(int64_t record_no) const = 0;
  virtual void MoveFirst() = 0;
  virtual void MoveLast() = 0;
  virtual int32_t GetPosition() const = 0;
  // Any value is taken; the reads check it.
  virtual void SetPosition(int32_t record_no) = 0;
  // buffer (record size bytes) and info may be null.
  virtual int ReadCurrent(char* buffer, TDbfRecordInfo* info) = 0;
  virtual int ReadNext(char* buffer, TDbfRecordInfo* info) = 0;
  virtual int ReadPrior(char* buffer, TDbfRecordInfo* info) = 0;
  virtual int AppendRecord(const char* image, bool write_header) = 0;
  virtual int UpdateRecord(const char* image) = 0;
  virtual int DeleteRecord(bool write_header) = 0;
  virtual int GetBookmarkSize() const = 0;
  virtual int LocateRecord(std::string_view key_fields, const TLocateKeys& keys, int options) = 0;
  virtual bool IsEncrypted() const = 0;
  virtual int RecallRecord(bool write_header) = 0;

 protected:
  TDsCustomHandle() = default;
};

}  // namespace zarn
