// TStream: a byte stream with a position, the base of the datasets' blob
// streams. A blob stream reads or writes the content of one blob field
// (memo, binary) of a record; the dataset creates it (CreateBlobStream).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarn {

enum TBlobStreamMode { bmRead, bmWrite, bmReadWrite };
enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Copies up to count bytes from the position on; returns the number copied.
  virtual int64_t Read(char* buffer, int64_t count) = 0;
  // Writes count bytes at the position; returns the number written.
  virtual int64_t Write(const char* buffer, int64_t count) = 0;
  // Moves the position; returns the new position.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t position) { Seek(position, soBeginning); }
  // The end position; the position is left where it was.
  int64_t Size();
  // Everything from the position to the end.
  std::string ReadRest();
  void WriteText(std::string_view text) { Write(text.data(), static_cast<int64_t>(text.size())); }
};

}  // namespace zarn
