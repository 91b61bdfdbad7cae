#include "services/xls/biff_string.h"

#include <array>
#include <cassert>

#include "platform/win1250.h"
#include "services/xls/little_endian.h"

namespace zarn {
namespace {

// Code points of all 256 bytes, looked up once instead of per character.
const std::array<char16_t, 256>& CodePoints() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = Win1250ToUnicode(static_cast<unsigned char>(b));
    return t;
  }();
  return table;
}

// Appends the flags byte and the characters of the whole text.
void AppendFlagsAndCharacters(std::string& out, std::string_view win1250) {
  const bool compressed = FitsBiffCompressed(win1250);
  PutU8(out, compressed ? kBiffCompressed : kBiffUtf16);
  AppendBiffCharacters(out, win1250, 0, win1250.size(), compressed);
}

}  // namespace

bool FitsBiffCompressed(std::string_view win1250) {
  const auto& points = CodePoints();
  for (const char c : win1250) {
    if (points[static_cast<unsigned char>(c)] > 0xFF) return false;
  }
  return true;
}

void AppendBiffCharacters(std::string& out, std::string_view win1250, size_t from, size_t count, bool compressed) {
  const auto& points = CodePoints();
  const std::string_view part = win1250.substr(from, count);
  if (compressed) {
    for (const char c : part) out.push_back(static_cast<char>(points[static_cast<unsigned char>(c)]));
    return;
  }
  for (const char c : part) PutU16(out, points[static_cast<unsigned char>(c)]);
}

void AppendBiffShortString(std::string& out, std::string_view win1250) {
  assert(win1250.size() <= 255);
  PutU8(out, static_cast<uint8_t>(win1250.size()));
  AppendFlagsAndCharacters(out, win1250);
}

void AppendBiffString(std::string& out, std::string_view win1250) {
  assert(win1250.size() <= 0xFFFF);
  PutU16(out, static_cast<uint16_t>(win1250.size()));
  AppendFlagsAndCharacters(out, win1250);
}

}  // namespace zarn
