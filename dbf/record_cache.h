// RecordCache holds a window of consecutive record images read ahead from
// the table file, so that reading forwards or backwards costs one file read
// per capacity records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zarn {

class RecordCache {
 public:
  // Sets the capacity (at least 1 record) and the record length; empties the
  // window.
  void Reset(int capacity, int record_length);
  void Clear() { count_ = 0; }

  int Capacity() const { return capacity_; }
  int64_t First() const { return first_; }
  int Count() const { return count_; }
  bool Contains(int64_t record_no) const { return record_no >= first_ && record_no < first_ + count_; }
  // The image of a record in the window.
  char* Slot(int64_t record_no) {
    return buffer_.data() + static_cast<std::size_t>(record_no - first_) * static_cast<std::size_t>(record_length_);
  }

  // Room for a whole window, to be filled by one read followed by SetWindow.
  char* Data() { return buffer_.data(); }
  std::size_t ByteCapacity() const { return buffer_.size(); }
  void SetWindow(int64_t first, int count) {
    first_ = first;
    count_ = count;
  }

  // Makes room for record_no right after the window (the window grows by one
  // while it has room, otherwise restarts at the record) and returns its slot.
  char* AddRecord(int64_t record_no);

 private:
  std::vector<char> buffer_;
  int record_length_ = 0;
  int capacity_ = 1;
  int64_t first_ = 0;
  int count_ = 0;
};

}  // namespace zarn
