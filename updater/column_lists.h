// What the updater selects from a server table: the column lists of the two
// modes " Jak " offers, the hand-over's lists, and the statements around them.
#pragma once

#include <string>
#include <vector>

namespace zarn {

class TServerConnection;

// The fixed list of the mode "výběr" for adresar, cenik and odruda; empty for
// every other table.
std::string PevnyVyber(const std::string& tabulka);

// The columns that "SHOW FIELDS FROM <tabulka>" reports, in the reported
// order, without those named in `vynechat` (compared without regard to case),
// joined by "," without blanks. A table whose only columns are left out gives
// an empty list, which makes the query built from it fail at the server.
std::string SloupceTabulky(TServerConnection& spojeni, const std::string& tabulka,
                           const std::vector<std::string>& vynechat);

// The export's list: the fixed "výběr" list where the table has one, else
// every column except id. (Tables without a fixed selection would otherwise
// reuse whatever list the previous export left behind.)
std::string SloupceExportu(TServerConnection& spojeni, const std::string& tabulka, bool vyber);

// The hand-over's list: every column except id, for adresar also without
// lic_vnitro, which the seed-trading program's file does not keep.
std::string SloupcePredani(TServerConnection& spojeni, const std::string& tabulka);

// "select <sloupce> from <tabulka>", for ku with a second line "order by nazev".
std::string DotazNaTabulku(const std::string& tabulka, const std::string& sloupce);

// Rebuilds the derived table prace on the server from the price list: the
// lots worked on (non-empty prace) under the column name PARTIE.
void PrestavPraci(TServerConnection& spojeni);
// The query that reads it, ordered by lot.
inline constexpr char kDotazPrace[] = "select * from prace order by partie";

}  // namespace zarn
