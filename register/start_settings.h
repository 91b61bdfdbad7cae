// The settings that the register reads at start, before it connects: its own
// ".\zarn.ini" (section TFmozno, written by the settings window) and then the
// [LogON] section that the product family shares in "..\Tarvol05.ini".
#pragma once

#include <string>

namespace zarn {

// All texts Windows-1250, the ports as the decimal text of the file.
struct TNastaveniStartu {
  std::string HostName;
  std::string User;
  std::string Password;
  std::string Database;
  std::string SqlPort;
  std::string OpenPort;
  std::string CisloPC;
  bool TestVerze = true;
};

// Reads the start settings in this order: the host, the workstation number and
// the version-check flag of `zarn_ini` (flag on exactly when the stored text is
// "True", case-sensitive); user "root" with an empty password when the host is
// exactly "localhost"; then every [LogON] key of `tarvol_ini` with the value so
// far as its default. Missing files or keys leave the defaults: "localhost",
// "00", check on, database "tarvol", port "3306", no opening port.
TNastaveniStartu NactiNastaveniStartu(const std::string& zarn_ini = "zarn.ini",
                                      const std::string& tarvol_ini = "../Tarvol05.ini");

}  // namespace zarn
