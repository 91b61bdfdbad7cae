#include "dbf/dbf_table/dbf_blob_stream.h"

#include <algorithm>
#include <cstring>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/dbf_table_errors.h"
#include "dbf/errors.h"
#include "platform/dataset/db_consts.h"

namespace zarn {

TBlobStream::TBlobStream(TDsDbfTable& dataset, TField& field, TBlobStreamMode mode)
    : dataset_(dataset), field_(field), buffer_(dataset.StateBuffer()), field_no_(field.FieldNo()) {
  if (dataset.State() == dsFilter) DatabaseErrorFmt(kSNotInFilter, {field.DisplayName()});
  TDbfHandle* handle = dataset.Handle();
  if (mode != bmRead) {
    if (std::string* slot = Slot()) slot->clear();
    if (field.ReadOnly()) DatabaseErrorFmt(kSFieldReadOnly, {field.DisplayName()});
    if (dataset.State() != dsEdit && dataset.State() != dsInsert) DatabaseError(kSNotEditing);
  } else if (!field.Modified() && buffer_ == dataset.ActiveBuffer() && Slot() && !Slot()->empty()) {
    cached_ = true;
  }
  if (!buffer_ || !handle) return;  // an empty table: reads deliver nothing
  if (!cached_) {
    CheckDbfCode(OpenBlob(handle, buffer_, field_no_));
    CheckDbfCode(GetBlobSize(handle, buffer_, field_no_, &size_));
    collecting_ = mode == bmRead && !field.Modified() && buffer_ == dataset.ActiveBuffer();
  }
  if (mode == bmWrite) {
    CheckDbfCode(TruncateBlob(handle, buffer_, field_no_, 0));
    size_ = 0;
    modified_ = true;
  }
}

TBlobStream::~TBlobStream() {
  if (!modified_) return;
  try {
    field_.SetModified(true);
    dataset_.FieldChanged(field_);
  } catch (...) {
    HandleCurrentException();
  }
}

std::string* TBlobStream::Slot() const { return dataset_.BlobSlotOf(buffer_, field_); }

int64_t TBlobStream::BlobSize() const { return cached_ ? static_cast<int64_t>(Slot()->size()) : size_; }

int64_t TBlobStream::Read(char* buffer, int64_t count) {
  if (!buffer_ || count <= 0 || position_ >= BlobSize()) return 0;
  count = std::min(count, BlobSize() - position_);
  if (cached_) {
    std::memcpy(buffer, Slot()->data() + position_, static_cast<size_t>(count));
    position_ += count;
    return count;
  }
  uint32_t read = 0;
  const int code = ReadBlob(dataset_.Handle(), buffer_, field_no_, static_cast<uint32_t>(position_), buffer,
                            static_cast<uint32_t>(count), &read);
  if (code != kDbfEndOfBlob) CheckDbfCode(code);
  Collect(buffer, read);
  position_ += read;
  return read;
}

void TBlobStream::Collect(const char* data, int64_t count) {
  if (!collecting_) return;
  if (position_ != static_cast<int64_t>(collected_.size())) {
    collecting_ = false;  // read out of order: the pieces would not join up
    return;
  }
  collected_.append(data, static_cast<size_t>(count));
  if (collected_.size() < size_) return;
  if (std::string* slot = Slot()) *slot = std::move(collected_);
  collecting_ = false;
}

int64_t TBlobStream::Write(const char* buffer, int64_t count) {
  if (!buffer_ || count <= 0) return 0;
  TDbfHandle* handle = dataset_.Handle();
  CheckDbfCode(WriteBlob(handle, buffer_, field_no_, static_cast<uint32_t>(position_), buffer,
                         static_cast<uint32_t>(count)));
  position_ += count;
  size_ = static_cast<uint32_t>(position_);  // the memo now ends with what was written
  modified_ = true;
  collecting_ = false;
  if (std::string* slot = Slot()) slot->clear();
  return count;
}

int64_t TBlobStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: position_ = offset; break;
    case soCurrent: position_ += offset; break;
    case soEnd: position_ = BlobSize() + offset; break;
  }
  position_ = std::max<int64_t>(position_, 0);
  return position_;
}

}  // namespace zarn
