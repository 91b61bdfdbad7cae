#include "services/sql_quote.h"

namespace zarn {

std::string QuoteSql(std::string_view text, char quote) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += quote;
  for (char c : text) {
    if (c == quote) {
      quoted += quote;
      quoted += quote;
    } else if (c == '\\') {
      quoted += "\\\\";
    } else if (c == '\0') {
      quoted += "\\0";
    } else {
      quoted += c;
    }
  }
  quoted += quote;
  return quoted;
}

}  // namespace zarn
