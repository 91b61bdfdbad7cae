// Names of the worksheets of an export. The first sheet carries the name the
// caller gives; when the list continues on further sheets they are named with
// " 2", " 3" ... after it. Excel allows 31 characters, so the base name is cut
// to make room for the suffix ("Evidence licenčních poplatků" has 28, so its
// sheets up to " 99" keep the whole name).
#pragma once

#include <string>
#include <string_view>

namespace zarn {

constexpr size_t kMaxSheetNameChars = 31;

// Name of sheet `number` (1-based) of an export named `base` (Windows-1250).
// The characters that Excel forbids in sheet names (: \ / ? * [ ]) become '_';
// an empty base becomes "List".
std::string XlsSheetName(std::string_view base, int number);

}  // namespace zarn
