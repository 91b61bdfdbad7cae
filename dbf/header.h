// TDbfHeader is the head of a DBF file (the DBF implementation of
// TDsCustomHeader): the fixed prefix (32 bytes, 68 for
// dBASE 7) and the field descriptors that follow it up to the 0x0D
// terminator. It reads and writes them through the table's file and keeps the
// prefix image exactly as read, so later writes change only what was changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/custom_header.h"
#include "dbf/field.h"

namespace zarn {

class SharedFile;
class TDbfHandle;

// The format codes that the version byte maps to.
enum DbfFormat : int {
  kFormatUnknown = 0,
  kFormatDBase3 = 1,
  kFormatDBase4 = 2,
  kFormatDBase5 = 3,
  kFormatDBase7 = 4,
  kFormatFoxPro = 5,
};

// Offsets in the prefix.
constexpr int kPrefixVersion = 0;
constexpr int kPrefixDate = 1;
constexpr int kPrefixRecordCount = 4;
constexpr int kPrefixHeaderLength = 8;
constexpr int kPrefixRecordLength = 10;
constexpr int kPrefixEncrypted = 15;
constexpr int kPrefixTableFlags = 28;
constexpr int kPrefixLanguageDriver = 29;
constexpr int kPrefixDriverName = 32;

constexpr int kShortPrefixSize = 32;
constexpr int kLongPrefixSize = 68;
constexpr int kShortDescriptorSize = 32;
constexpr int kLongDescriptorSize = 48;
// Ends the descriptors; the byte at header length - 1.
constexpr char kHeaderTerminator = 0x0D;
// Follows the last record.
constexpr char kEndOfFileMarker = 0x1A;
// Longest field name a new table gets.
constexpr int kMaxNewFieldName = 10;

// Format code of a version byte and language-driver byte.
DbfFormat FormatOfVersion(uint8_t version, uint8_t language_driver);

class TDbfHeader final : public TDsCustomHeader {
 public:
  TDbfHeader(TDbfHandle* handle, SharedFile* file);

  TDbfHandle* Handle() const { return handle_; }

  // ReadPrefix, then refuse unknown formats (48) and encrypted tables (40),
  // then ReadFields. Fields whose bytes lie outside the record, and record
  // lengths of 0, give 48 as well. Returns an engine code.
  int Open() override;
  int ReadPrefix() override;
  int ReadFields() override;
  // WritePrefix, WriteFields, then the terminator and the end marker.
  int WriteAll() override;
  int WritePrefix() override;
  int WriteFields() override;
  // The terminator of an empty table or the end marker after the last record.
  int WriteEndMarker();

  DbfFormat Format() const { return FormatOfVersion(prefix_[kPrefixVersion], prefix_[kPrefixLanguageDriver]); }
  bool IsKnownFormat() const override { return Format() != kFormatUnknown; }
  int GetPrefixSize() const override { return Format() == kFormatDBase7 ? kLongPrefixSize : kShortPrefixSize; }
  int GetDescriptorSize() const { return Format() == kFormatDBase7 ? kLongDescriptorSize : kShortDescriptorSize; }
  uint8_t Version() const { return prefix_[kPrefixVersion]; }
  uint8_t LanguageDriver() const { return prefix_[kPrefixLanguageDriver]; }
  const uint8_t* Prefix() const { return prefix_; }

  int GetHeaderLength() const override;
  void SetHeaderLength(int length) override;
  int GetRecordLength() const override;
  void SetRecordLength(int length) override;
  uint32_t GetRecordCount() const override;
  void SetRecordCount(uint32_t count) override;
  // DBF keeps no deleted count, description or reserved value.
  int GetDeletedCount() const override { return 0; }
  void SetDeletedCount(int) override {}
  std::string GetDescription() const override { return {}; }
  int GetReservedValue() const override { return 0; }
  bool IsEncrypted() const override { return prefix_[kPrefixEncrypted] == 1; }
  // The prefix's index flag; no index is read from it.
  bool HasIndexFile() const override { return prefix_[kPrefixTableFlags] == 1; }

  // Fills the prefix for a new table of the given level (3, 4, 5 or 7) from
  // the fields defined so far, today's date and the code page's
  // language-driver byte and name.
  void InitNew(int level, uint8_t language_driver, std::string_view driver_name) override;
  // Renumbers the record offsets of all fields from 1, in field order.
  void UpdateOffsets() override;
  // True when a new table may hold a field of this dataset type.
  static bool IsSupportedType(TFieldType type);
  // True when the dataset type is stored in a memo file.
  static bool IsMemoType(TFieldType type);

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  // Field by number, counted from 1; null outside the range.
  TDbfField* FieldByNumber(int field_no) const;
  // Field by name, compared case-insensitively; null when there is none.
  TDbfField* FieldByName(std::string_view name) const;
  const std::vector<std::unique_ptr<TDbfField>>& Fields() const { return fields_; }
  TDbfField* AddField();
  bool HasMemoFields() const;

 private:
  int CheckFieldsFitRecord() const;

  TDbfHandle* handle_;
  SharedFile* file_;
  uint8_t prefix_[kLongPrefixSize] = {};
  std::vector<std::unique_ptr<TDbfField>> fields_;
};

}  // namespace zarn
