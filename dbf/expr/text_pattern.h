// The pattern equality of texts: '=' between two texts in a filter, unless
// the filter asks for plain equality. The right text is a pattern in which
// '?' matches any one character and '*' any run of characters, empty too.
#pragma once

#include <string_view>

namespace zarn {

// True when `text` matches `pattern`. Characters are compared byte by byte,
// exactly, or with `case_insensitive` after mapping both through
// UpperCaseTable(). A pattern without '*' matches only a text of its own
// length, and never an empty text: two empty texts do not match. With '*',
// the part before the first '*' must start the text, each part between two
// '*' is found in the rest of the text from the left (first place wins), and
// the part after the last '*' must end what remains.
bool MatchesTextPattern(std::string_view text, std::string_view pattern, bool case_insensitive);

}  // namespace zarn
