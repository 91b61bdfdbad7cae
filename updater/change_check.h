// The change check of the export: a server table is copied in the only-new
// mode only when its last change differs from the one recorded at the
// previous run in [UpdateTable] of zembu.ini.
#pragma once

#include <string>

#include "platform/datetime.h"

namespace zarn {

class TIniFile;
class TServerConnection;

// Only these tables are checked; the others are always copied.
bool MaKontroluZmeny(const std::string& tabulka);

// The server's Update_time of the table ("SHOW TABLE STATUS LIKE '<name>'");
// an empty value reads as 0.
TDateTime CasZmenyTabulky(TServerConnection& spojeni, const std::string& tabulka);

// Reads the stamp of the table from `[UpdateTable]` of `zembu` (today minus
// 999 days when missing or unreadable), writes the server's current
// Update_time in its place at once, and returns whether the table is
// unchanged, i.e. both times name the same second. The stamp is written as
// date-time text in the current format settings.
bool TabulkaBezeZmeny(TServerConnection& spojeni, const std::string& tabulka, TIniFile& zembu);

}  // namespace zarn
