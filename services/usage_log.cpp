#include "services/usage_log.h"

#include "services/sql_quote.h"
#include "services/workstation.h"

namespace zarn {
namespace {

std::string Quoted(const std::string& value) { return QuoteSql(value, '"'); }

std::string QuotedTime(TDateTime value) { return Quoted(FormatDateTime("yyyy-mm-dd hh:nn:ss", value)); }

// Connects and reports whether the connection is open; a refused connect
// counts as not open.
bool TryConnect(TServerConnection& connection) {
  try {
    connection.Connect();
  } catch (const EServerError&) {
    return false;
  }
  return connection.Connected();
}

}  // namespace

std::string HistoryInsertSql(const HistoryEntry& e) {
  return "insert into historiem \n"
         "set modul = " + Quoted(e.modul) + ", pc = " + Quoted(e.pc) + ", stredisko = " + Quoted(e.stredisko) + ",\n"
         "datumcas = " + QuotedTime(e.datumcas) + ",\n"
         "ipadr = " + Quoted(e.ipadr) + ", computeruser = " + Quoted(e.computeruser) +
         ", computername = " + Quoted(e.computername) + ",\n"
         "mdatumcas = " + QuotedTime(e.mdatumcas) + ", mverze=" + Quoted(e.mverze);
}

bool ZapisHistorii(TServerConnection& connection, const std::string& sql_port, const std::string& open_port,
                   const std::string& cislo_pc, const std::string& stredisko, const std::string& modul) {
  const int port = PortFromText(sql_port);
  if (!open_port.empty()) {
    connection.Settings().Port = PortFromText(open_port);
    const bool open = TryConnect(connection);
    connection.Settings().Port = port;
    if (open) return false;
  }
  connection.Settings().Port = port;
  if (!TryConnect(connection)) return false;

  HistoryEntry entry;
  entry.modul = modul;
  entry.pc = cislo_pc;
  entry.stredisko = stredisko;
  entry.ipadr = LokalniIP();
  entry.computeruser = JmenoUzivatele();
  entry.computername = JmenoPocitace();
  connection.RunConnectionSetup();
  const std::string program = RunningProgramPath();
  entry.mdatumcas = DatumSouboru(program);
  entry.mverze = VerzeSouboru(program);
  entry.datumcas = Now();
  connection.Execute(HistoryInsertSql(entry));
  return true;
}

}  // namespace zarn
