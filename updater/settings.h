// The updater's settings: its own ".\zembu.ini" (section TForm1), the server
// in the [LogON] section of "..\Tarvol05.ini" that the product family shares,
// and the command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "services/connection.h"

namespace zarn {

// Keys of [TForm1] in zembu.ini, named as stored; texts are Windows-1250.
struct TNastaveniZembu {
  std::string EditIP_Text = "localhost";
  std::string EditCoDelat_Text;    // digits of the tables of an automatic run
  std::string EditDoTarvol_Text;   // "ANO" switches the hand-over mode on
  std::string EditCestaData_Text;  // folder of the DBF files, separators made '/'
  std::string TarvolCesta;         // folder of the seed-trading program

  bool RezimPredani() const { return EditDoTarvol_Text == "ANO"; }
};

// Reads [TForm1] of `zembu_ini`; missing keys take "localhost", "", "",
// "data\" and, for TarvolCesta, "../tarvol". On Windows the seed-trading
// program always lives in "c:\tromix\tarvol"; elsewhere that drive does not
// exist, so its folder is a setting.
TNastaveniZembu NactiNastaveniZembu(const std::string& zembu_ini = "zembu.ini");

// A folder as written in an INI file ("data\", "..\tarvol") with '/' for
// either separator, so that it works on every system.
std::string SlozkaZIni(std::string path);

// The connection settings: user "root" with an empty password when the host
// is exactly "localhost", then IP, User, Password, SQLport and Database of
// [LogON] in `tarvol_ini` (defaults: the values so far, "3306", "tarvol"),
// and the compressed protocol. A port that is not a whole number raises
// EConvertError.
TConnectionSettings SpojeniZembu(const TNastaveniZembu& nastaveni,
                                 const std::string& tarvol_ini = "../Tarvol05.ini");

// The only-new mode: the first argument after the program's name, upper-cased,
// is "/JENNOVY". Later arguments are ignored.
bool JenNoveZArgumentu(const std::vector<std::string>& arguments);

// The table numbers of an automatic run: each digit 0 to 7 that occurs in
// `co_delat`, once, in ascending order. Other characters (8 and 9 included)
// name no table.
std::vector<int> CislaTabulek(std::string_view co_delat);

}  // namespace zarn
