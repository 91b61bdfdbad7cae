// Text for the seed-trading program, whose files keep the DOS code page
// Kamenický (KEYBCS2).
#pragma once

#include <string>
#include <string_view>

namespace zarn {

// Windows-1250 text converted byte by byte: bytes below 0x80 stay, every other
// byte takes the Kamenický position of its letter, or a plain character for
// punctuation the code page lacks (typographic quotes, dashes).
std::string DoKamenickeho(std::string_view text);

}  // namespace zarn
