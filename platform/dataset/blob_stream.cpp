#include "platform/dataset/blob_stream.h"

namespace zarn {

int64_t TStream::Size() {
  const int64_t position = Position();
  const int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

std::string TStream::ReadRest() {
  std::string out;
  char chunk[8192];
  for (int64_t got; (got = Read(chunk, sizeof chunk)) > 0;) out.append(chunk, static_cast<size_t>(got));
  return out;
}

}  // namespace zarn
