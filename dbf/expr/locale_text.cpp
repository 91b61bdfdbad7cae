#include "dbf/expr/locale_text.h"

#include <QChar>

#include "platform/dataset/text_compare.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

using ByteTable = std::array<unsigned char, 256>;

// Builds a byte mapping from the Unicode case mapping of each character of
// the code page; a character whose counterpart lies outside the code page
// keeps its byte.
ByteTable BuildCaseTable(bool upper) {
  ByteTable table;
  for (int byte = 0; byte < 256; ++byte) {
    const char16_t original = Win1250ToUnicode(static_cast<unsigned char>(byte));
    const QChar mapped = upper ? QChar(original).toUpper() : QChar(original).toLower();
    const unsigned char back = UnicodeToWin1250(mapped.unicode());
    table[byte] = Win1250ToUnicode(back) == mapped.unicode() ? back : static_cast<unsigned char>(byte);
  }
  return table;
}

std::string MapBytes(std::string_view text, const ByteTable& table) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
  return result;
}

}  // namespace

const ByteTable& UpperCaseTable() {
  static const ByteTable table = BuildCaseTable(true);
  return table;
}

const ByteTable& LowerCaseTable() {
  static const ByteTable table = BuildCaseTable(false);
  return table;
}

std::string AnsiUpperCase(std::string_view text) { return MapBytes(text, UpperCaseTable()); }
std::string AnsiLowerCase(std::string_view text) { return MapBytes(text, LowerCaseTable()); }

int AnsiCompareStr(std::string_view a, std::string_view b) { return a == b ? 0 : CompareCollated(a, b, false); }
int AnsiCompareText(std::string_view a, std::string_view b) { return a == b ? 0 : CompareCollated(a, b, true); }

bool SameTextByLocale(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const ByteTable& upper = UpperCaseTable();
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper[static_cast<unsigned char>(a[i])] != upper[static_cast<unsigned char>(b[i])]) return false;
  }
  return true;
}

}  // namespace zarn
