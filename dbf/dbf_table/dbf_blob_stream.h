// TBlobStream reads and writes the memo of one blob field of a DBF table's
// record buffer. A reading stream on the active record collects what it
// reads; once it has the whole memo, the text goes into the buffer's blob
// slot and later streams on that record read from there instead of the memo
// file. A writing stream stores what it is given as the field's new memo at
// once (the record image gets the new block number; posting the record keeps
// it).
#pragma once

#include <cstdint>
#include <string>

#include "platform/dataset/blob_stream.h"
#include "platform/dataset/dataset.h"

namespace zarn {

class TDsDbfTable;

class TBlobStream : public TStream {
 public:
  // Raises "Cannot access field '%s' in a filter" in the filter state, and
  // for writing "Field '%s' cannot be modified" on a read-only field and
  // "Dataset not in edit or insert mode" outside edit and insert.
  TBlobStream(TDsDbfTable& dataset, TField& field, TBlobStreamMode mode);
  // A stream that wrote marks the field modified and signals the change;
  // an error there goes to the application's handler.
  ~TBlobStream() override;

  int64_t Read(char* buffer, int64_t count) override;
  int64_t Write(const char* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

 private:
  std::string* Slot() const;
  int64_t BlobSize() const;
  // Keeps what a read delivered from position on; fills the slot once the
  // whole memo has been read in order.
  void Collect(const char* data, int64_t count);

  TDsDbfTable& dataset_;
  TField& field_;
  TRecordBuffer buffer_;
  int field_no_;
  bool modified_ = false;
  int64_t position_ = 0;
  bool cached_ = false;
  bool collecting_ = false;
  std::string collected_;
  uint32_t size_ = 0;  // the memo's size when the stream was opened (not cached)
};

}  // namespace zarn
