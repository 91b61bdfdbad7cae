// The error handler of the register's script runner: a statement of a save or
// delete script that the server refuses is written to the log zarn.err in the
// program folder, and the register ends, since the record may now be half
// saved (a delete done, its insert not).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/datetime.h"

class QWidget;

namespace zarn {

class EServerError;
class TScriptRunner;
class TServerConnection;

inline constexpr char kZarnErr[] = "zarn.err";

// The block one failure adds to the log: a line of 37 hyphens, "Zarn" with
// the moment in the short date and long time formats, "radek" with the index
// of the failing statement (from 0), "chyba" with the server's message, "--",
// then every line of the script.
std::vector<std::string> ChybovyBlok(TDateTime moment, int statement_index, const std::string& message,
                                     const std::vector<std::string>& script);

// Appends the block to zarn.err (the file is read and written back whole),
// closes the connection, shows "Nastala chyba SQL. Program bude ukončen." with
// the warning icon and calls `ukonci_program`. When the log cannot be read or
// written, shows that instead and does nothing more: the program goes on and
// the old log is kept. The runner itself still raises the error afterwards,
// which abandons the save or delete.
void ZSQLProcessor1Error(TScriptRunner& runner, int statement_index, const EServerError& error,
                         TServerConnection& connection, QWidget* parent,
                         const std::function<void()>& ukonci_program);

}  // namespace zarn
