#include "services/xls/workbook_globals.h"

#include <cassert>

#include "services/xls/biff_record.h"
#include "services/xls/biff_string.h"
#include "services/xls/cell_styles.h"
#include "services/xls/little_endian.h"

namespace zarn {
namespace {

constexpr uint16_t kCodepageUtf16 = 1200;  // BIFF8 text is Unicode whatever the workstation
constexpr uint16_t kNormalWeight = 400;
constexpr uint16_t kBoldWeight = 700;
// The font table skips index 4 (a relic of BIFF4), so the fifth FONT record
// has index 5.
constexpr uint16_t kBoldFont = 5;
constexpr uint16_t kDateFormat = 164;  // the first index of custom number formats
constexpr uint16_t kDateTimeFormat = 165;
constexpr uint16_t kTimeFormat = 166;

void AppendWindow1(std::string& out) {
  const size_t header_pos = BeginBiffRecord(out, kBiffWindow1);
  PutU16(out, 0);       // left
  PutU16(out, 0);       // top
  PutU16(out, 0x3A5C);  // width in twips
  PutU16(out, 0x23BE);  // height in twips
  PutU16(out, 0x0038);  // show scroll bars and sheet tabs
  PutU16(out, 0);       // active sheet
  PutU16(out, 0);       // first visible tab
  PutU16(out, 1);       // selected sheets
  PutU16(out, 0x0258);  // tab bar width ratio (600/1000)
  EndBiffRecord(out, header_pos);
}

void AppendU16Record(std::string& out, uint16_t type, uint16_t value) {
  const size_t header_pos = BeginBiffRecord(out, type);
  PutU16(out, value);
  EndBiffRecord(out, header_pos);
}

void AppendFont(std::string& out, uint16_t weight) {
  const size_t header_pos = BeginBiffRecord(out, kBiffFont);
  PutU16(out, 200);     // 10 points in twentieths
  PutU16(out, 0);       // not italic, struck out, outlined or shadowed
  PutU16(out, 0x7FFF);  // automatic colour
  PutU16(out, weight);
  PutU16(out, 0);  // neither superscript nor subscript
  PutU8(out, 0);   // not underlined
  PutU8(out, 0);   // font family: don't care
  PutU8(out, 0xEE);  // Central European character set
  PutU8(out, 0);
  AppendBiffShortString(out, "Arial");
  EndBiffRecord(out, header_pos);
}

void AppendFormat(std::string& out, uint16_t index, std::string_view format) {
  const size_t header_pos = BeginBiffRecord(out, kBiffFormat);
  PutU16(out, index);
  AppendBiffString(out, format);
  EndBiffRecord(out, header_pos);
}

// Flags of an XF record: a style format has no parent (0xFFF); a cell format
// inherits from style 0. Both are locked, as Excel's defaults are.
constexpr uint16_t kStyleXfFlags = 0xFFF5;
constexpr uint16_t kCellXfFlags = 0x0001;
// Attribute groups an XF sets itself instead of taking from its parent.
constexpr uint8_t kOwnNumberFormat = 0x04;
constexpr uint8_t kOwnFont = 0x08;
constexpr uint8_t kStyleXfAttributes = 0xF4;

void AppendXf(std::string& out, uint16_t font, uint16_t format, uint16_t flags, uint8_t attributes) {
  const size_t header_pos = BeginBiffRecord(out, kBiffXf);
  PutU16(out, font);
  PutU16(out, format);
  PutU16(out, flags);
  PutU8(out, 0x20);  // general horizontal alignment, bottom vertical alignment
  PutU8(out, 0);     // no rotation
  PutU8(out, 0);     // no indent
  PutU8(out, attributes);
  PutU32(out, 0);       // no borders
  PutU32(out, 0);       // no border colours, no fill
  PutU16(out, 0x20C0);  // fill colours: system window text and background
  EndBiffRecord(out, header_pos);
}

// Style formats 0-14 as Excel writes them, then the cell formats of
// XlsCellStyle in its order.
void AppendCellFormats(std::string& out) {
  AppendXf(out, 0, 0, kStyleXfFlags, 0);
  for (uint16_t font : {1, 1, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) {
    AppendXf(out, font, 0, kStyleXfFlags, kStyleXfAttributes);
  }
  AppendXf(out, 0, 0, kCellXfFlags, 0);                                  // kXfGeneral
  AppendXf(out, kBoldFont, 0, kCellXfFlags, kOwnFont);                   // kXfHeader
  AppendXf(out, 0, kDateFormat, kCellXfFlags, kOwnNumberFormat);         // kXfDate
  AppendXf(out, 0, kDateTimeFormat, kCellXfFlags, kOwnNumberFormat);     // kXfDateTime
  AppendXf(out, 0, kTimeFormat, kCellXfFlags, kOwnNumberFormat);         // kXfTime
  static_assert(kXfGeneral == 15 && kXfHeader == 16 && kXfDate == 17 && kXfDateTime == 18 && kXfTime == 19);
}

// The built-in "Normal" style over XF 0.
void AppendNormalStyle(std::string& out) {
  const size_t header_pos = BeginBiffRecord(out, kBiffStyle);
  PutU16(out, 0x8000);  // built-in style, XF 0
  PutU8(out, 0);        // "Normal"
  PutU8(out, 0xFF);     // no outline level
  EndBiffRecord(out, header_pos);
}

// Appends a visible worksheet's BOUNDSHEET with its stream position still
// zero; returns where that position lies in `out`.
size_t AppendBoundSheet(std::string& out, const std::string& name) {
  const size_t header_pos = BeginBiffRecord(out, kBiffBoundSheet);
  const size_t offset_pos = out.size();
  PutU32(out, 0);
  PutU8(out, 0);  // visible
  PutU8(out, 0);  // worksheet
  AppendBiffShortString(out, name);
  EndBiffRecord(out, header_pos);
  return offset_pos;
}

}  // namespace

std::string BuildWorkbookGlobals(const std::vector<std::string>& sheet_names,
                                 const std::vector<uint64_t>& sheet_offsets, const SharedStringTable& strings) {
  assert(sheet_names.size() == sheet_offsets.size());
  std::string out;
  AppendBof(out, kBofGlobals);
  AppendU16Record(out, kBiffCodepage, kCodepageUtf16);
  AppendWindow1(out);
  AppendU16Record(out, kBiffDateMode, 0);  // dates count from 1900
  for (int i = 0; i < 4; ++i) AppendFont(out, kNormalWeight);
  AppendFont(out, kBoldWeight);
  AppendFormat(out, kDateFormat, "d.m.yyyy");
  AppendFormat(out, kDateTimeFormat, "d.m.yyyy h:mm:ss");
  AppendFormat(out, kTimeFormat, "h:mm:ss");
  AppendCellFormats(out);
  AppendNormalStyle(out);
  std::vector<size_t> offset_positions;
  for (const std::string& name : sheet_names) offset_positions.push_back(AppendBoundSheet(out, name));
  strings.AppendRecords(out);
  AppendEof(out);
  for (size_t i = 0; i < offset_positions.size(); ++i) {
    SetU32(out, offset_positions[i], static_cast<uint32_t>(out.size() + sheet_offsets[i]));
  }
  return out;
}

}  // namespace zarn
