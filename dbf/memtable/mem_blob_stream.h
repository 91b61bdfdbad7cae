// TMemBlobStream: a byte stream over one blob field of a memory table. A
// stream that works on the record buffer of the table's state ("cached")
// reads and writes the buffer's text; any other stream reads the text stored
// in the row at the table's position and writes nothing.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dataset/blob_stream.h"

namespace zarn {

class TDsCustomMemTable;
class TField;

class TMemBlobStream : public TStream {
 public:
  // Takes the record buffer of the table's state. A stream for writing on a
  // field not yet modified raises "Field '%s' cannot be modified" for a
  // read-only field and "Dataset not in edit or insert mode" outside edit
  // and insert. bmWrite empties the text at once.
  TMemBlobStream(TDsCustomMemTable& table, TField& field, TBlobStreamMode mode);
  // A modified stream marks the field modified and tells the table that the
  // field changed; an error of that notice goes to the application's handler.
  ~TMemBlobStream() override;

  int64_t Read(char* buffer, int64_t count) override;
  int64_t Write(const char* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

 private:
  // The text the stream reads: the buffer's when cached, else the stored
  // row's (nullptr when there is none).
  const std::string* Text() const;

  TDsCustomMemTable& table_;
  TField& field_;
  TBlobStreamMode mode_;
  int blob_ = -1;                 // the field's blob index
  std::string* cached_ = nullptr; // the buffer's text when the stream is cached
  bool opened_ = false;
  bool modified_ = false;
  int64_t position_ = 0;
};

}  // namespace zarn
