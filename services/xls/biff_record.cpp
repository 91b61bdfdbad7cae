#include "services/xls/biff_record.h"

#include <cassert>

#include "services/xls/little_endian.h"

namespace zarn {

size_t BeginBiffRecord(std::string& out, uint16_t type) {
  const size_t header_pos = out.size();
  PutU16(out, type);
  PutU16(out, 0);
  return header_pos;
}

void EndBiffRecord(std::string& out, size_t header_pos) {
  const size_t length = BiffRecordDataSize(out, header_pos);
  assert(length <= kMaxBiffRecordData);
  SetU16(out, header_pos + 2, static_cast<uint16_t>(length));
}

void AppendBiffRecord(std::string& out, uint16_t type, const std::string& data) {
  const size_t header_pos = BeginBiffRecord(out, type);
  out += data;
  EndBiffRecord(out, header_pos);
}

void AppendBof(std::string& out, uint16_t substream_type) {
  const size_t header_pos = BeginBiffRecord(out, kBiffBof);
  PutU16(out, 0x0600);  // BIFF8
  PutU16(out, substream_type);
  PutU16(out, 0x0DBB);  // build and year of the Excel 97 that writers imitate
  PutU16(out, 0x07CC);
  PutU32(out, 0);       // file history flags
  PutU32(out, 0x0006);  // lowest BIFF version that can read the file
  EndBiffRecord(out, header_pos);
}

void AppendEof(std::string& out) { EndBiffRecord(out, BeginBiffRecord(out, kBiffEof)); }

}  // namespace zarn
