// Locale-dependent text operations of the expression language on
// Windows-1250 text: upper and lower case, collation and case-insensitive
// name comparison. Collation is platform/dataset's CompareCollated (the
// user's default locale); case mapping is that of the Windows-1250 code page.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zarn {

// Maps every byte of Windows-1250 to its upper-case byte: a-z to A-Z and the
// accented lower-case letters to their capitals (0x9A š to 0x8A Š, 0xE8 č to
// 0xC8 Č, 0xBE ľ to 0xBC Ľ ...). Bytes without a capital in the code page map
// to themselves.
const std::array<unsigned char, 256>& UpperCaseTable();
// The inverse mapping: capitals to their lower-case letters.
const std::array<unsigned char, 256>& LowerCaseTable();

std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);

// Compares two texts by the collation of the default locale. Returns a
// negative number, zero or a positive number. AnsiCompareText ignores case.
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);

// True when the texts are equal ignoring case, byte for byte through
// UpperCaseTable(). Used for looking up keywords, fields and functions.
bool SameTextByLocale(std::string_view a, std::string_view b);

}  // namespace zarn
