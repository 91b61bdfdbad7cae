#include "dbf/memo.h"

#include <algorithm>
#include <cstring>

#include "dbf/errors.h"
#include "dbf/handle.h"

namespace zarn {

namespace {

// Terminator search of dBASE III memos reads this much at a time.
constexpr size_t kScanChunk = 8192;
// dBASE IV/7 block header: a used-block mark, then the length including the
// header itself.
constexpr uint8_t kDBase4BlockMark[4] = {0xFF, 0xFF, 0x08, 0x00};
// FoxPro block types.
constexpr uint32_t kFoxProPicture = 0;
constexpr uint32_t kFoxProText = 1;
// Offsets in the memo header.
constexpr int kMemoNextFree = 0;
constexpr int kFoxProBlockSizeOffset = 6;
constexpr int kDBaseVersionOffset = 16;
constexpr int kDBase4BlockSizeOffset = 20;
constexpr int kDBase4FileNameOffset = 8;

uint32_t LoadLE32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
uint32_t LoadBE32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}
void StoreLE32(uint32_t v, uint8_t* p) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void StoreBE32(uint32_t v, uint8_t* p) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

bool EndsWithUpperCase(const std::string& name) {
  size_t dot = name.find_last_of('.');
  size_t slash = name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  for (size_t i = dot + 1; i < name.size(); ++i)
    if (name[i] >= 'a' && name[i] <= 'z') return false;
  return dot + 1 < name.size();
}

}  // namespace

std::string MemoFileName(const std::string& table_file, DbfFormat format) {
  size_t dot = table_file.find_last_of('.');
  size_t slash = table_file.find_last_of("/\\");
  std::string base = table_file;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) base.resize(dot);
  std::string extension = format == kFormatFoxPro ? ".fpt" : ".dbt";
  if (EndsWithUpperCase(table_file)) extension = format == kFormatFoxPro ? ".FPT" : ".DBT";
  return base + extension;
}

TDbfBlobHandle::TDbfBlobHandle(TDbfHandle* owner) : owner_(owner) {}

DbfFormat TDbfBlobHandle::Format() const { return owner_->Header()->Format(); }

void TDbfBlobHandle::Open(FileAccess access, FileShare share) {
  std::string name = MemoFileName(owner_->FileName(), Format());
  if (!file_.Open(name, access, share)) return;
  std::memset(header_, 0, sizeof header_);
  if (file_.ReadAt(0, header_, sizeof header_) < 0) file_.Close();
}

int TDbfBlobHandle::BlockSize() const {
  int size = 0;
  switch (Format()) {
    case kFormatDBase4: case kFormatDBase5: case kFormatDBase7:
      size = header_[kDBase4BlockSizeOffset] | (header_[kDBase4BlockSizeOffset + 1] << 8);
      break;
    case kFormatFoxPro:
      size = (header_[kFoxProBlockSizeOffset] << 8) | header_[kFoxProBlockSizeOffset + 1];
      break;
    default:
      return kDBase3BlockSize;
  }
  // A zero block size would put every memo on the header; no writer makes one.
  return size > 0 ? size : kDBase3BlockSize;
}

int TDbfBlobHandle::Create() {
  std::string name = MemoFileName(owner_->FileName(), Format());
  if (!file_.Create(name)) return kDbfCannotOpen;
  std::memset(header_, 0, sizeof header_);
  if (Format() == kFormatFoxPro) {
    StoreBE32(kMemoHeaderSize / kFoxProBlockSize, header_ + kMemoNextFree);
    header_[kFoxProBlockSizeOffset] = 0;
    header_[kFoxProBlockSizeOffset + 1] = kFoxProBlockSize;
  } else {
    StoreLE32(1, header_ + kMemoNextFree);
    header_[kDBaseVersionOffset] = 0x03;
    if (Format() != kFormatDBase3) {
      header_[kDBaseVersionOffset] = 0;
      // The table's name without folder and extension, as dBASE IV keeps it.
      std::string table = owner_->FileName();
      size_t slash = table.find_last_of("/\\");
      table = table.substr(slash == std::string::npos ? 0 : slash + 1);
      table = table.substr(0, table.find('.'));
      std::memcpy(header_ + kDBase4FileNameOffset, table.data(), std::min<size_t>(table.size(), 8));
      header_[kDBase4BlockSizeOffset] = kDBase4BlockSize & 0xFF;
      header_[kDBase4BlockSizeOffset + 1] = kDBase4BlockSize >> 8;
    }
  }
  return file_.WriteAt(0, header_, sizeof header_) ? kDbfOk : kDbfCannotWrite;
}

int TDbfBlobHandle::FieldBlock(const char* record, int field_no, int32_t* block) const {
  *block = 0;
  TDbfField* field = owner_->Header()->FieldByNumber(field_no);
  if (field == nullptr || field->Rule() != FieldRule::kBlock) return kDbfInvalidParameter;
  if (!field->GetData(record, block)) *block = 0;
  return kDbfOk;
}

uint64_t TDbfBlobHandle::DataStart(int32_t block) const {
  // dBASE III memos have no block header: their data starts at the block.
  uint64_t start = static_cast<uint64_t>(block) * static_cast<uint64_t>(BlockSize());
  return Format() == kFormatDBase3 ? start : start + kMemoBlockHeaderSize;
}

int TDbfBlobHandle::DBase3MemoSize(uint64_t data_start, uint32_t* size) {
  char chunk[kScanChunk + 1];
  uint64_t offset = data_start;
  bool previous_was_marker = false;
  for (;;) {
    int64_t n = file_.ReadAt(offset, chunk, kScanChunk);
    if (n <= 0) break;
    for (int64_t i = 0; i < n; ++i) {
      bool marker = chunk[i] == kEndOfFileMarker;
      if (marker && previous_was_marker) {
        *size = static_cast<uint32_t>(offset + static_cast<uint64_t>(i) - 1 - data_start);
        return kDbfOk;
      }
      previous_was_marker = marker;
    }
    offset += static_cast<uint64_t>(n);
  }
  *size = kDBase3BlockSize;
  return kDbfOk;
}

int TDbfBlobHandle::MemoSize(int32_t block, uint32_t* size) {
  if (!file_.IsOpen()) return kDbfCannotSeek;
  uint64_t block_start = static_cast<uint64_t>(block) * static_cast<uint64_t>(BlockSize());
  // dBASE III blocks have no header: an empty memo at the end of the file is
  // just its two terminator bytes. Only a block past the end is unreadable.
  if (Format() == kFormatDBase3) {
    if (static_cast<int64_t>(block_start) >= file_.Size()) return kDbfCannotRead;
    return DBase3MemoSize(block_start, size);
  }
  uint8_t block_header[kMemoBlockHeaderSize];
  if (file_.ReadAt(block_start, block_header, sizeof block_header) != kMemoBlockHeaderSize) return kDbfCannotRead;
  uint32_t stored;
  switch (Format()) {
    case kFormatDBase4: case kFormatDBase5: case kFormatDBase7: {
      uint32_t length = LoadLE32(block_header + 4);
      stored = length >= kMemoBlockHeaderSize ? length - kMemoBlockHeaderSize : 0;
      break;
    }
    case kFormatFoxPro:
      stored = LoadBE32(block_header + 4);
      break;
    default:
      *size = kDBase3BlockSize;
      return kDbfOk;
  }
  // A damaged block header may claim more than the file holds; the memo
  // cannot be longer than what follows its header.
  uint64_t available = static_cast<uint64_t>(std::max<int64_t>(file_.Size(), 0)) - block_start - kMemoBlockHeaderSize;
  *size = static_cast<uint32_t>(std::min<uint64_t>(stored, available));
  return kDbfOk;
}

int TDbfBlobHandle::GetBlobSize(const char* record, int field_no, uint32_t* size) {
  *size = 0;
  int32_t block;
  if (FieldBlock(record, field_no, &block) != kDbfOk || block <= 0) return kDbfOk;
  return MemoSize(block, size);
}

int TDbfBlobHandle::ReadBlob(const char* record, int field_no, uint32_t offset, char* dest, uint32_t count,
                             uint32_t* read) {
  *read = 0;
  int32_t block;
  int code = FieldBlock(record, field_no, &block);
  if (code != kDbfOk) return code;
  if (block <= 0) return kDbfOk;
  if (!file_.IsOpen()) return kDbfCannotSeek;
  int64_t n = file_.ReadAt(DataStart(block) + offset, dest, count);
  if (n < 0) return kDbfCannotRead;
  *read = static_cast<uint32_t>(n);
  TDbfField* field = owner_->Header()->FieldByNumber(field_no);
  if (field->GetDataType() == ftMemo && owner_->ReadTable() != nullptr)
    TranslateBytes(dest, *read, owner_->ReadTable());
  return *read < count ? kDbfEndOfBlob : kDbfOk;
}

int TDbfBlobHandle::ReadWhole(const char* record, int field_no, uint32_t limit, std::string* data) {
  data->clear();
  int32_t block;
  int code = FieldBlock(record, field_no, &block);
  if (code != kDbfOk || block <= 0) return code;
  uint32_t size = 0;
  code = MemoSize(block, &size);
  if (code != kDbfOk) return code;
  data->resize(std::min(size, limit));
  int64_t n = file_.ReadAt(DataStart(block), data->data(), data->size());
  if (n < 0) return kDbfCannotRead;
  data->resize(static_cast<size_t>(n));
  return kDbfOk;
}

int TDbfBlobHandle::EnsureWritable() {
  if (owner_->IsReadOnly()) return kDbfReadOnly;
  if (file_.IsOpen()) return kDbfOk;
  // A table whose memo file was never made gets one now; an existing file
  // that could not be opened is never replaced.
  std::string name = MemoFileName(owner_->FileName(), Format());
  SharedFile probe;
  if (probe.Open(name, FileAccess::kRead, FileShare::kDenyNone)) return kDbfCannotOpen;
  return Create();
}

uint32_t TDbfBlobHandle::NextFreeBlock() const {
  uint32_t next = Format() == kFormatFoxPro ? LoadBE32(header_ + kMemoNextFree) : LoadLE32(header_ + kMemoNextFree);
  // Never hand out a block below the end of the file, whatever the header
  // says, and never the header's own blocks.
  uint64_t block_size = static_cast<uint64_t>(BlockSize());
  int64_t file_size = file_.Size();
  uint64_t end_block = file_size > 0 ? (static_cast<uint64_t>(file_size) + block_size - 1) / block_size : 0;
  uint64_t header_blocks = (kMemoHeaderSize + block_size - 1) / block_size;
  return static_cast<uint32_t>(std::max({static_cast<uint64_t>(next), end_block, header_blocks}));
}

int TDbfBlobHandle::StoreMemo(char* record, int field_no, std::string data) {
  TDbfField* field = owner_->Header()->FieldByNumber(field_no);
  if (data.empty()) {
    field->SetData(record, nullptr);
    return kDbfOk;
  }
  const uint32_t block_size = static_cast<uint32_t>(BlockSize());
  const uint32_t block = NextFreeBlock();
  std::string image;
  switch (Format()) {
    case kFormatDBase3:
      image = std::move(data);
      image.append(2, kEndOfFileMarker);
      break;
    case kFormatFoxPro: {
      image.assign(kMemoBlockHeaderSize, '\0');
      uint32_t type = field->GetDataType() == ftMemo ? kFoxProText : kFoxProPicture;
      StoreBE32(type, reinterpret_cast<uint8_t*>(image.data()));
      StoreBE32(static_cast<uint32_t>(data.size()), reinterpret_cast<uint8_t*>(image.data()) + 4);
      image += data;
      break;
    }
    default: {
      image.assign(reinterpret_cast<const char*>(kDBase4BlockMark), 4);
      image.append(4, '\0');
      StoreLE32(static_cast<uint32_t>(data.size() + kMemoBlockHeaderSize),
                reinterpret_cast<uint8_t*>(image.data()) + 4);
      image += data;
      break;
    }
  }
  const uint32_t blocks = static_cast<uint32_t>((image.size() + block_size - 1) / block_size);
  image.resize(static_cast<size_t>(blocks) * block_size, '\0');
  if (!file_.WriteAt(static_cast<uint64_t>(block) * block_size, image.data(), image.size())) return kDbfCannotWrite;
  uint32_t next = block + blocks;
  if (Format() == kFormatFoxPro) StoreBE32(next, header_ + kMemoNextFree);
  else StoreLE32(next, header_ + kMemoNextFree);
  if (!file_.WriteAt(kMemoNextFree, header_ + kMemoNextFree, 4)) return kDbfCannotWrite;
  int32_t block_number = static_cast<int32_t>(block);
  field->SetData(record, &block_number);
  return kDbfOk;
}

int TDbfBlobHandle::WriteBlob(char* record, int field_no, uint32_t offset, const char* data, uint32_t count) {
  TDbfField* field = owner_->Header()->FieldByNumber(field_no);
  if (field == nullptr || field->Rule() != FieldRule::kBlock) return kDbfInvalidParameter;
  int code = EnsureWritable();
  if (code != kDbfOk) return code;
  std::string memo;
  if (offset > 0) {
    code = ReadWhole(record, field_no, offset, &memo);
    if (code != kDbfOk) return code;
  }
  size_t kept = memo.size();
  memo.append(data, count);
  if (field->GetDataType() == ftMemo && owner_->WriteTable() != nullptr)
    TranslateBytes(memo.data() + kept, count, owner_->WriteTable());
  return StoreMemo(record, field_no, std::move(memo));
}

int TDbfBlobHandle::TruncateBlob(char* record, int field_no, uint32_t size) {
  TDbfField* field = owner_->Header()->FieldByNumber(field_no);
  if (field == nullptr || field->Rule() != FieldRule::kBlock) return kDbfInvalidParameter;
  int code = EnsureWritable();
  if (code != kDbfOk) return code;
  std::string memo;
  if (size > 0) {
    code = ReadWhole(record, field_no, size, &memo);
    if (code != kDbfOk) return code;
  }
  return StoreMemo(record, field_no, std::move(memo));
}

}  // namespace zarn
