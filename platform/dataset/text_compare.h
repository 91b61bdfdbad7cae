// Comparing Windows-1250 texts: the classic SameText (ASCII letters without
// regard to case, as field names are compared) and the collation of the
// user's locale that Locate and sorting use for values.
#pragma once

#include <string_view>

namespace zarn {

bool SameText(std::string_view a, std::string_view b);

// <0, 0 or >0 by the collation of the workstation's locale; with
// case_insensitive, letters that differ only in case compare equal.
int CompareCollated(std::string_view a, std::string_view b, bool case_insensitive);

}  // namespace zarn
