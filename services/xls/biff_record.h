// BIFF8 records: the unit of the Excel 97-2003 workbook stream. Each record
// is a 16-bit type, a 16-bit length and at most kMaxBiffRecordData bytes of
// data; longer data goes on in CONTINUE records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zarn {

constexpr size_t kMaxBiffRecordData = 8224;

// Record types written by the workbook writer.
enum BiffRecordType : uint16_t {
  kBiffDimensions = 0x0200,
  kBiffNumber = 0x0203,
  kBiffBof = 0x0809,
  kBiffEof = 0x000A,
  kBiffCodepage = 0x0042,
  kBiffWindow1 = 0x003D,
  kBiffDateMode = 0x0022,
  kBiffFont = 0x0031,
  kBiffFormat = 0x041E,
  kBiffXf = 0x00E0,
  kBiffStyle = 0x0293,
  kBiffBoundSheet = 0x0085,
  kBiffSst = 0x00FC,
  kBiffContinue = 0x003C,
  kBiffExtSst = 0x00FF,
  kBiffLabelSst = 0x00FD,
  kBiffWindow2 = 0x023E,
};

// Appends the header of a record of `type` with its length still open.
// Returns the position of the header, to be passed to EndBiffRecord.
size_t BeginBiffRecord(std::string& out, uint16_t type);

// Sets the length of the record begun at `header_pos` to the bytes appended
// since. The data must not exceed kMaxBiffRecordData.
void EndBiffRecord(std::string& out, size_t header_pos);

// Appends a whole record of `type` with `data`.
void AppendBiffRecord(std::string& out, uint16_t type, const std::string& data);

// Bytes of the data of the record begun at `header_pos` written so far.
inline size_t BiffRecordDataSize(const std::string& out, size_t header_pos) { return out.size() - header_pos - 4; }

// Appends the BOF record that opens a substream of `substream_type`
// (kBofGlobals or kBofWorksheet), as Excel 97 writes it.
constexpr uint16_t kBofGlobals = 0x0005;
constexpr uint16_t kBofWorksheet = 0x0010;
void AppendBof(std::string& out, uint16_t substream_type);

// Appends the EOF record that closes a substream.
void AppendEof(std::string& out);

}  // namespace zarn
