// The action of the updater's button "aktualizuj": one server table copied
// into its local DBF file, or, with "do Tarvolu", handed over into the
// seed-trading program's file. The window calls it; tests call it without one.
#pragma once

#include <functional>
#include <string>

#include "dbf/dbf_table/ds_database.h"
#include "platform/widgets/message_box.h"
#include "updater/dbf_export.h"

namespace zarn {

class TServerConnection;

// The program state that the action works with. The window holds one.
struct TAktualizace {
  explicit TAktualizace(TServerConnection& spojeni) : Spojeni(spojeni) {}

  TServerConnection& Spojeni;
  TDsDatabase Slozka;          // the DBF folder
  bool JenNove = false;        // "/JENNOVY": copy adresar and cenik only when changed
  bool Interaktivni = true;    // false in an automatic run: no completion message
  std::string ZembuIni = "zembu.ini";
  // The message dialog: text (Windows-1250) and icon.
  std::function<void(const std::string&, TMsgIcon)> Zprava;
  TPrubehKopie Prubeh;         // rows written; may be empty
};

// The DBF work runs with this short date format; the action restores the
// one in force before.
inline constexpr char kFormatDataDbf[] = "dd.mm.yyyy";

// "Číselník <NAME> nelze aktualizovat. Je obsazen." and
// "Aktualizace souboru <NAME> dokončena.", Windows-1250.
std::string ZpravaObsazeno(const std::string& tabulka);
std::string ZpravaDokonceno(const std::string& tabulka);

// The action for `tabulka` (one of kTabulky). With `do_tarvolu` it is the
// hand-over (DoTarvol). Otherwise: for adresar and cenik the change check
// (in the only-new mode an unchanged table ends the action without a word);
// for prace the table is first rebuilt on the server; then the query, and
// the copy into "<tabulka>.dbf". A failed copy shows ZpravaObsazeno with the
// stop icon, always; ZpravaDokonceno follows in interactive runs. Server
// errors are raised to the caller. The short date format is the same
// afterwards.
void Aktualizuj(TAktualizace& a, const std::string& tabulka, bool vyber, bool do_tarvolu);

}  // namespace zarn
