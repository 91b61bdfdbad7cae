#include "register/start_settings.h"

#include "platform/ini_file.h"

namespace zarn {

TNastaveniStartu NactiNastaveniStartu(const std::string& zarn_ini, const std::string& tarvol_ini) {
  TNastaveniStartu s;
  const TIniFile own(zarn_ini);
  s.HostName = own.ReadString("TFmozno", "EditIP_Text", "localhost");
  s.CisloPC = own.ReadString("TFmozno", "EditcisloPC_Text", "00");
  s.TestVerze = own.ReadString("TFmozno", "suiCheckBoxTestVerze_Checked", "True") == "True";
  if (s.HostName == "localhost") {
    s.User = "root";
    s.Password.clear();
  }
  const TIniFile shared(tarvol_ini);
  s.HostName = shared.ReadString("LogON", "IP", s.HostName);
  s.User = shared.ReadString("LogON", "User", s.User);
  s.Password = shared.ReadString("LogON", "Password", s.Password);
  s.Database = shared.ReadString("LogON", "Database", "tarvol");
  s.SqlPort = shared.ReadString("LogON", "SQLport", "3306");
  s.OpenPort = shared.ReadString("LogON", "OPENport", "");
  s.CisloPC = shared.ReadString("LogON", "CisloPC", s.CisloPC);
  return s;
}

}  // namespace zarn
