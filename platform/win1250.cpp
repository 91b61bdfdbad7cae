#include "platform/win1250.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zarn {
namespace {

// Code points of the bytes 0x80..0xFF.
constexpr char16_t kHighHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

using ReverseEntry = std::pair<char16_t, unsigned char>;

// The high half sorted by code point, built once for the reverse lookup.
const std::array<ReverseEntry, 128>& ReverseTable() {
  static const std::array<ReverseEntry, 128> table = [] {
    std::array<ReverseEntry, 128> t{};
    for (int i = 0; i < 128; ++i) t[i] = {kHighHalf[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(t.begin(), t.end());
    return t;
  }();
  return table;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[*pos]; advances *pos. Returns U+FFFD for
// a malformed sequence (one byte consumed).
char32_t NextUtf8(std::string_view text, size_t* pos) {
  const auto lead = static_cast<unsigned char>(text[*pos]);
  const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
  if (extra == 0) { ++*pos; return lead; }
  if (extra < 0 || *pos + extra >= text.size()) { ++*pos; return 0xFFFD; }
  char32_t cp = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto c = static_cast<unsigned char>(text[*pos + i]);
    if ((c & 0xC0) != 0x80) { ++*pos; return 0xFFFD; }
    cp = (cp << 6) | (c & 0x3F);
  }
  *pos += extra + 1;
  return cp;
}

}  // namespace

char16_t Win1250ToUnicode(unsigned char byte) {
  return byte < 0x80 ? byte : kHighHalf[byte - 0x80];
}

unsigned char UnicodeToWin1250(char32_t cp) {
  if (cp < 0x80) return static_cast<unsigned char>(cp);
  const auto& table = ReverseTable();
  auto it = std::lower_bound(table.begin(), table.end(), ReverseEntry{static_cast<char16_t>(cp), 0});
  if (cp <= 0xFFFF && it != table.end() && it->first == cp) return it->second;
  return '?';
}

QString FromWin1250(std::string_view text) {
  QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
  QChar* data = out.data();
  for (size_t i = 0; i < text.size(); ++i)
    data[i] = QChar(Win1250ToUnicode(static_cast<unsigned char>(text[i])));
  return out;
}

std::string ToWin1250(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (uint cp : text.toUcs4()) out += static_cast<char>(UnicodeToWin1250(cp));
  return out;
}

std::string Win1250ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) AppendUtf8(out, Win1250ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToWin1250(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) out += static_cast<char>(UnicodeToWin1250(NextUtf8(text, &pos)));
  return out;
}

}  // namespace zarn
