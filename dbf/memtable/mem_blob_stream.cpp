#include "dbf/memtable/mem_blob_stream.h"

#include <algorithm>
#include <cstring>

#include "dbf/memtable/custom_mem_table.h"
#include "platform/dataset/db_consts.h"

namespace zarn {

TMemBlobStream::TMemBlobStream(TDsCustomMemTable& table, TField& field, TBlobStreamMode mode)
    : table_(table), field_(field), mode_(mode) {
  const TMemFieldPlace* place = table_.PlaceOf(field_);
  TRecordBuffer buffer = table_.StateBuffer();
  if (!place || place->blob < 0 || !buffer) return;
  blob_ = place->blob;
  bool cached = buffer == table_.ActiveBuffer();
  if (!field_.Modified() && mode_ != bmRead) {
    if (field_.ReadOnly()) DatabaseErrorFmt(kSFieldReadOnly, {field_.DisplayName()});
    if (table_.State() != dsEdit && table_.State() != dsInsert) DatabaseError(kSNotEditing);
    cached = true;
  }
  if (cached) cached_ = &table_.BlobsOf(buffer)[blob_];
  opened_ = true;
  if (mode_ == bmWrite && cached_) {
    cached_->clear();
    modified_ = true;
  }
}

TMemBlobStream::~TMemBlobStream() {
  if (!modified_) return;
  if (opened_) field_.SetModified(true);
  try {
    table_.FieldChanged(field_);
  } catch (...) {
    HandleCurrentException();
  }
}

const std::string* TMemBlobStream::Text() const {
  if (cached_) return cached_;
  const int count = static_cast<int>(table_.rows_.size());
  if (count == 0) return nullptr;
  const int row = std::clamp(table_.position_, 0, count - 1);
  return &table_.rows_[row]->Blob(blob_);
}

int64_t TMemBlobStream::Read(char* buffer, int64_t count) {
  if (!opened_) return 0;
  const std::string* text = Text();
  if (!text) return 0;
  const int64_t available = static_cast<int64_t>(text->size()) - position_;
  count = std::max<int64_t>(0, std::min(count, available));
  std::memcpy(buffer, text->data() + position_, static_cast<size_t>(count));
  position_ += count;
  return count;
}

int64_t TMemBlobStream::Write(const char* buffer, int64_t count) {
  if (!opened_ || !cached_ || mode_ == bmRead || count <= 0) return 0;
  if (static_cast<int64_t>(cached_->size()) < position_ + count) cached_->resize(static_cast<size_t>(position_ + count));
  std::memcpy(cached_->data() + position_, buffer, static_cast<size_t>(count));
  position_ += count;
  modified_ = true;
  return count;
}

int64_t TMemBlobStream::Seek(int64_t offset, TSeekOrigin origin) {
  const std::string* text = opened_ ? Text() : nullptr;
  const int64_t size = text ? static_cast<int64_t>(text->size()) : 0;
  switch (origin) {
    case soBeginning: position_ = offset; break;
    case soCurrent: position_ += offset; break;
    case soEnd: position_ = size + offset; break;
  }
  position_ = std::max<int64_t>(0, position_);
  return position_;
}

}  // namespace zarn
