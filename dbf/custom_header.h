// TDsCustomHeader is the abstract table API's view of a table file's head:
// the prefix with the table's counts and lengths, and the field descriptors.
// The operations are declared in the order of the API's table slots. Slots
// the API keeps reserved are not declared, and neither are the positioning
// steps that precede a read or write in a stream-based implementation:
// implementations here read and write at explicit offsets. TDbfHeader
// (dbf/header.h) is the implementation for DBF files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarn {

class TDsCustomHeader {
 public:
  virtual ~TDsCustomHeader() = default;

  // Every int result below is an engine code (dbf/errors.h).
  virtual int Open() = 0;
  virtual int ReadPrefix() = 0;
  virtual int ReadFields() = 0;
  virtual int WriteAll() = 0;
  virtual int WritePrefix() = 0;
  virtual int WriteFields() = 0;
  virtual int GetHeaderLength() const = 0;
  virtual void SetHeaderLength(int length) = 0;
  virtual int GetDeletedCount() const = 0;
  virtual void SetDeletedCount(int count) = 0;
  virtual int GetRecordLength() const = 0;
  virtual void SetRecordLength(int length) = 0;
  virtual uint32_t GetRecordCount() const = 0;
  virtual void SetRecordCount(uint32_t count) = 0;
  virtual int GetPrefixSize() const = 0;
  virtual std::string GetDescription() const = 0;
  virtual bool IsEncrypted() const = 0;
  virtual int GetReservedValue() const = 0;
  virtual bool HasIndexFile() const = 0;
  // Fills the prefix for a new table of the given level from the fields
  // defined so far.
  virtual void InitNew(int level, uint8_t language_driver, std::string_view driver_name) = 0;
  virtual void UpdateOffsets() = 0;
  virtual bool IsKnownFormat() const = 0;

 protected:
  TDsCustomHeader() = default;
  TDsCustomHeader(const TDsCustomHeader&) = default;
  TDsCustomHeader& operator=(const TDsCustomHeader&) = default;
};

}  // namespace zarn
