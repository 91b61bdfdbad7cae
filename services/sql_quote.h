// The one way a text value enters an SQL statement of the programs.
#pragma once

#include <string>
#include <string_view>

namespace zarn {

// Returns text between two `quote` characters, ready to paste into a
// statement: every `quote` inside is doubled, and every backslash is written
// as two. The connection runs with an empty sql_mode, in which a backslash
// escapes the next character, so an unescaped value ending in a backslash
// would swallow its closing quote. A NUL byte becomes "\0", since a statement
// cannot carry it raw. The text is Windows-1250, a single-byte code page, so
// no multi-byte sequence can hide a quote or a backslash.
std::string QuoteSql(std::string_view text, char quote = '\'');

}  // namespace zarn
