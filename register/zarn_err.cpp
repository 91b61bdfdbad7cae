#include "register/zarn_err.h"

#include <filesystem>

#include "platform/ini_file.h"
#include "platform/widgets/message_box.h"
#include "platform/win1250.h"
#include "services/connection.h"
#include "services/script_runner.h"

namespace zarn {

std::vector<std::string> ChybovyBlok(TDateTime moment, int statement_index, const std::string& message,
                                     const std::vector<std::string>& script) {
  std::vector<std::string> block = {
      std::string(37, '-'),
      "Zarn " + DateToStr(moment) + " " + TimeToStr(moment),
      "radek " + std::to_string(statement_index),
      "chyba " + message,
      "--",
  };
  block.insert(block.end(), script.begin(), script.end());
  return block;
}

namespace {

// Appends the lines to the log; false when it cannot be read or written. A
// log that exists but cannot be read is not overwritten, so no earlier
// failure is lost.
bool PridejDoLogu(const std::vector<std::string>& block) {
  std::vector<std::string> lines;
  std::error_code ignored;
  if (std::filesystem::exists(kZarnErr, ignored) && !ReadTextLines(kZarnErr, &lines)) return false;
  lines.insert(lines.end(), block.begin(), block.end());
  return WriteTextLines(kZarnErr, lines);
}

}  // namespace

void ZSQLProcessor1Error(TScriptRunner& runner, int statement_index, const EServerError& error,
                         TServerConnection& connection, QWidget* parent,
                         const std::function<void()>& ukonci_program) {
  if (!PridejDoLogu(ChybovyBlok(Now(), statement_index, error.what(), runner.Lines()))) {
    ShowApplicationError(parent, Utf8ToWin1250("Soubor zarn.err nelze zapsat."));
    return;
  }
  connection.Disconnect();
  TDotaz box;
  box.Text = Utf8ToWin1250("Nastala chyba SQL. Program bude ukončen.");
  box.PocetTlacitek = 1;
  box.Tlacitko1 = "OK";
  box.Ikona = TMsgIcon::Warning;
  box.Execute(parent);
  if (ukonci_program) ukonci_program();
}

}  // namespace zarn
