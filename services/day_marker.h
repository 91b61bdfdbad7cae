// First-start-of-the-day markers. Each marker is a date in the current short
// date format under [Dnes] Datum of the program's own INI file, or under
// [Tarvol-Dnes] Datum of the product family's shared "../Tarvol05.ini".
// Reading a marker always sets it to today.
#pragma once

#include <string>

namespace zarn {

// The program's own marker in "./<name>.ini". Returns true when it already
// held today; a missing or unreadable date counts as 999 days ago.
bool UzDnesSpusteno(const std::string& name);

// The shared marker of the product family, with the same rules.
bool TarvolUzDnes();

}  // namespace zarn
