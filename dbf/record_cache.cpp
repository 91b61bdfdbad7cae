#include "dbf/record_cache.h"

namespace zarn {

void RecordCache::Reset(int capacity, int record_length) {
  capacity_ = capacity < 1 ? 1 : capacity;
  record_length_ = record_length;
  buffer_.assign(static_cast<size_t>(capacity_) * static_cast<size_t>(record_length_), '\0');
  first_ = 0;
  count_ = 0;
}

char* RecordCache::AddRecord(int64_t record_no) {
  if (count_ < capacity_ && count_ > 0 && record_no == first_ + count_) {
    ++count_;
  } else {
    first_ = record_no;
    count_ = 1;
  }
  return Slot(record_no);
}

}  // namespace zarn
