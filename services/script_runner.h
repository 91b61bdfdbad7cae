// TScriptRunner sends a script of several statements to the server, one
// statement at a time, as the saves and deletes of the register need: the
// caller collects lines ("BEGIN;", the statements, "COMMIT;"), executes, and
// learns of the first statement the server refuses through OnError.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "services/connection.h"

namespace zarn {

// Splits script text into its statements at each ';' that stands outside
// quoted text ('…', "…", `…`; a backslash escapes inside the first two, as
// the connection's empty sql_mode reads it) and outside comments ("-- ",
// "#", "/* */"). Statements come back without their ';' and without blanks
// around them; empty ones are dropped.
std::vector<std::string> SplitSqlStatements(std::string_view script);

class TScriptRunner {
 public:
  // Called for the statement that failed, with its index among the script's
  // statements (counted from 0) and the server's error. The lines are still
  // there while it runs.
  using ErrorHandler = std::function<void(TScriptRunner& runner, int statement_index, const EServerError& error)>;

  explicit TScriptRunner(TServerConnection& connection) : connection_(connection) {}

  std::vector<std::string>& Lines() { return lines_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  // The lines joined by line breaks.
  std::string Text() const;

  ErrorHandler OnError;

  // Executes the statements of the lines in order and clears the lines. At
  // the first failing statement rolls back the transaction the script opened
  // (statements outside a transaction stay executed), calls OnError, clears
  // the lines and raises the error again: the statements after it are not run.
  void Execute();

 private:
  void RollBackOpenTransaction();

  TServerConnection& connection_;
  std::vector<std::string> lines_;
};

}  // namespace zarn
