// The server tables that the updater copies, by the number under which the
// window's " Soubor " group and the automatic run know them.
#pragma once

#include <array>
#include <cctype>
#include <string>

namespace zarn {

inline constexpr std::array<const char*, 8> kTabulky = {"adresar", "cenik", "prace", "okres",
                                                         "ku",      "dealertopc", "druh", "odruda"};

// The table's name in capitals, as the messages and the progress label show
// it. The names are plain ASCII.
inline std::string Velkymi(std::string nazev) {
  for (char& c : nazev) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return nazev;
}

}  // namespace zarn
