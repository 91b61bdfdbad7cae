// Windows-1250 text: the one code page of the programs, the server connection
// and the DBF files. Text inside the programs is std::string holding these
// bytes; it becomes QString or UTF-8 only at the edges, through these calls.
#pragma once

#include <QList>
#include <QString>
#include <string>
#include <string_view>

namespace zarn {

// Unicode code point of one Windows-1250 byte. The five bytes the code page
// leaves unassigned (0x81 0x83 0x88 0x90 0x98) map to the C1 control point of
// the same value, so every byte survives a round trip.
char16_t Win1250ToUnicode(unsigned char byte);

// Windows-1250 byte of a code point, or '?' when the code page has none.
unsigned char UnicodeToWin1250(char32_t code_point);

QString FromWin1250(std::string_view text);
std::string ToWin1250(const QString& text);

std::string Win1250ToUtf8(std::string_view text);
// Invalid UTF-8 sequences become '?'.
std::string Utf8ToWin1250(std::string_view text);

}  // namespace zarn
