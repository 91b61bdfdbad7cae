// Small routines shared by both programs: the date text of SQL statements,
// folder creation and starting another program.
#pragma once

#include <string>
#include <vector>

#include "platform/datetime.h"

namespace zarn {

// Year, month and day without leading zeros joined by "-": 7 March 2024 gives
// "2024-3-7".
std::string DatumSQL(TDateTime date);

// Creates a folder and its missing parents; both separators are accepted. An
// empty path gives false; one trailing separator is ignored; a path shorter
// than 3 characters or an existing folder gives true. Otherwise returns
// whether the parent (when the path names one) and the folder were created.
bool VytvorSlozku(const std::string& path);

// Starts a process from a command line (blanks separate the arguments, double
// quotes group them; a program named without a folder is looked for in the
// working folder first, then on PATH). The hidden flag has no effect here:
// there is no console window to hide. With wait set, waits until the process
// ends. Returns whether the process started.
bool SpustProgram(const std::string& command_line, bool hidden, bool wait);

// Splits a command line by the rules above.
std::vector<std::string> SplitCommandLine(const std::string& command_line);

}  // namespace zarn
