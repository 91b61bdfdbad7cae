// The usage history: one row in the server table `historiem` for each start
// of the register, telling which program, workstation and centre started it,
// when, from which address and user, and which build it was.
#pragma once

#include <string>

#include "platform/datetime.h"
#include "services/connection.h"

namespace zarn {

// What one row of `historiem` records.
struct HistoryEntry {
  std::string modul;          // title of the calling program
  std::string pc;             // workstation number
  std::string stredisko;      // centre code
  TDateTime datumcas = 0;     // time of the start
  std::string ipadr;          // workstation IPv4 address
  std::string computeruser;   // logon name
  std::string computername;   // computer name
  TDateTime mdatumcas = 0;    // last-write time of the program file
  std::string mverze;         // file version of the program
};

// The insert of one history row: five lines joined by line breaks, every
// value in double quotes through QuoteSql, times as "yyyy-mm-dd hh:nn:ss".
std::string HistoryInsertSql(const HistoryEntry& entry);

// The register's connect step, which also writes the usage row. With a
// non-empty `open_port` first connects there; when that succeeds the
// connection stays on it, its port setting becomes `sql_port` for later
// connects, and false comes back with no set-up statements and no row. A
// failure of that attempt is silent. Otherwise connects on `sql_port`
// (false when that fails), runs the connection set-up statements and inserts
// the row of this start; returns true when the row was written.
// Ports are decimal texts; one that is not a number raises EConvertError
// before any connect. A failing set-up statement or insert raises the
// server's error and leaves the connection open.
bool ZapisHistorii(TServerConnection& connection, const std::string& sql_port, const std::string& open_port,
                   const std::string& cislo_pc, const std::string& stredisko, const std::string& modul);

}  // namespace zarn
