#include "dbf/header.h"

#include <cstring>
#include <ctime>
#include <strings.h>

#include "dbf/errors.h"
#include "dbf/shared_file.h"

namespace zarn {

namespace {

// Version bytes of new tables by level, without and with memo fields.
struct LevelVersions {
  int level;
  uint8_t plain;
  uint8_t with_memo;
};
constexpr LevelVersions kLevelVersions[] = {
    {3, 0x03, 0x83}, {4, 0x03, 0x8B}, {5, 0x05, 0x8B}, {7, 0x04, 0x8C}};

uint16_t Load16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void Store16(uint16_t v, uint8_t* p) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

DbfFormat FormatOfVersion(uint8_t version, uint8_t language_driver) {
  switch (version) {
    case 0x03: return language_driver == 0 ? kFormatDBase3 : kFormatDBase4;
    case 0x83: return kFormatDBase3;
    case 0x8B: return kFormatDBase4;
    case 0x05: return kFormatDBase5;
    case 0x04: case 0x8C: return kFormatDBase7;
    case 0x02: case 0x30: case 0xF5: return kFormatFoxPro;
    default: return kFormatUnknown;
  }
}

TDbfHeader::TDbfHeader(TDbfHandle* handle, SharedFile* file) : handle_(handle), file_(file) {}

int TDbfHeader::GetHeaderLength() const { return Load16(prefix_ + kPrefixHeaderLength); }
void TDbfHeader::SetHeaderLength(int length) { Store16(static_cast<uint16_t>(length), prefix_ + kPrefixHeaderLength); }
int TDbfHeader::GetRecordLength() const { return Load16(prefix_ + kPrefixRecordLength); }
void TDbfHeader::SetRecordLength(int length) { Store16(static_cast<uint16_t>(length), prefix_ + kPrefixRecordLength); }

uint32_t TDbfHeader::GetRecordCount() const {
  const uint8_t* p = prefix_ + kPrefixRecordCount;
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

void TDbfHeader::SetRecordCount(uint32_t count) {
  for (int i = 0; i < 4; ++i) prefix_[kPrefixRecordCount + i] = static_cast<uint8_t>(count >> (8 * i));
}

int TDbfHeader::Open() {
  int code = ReadPrefix();
  if (code != kDbfOk) return code;
  if (!IsKnownFormat()) return kDbfInvalidFile;
  if (IsEncrypted()) return kDbfCrypted;
  code = ReadFields();
  if (code != kDbfOk) return code;
  return CheckFieldsFitRecord();
}

int TDbfHeader::ReadPrefix() {
  if (!file_->IsOpen()) return kDbfCannotSeek;
  std::memset(prefix_, 0, sizeof prefix_);
  if (file_->ReadAt(0, prefix_, kShortPrefixSize) != kShortPrefixSize) return kDbfCannotRead;
  if (Format() == kFormatDBase7) {
    const int extension = kLongPrefixSize - kShortPrefixSize;
    if (file_->ReadAt(kShortPrefixSize, prefix_ + kShortPrefixSize, extension) != extension) return kDbfCannotRead;
  }
  return kDbfOk;
}

int TDbfHeader::ReadFields() {
  fields_.clear();
  const int prefix = GetPrefixSize();
  const int area = GetHeaderLength() - prefix;
  if (area <= 0) return kDbfOk;
  std::vector<uint8_t> bytes(static_cast<size_t>(area));
  if (file_->ReadAt(static_cast<uint64_t>(prefix), bytes.data(), bytes.size()) != area) return kDbfCannotRead;
  const int step = GetDescriptorSize();
  int offset = 1;
  for (int at = 0; at + step <= area && bytes[static_cast<size_t>(at)] != kHeaderTerminator; at += step) {
    auto field = std::make_unique<TDbfField>(this, FieldCount() + 1, bytes.data() + at);
    field->SetOffset(offset);
    offset += field->GetLength();
    fields_.push_back(std::move(field));
  }
  return kDbfOk;
}

// Every record operation copies whole images of the stored record length and
// every field read indexes into one, so a field reaching past the record
// would read past the image: such a file is refused.
int TDbfHeader::CheckFieldsFitRecord() const {
  if (GetRecordLength() < 1 || GetHeaderLength() < GetPrefixSize()) return kDbfInvalidFile;
  for (const auto& field : fields_)
    if (field->Offset() + field->GetLength() > GetRecordLength()) return kDbfInvalidFile;
  return kDbfOk;
}

int TDbfHeader::WritePrefix() {
  if (!file_->IsOpen()) return kDbfCannotSeek;
  return file_->WriteAt(0, prefix_, static_cast<size_t>(GetPrefixSize())) ? kDbfOk : kDbfCannotWrite;
}

int TDbfHeader::WriteFields() {
  if (!file_->IsOpen()) return kDbfCannotSeek;
  const size_t step = static_cast<size_t>(GetDescriptorSize());
  std::vector<uint8_t> bytes;
  bytes.reserve(step * fields_.size());
  for (const auto& field : fields_) bytes.insert(bytes.end(), field->Descriptor(), field->Descriptor() + step);
  return file_->WriteAt(static_cast<uint64_t>(GetPrefixSize()), bytes.data(), bytes.size()) ? kDbfOk
                                                                                               : kDbfCannotWrite;
}

int TDbfHeader::WriteEndMarker() {
  if (!file_->IsOpen()) return kDbfCannotSeek;
  const uint64_t end = static_cast<uint64_t>(GetHeaderLength()) +
                       static_cast<uint64_t>(GetRecordCount()) * static_cast<uint64_t>(GetRecordLength());
  if (GetRecordCount() == 0) {
    const char bytes[2] = {kHeaderTerminator, kEndOfFileMarker};
    return file_->WriteAt(end - 1, bytes, 2) ? kDbfOk : kDbfCannotWrite;
  }
  return file_->WriteAt(end, &kEndOfFileMarker, 1) ? kDbfOk : kDbfCannotWrite;
}

int TDbfHeader::WriteAll() {
  int code = WritePrefix();
  if (code == kDbfOk) code = WriteFields();
  if (code == kDbfOk) code = WriteEndMarker();
  return code;
}

void TDbfHeader::InitNew(int level, uint8_t language_driver, std::string_view driver_name) {
  const bool memo = HasMemoFields();
  uint8_t version = 0x03;
  for (const LevelVersions& v : kLevelVersions)
    if (v.level == level) version = memo ? v.with_memo : v.plain;
  prefix_[kPrefixVersion] = version;

  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  prefix_[kPrefixDate] = static_cast<uint8_t>(local.tm_year % 256);
  prefix_[kPrefixDate + 1] = static_cast<uint8_t>(local.tm_mon + 1);
  prefix_[kPrefixDate + 2] = static_cast<uint8_t>(local.tm_mday);

  SetHeaderLength(GetPrefixSize() + GetDescriptorSize() * FieldCount() + 1);
  int record_length = 1;
  for (const auto& field : fields_) record_length += field->GetLength();
  SetRecordLength(record_length);

  const DbfFormat format = Format();
  prefix_[kPrefixLanguageDriver] = (format == kFormatDBase3 || format == kFormatDBase7) ? 0 : language_driver;
  if (Format() == kFormatDBase7) {
    std::memset(prefix_ + kPrefixDriverName, 0, 32);
    std::memcpy(prefix_ + kPrefixDriverName, driver_name.data(), std::min<size_t>(driver_name.size(), 31));
  }
}

void TDbfHeader::UpdateOffsets() {
  int offset = 1;
  for (auto& field : fields_) {
    field->SetOffset(offset);
    offset += field->GetLength();
  }
}

bool TDbfHeader::IsSupportedType(TFieldType type) {
  return (type >= ftString && type <= ftDateTime) || type == ftAutoInc || type == ftWideString;
}

bool TDbfHeader::IsMemoType(TFieldType type) {
  return type == ftBlob || type == ftMemo || type == ftGraphic || type == ftFmtMemo;
}

TDbfField* TDbfHeader::FieldByNumber(int field_no) const {
  if (field_no < 1 || field_no > FieldCount()) return nullptr;
  return fields_[static_cast<size_t>(field_no - 1)].get();
}

TDbfField* TDbfHeader::FieldByName(std::string_view name) const {
  for (const auto& field : fields_) {
    std::string own = field->GetName();
    if (own.size() == name.size() && strncasecmp(own.data(), name.data(), name.size()) == 0) return field.get();
  }
  return nullptr;
}

TDbfField* TDbfHeader::AddField() {
  fields_.push_back(std::make_unique<TDbfField>(this, FieldCount() + 1));
  return fields_.back().get();
}

bool TDbfHeader::HasMemoFields() const {
  for (const auto& field : fields_)
    if (field->Rule() == FieldRule::kBlock) return true;
  return false;
}

}  // namespace zarn
