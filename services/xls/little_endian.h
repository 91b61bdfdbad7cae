// Little-endian integers appended to a byte string: the byte order of both
// the compound file and the BIFF8 records inside it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace zarn {

inline void PutU8(std::string& out, uint8_t value) { out.push_back(static_cast<char>(value)); }

inline void PutU16(std::string& out, uint16_t value) {
  const char bytes[2] = {static_cast<char>(value), static_cast<char>(value >> 8)};
  out.append(bytes, 2);
}

inline void PutU32(std::string& out, uint32_t value) {
  const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                         static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
  out.append(bytes, 4);
}

inline void PutU64(std::string& out, uint64_t value) {
  PutU32(out, static_cast<uint32_t>(value));
  PutU32(out, static_cast<uint32_t>(value >> 32));
}

// IEEE 754 double in little-endian order, as the NUMBER record stores it.
inline void PutF64(std::string& out, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU64(out, bits);
}

// Overwrites four bytes at `pos` of `out` (which must already hold them).
inline void SetU32(std::string& out, size_t pos, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[pos + i] = static_cast<char>(value >> (8 * i));
}

inline void SetU16(std::string& out, size_t pos, uint16_t value) {
  out[pos] = static_cast<char>(value);
  out[pos + 1] = static_cast<char>(value >> 8);
}

}  // namespace zarn
