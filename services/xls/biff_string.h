// Windows-1250 text as BIFF8 stores it: every string is either "compressed"
// (one byte per character, the low byte of a code point below U+0100, i.e.
// Latin-1) or UTF-16LE, chosen per string by a flags byte. Text that has only
// Latin-1 letters (ASCII, á é í ó ú ý) stays compressed; č ř š ž ě ů ň ť ď need
// UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zarn {

// The flags byte of a BIFF8 string: bit 0 set means UTF-16 characters.
constexpr uint8_t kBiffCompressed = 0x00;
constexpr uint8_t kBiffUtf16 = 0x01;

// Longest text of one cell that Excel accepts; longer cell text is cut.
constexpr size_t kMaxBiffCellChars = 32767;

// True when every character of the Windows-1250 text has a code point below
// U+0100, so that the string can be stored compressed.
bool FitsBiffCompressed(std::string_view win1250);

// Appends characters [from, from + count) of the Windows-1250 text, one byte
// each when `compressed`, else two (UTF-16LE).
void AppendBiffCharacters(std::string& out, std::string_view win1250, size_t from, size_t count, bool compressed);

// Appends a string with an 8-bit character count (font and sheet names);
// the text must be at most 255 characters.
void AppendBiffShortString(std::string& out, std::string_view win1250);

// Appends a string with a 16-bit character count (number formats).
void AppendBiffString(std::string& out, std::string_view win1250);

}  // namespace zarn
