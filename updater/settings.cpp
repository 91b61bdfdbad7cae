#include "updater/settings.h"

#include <algorithm>
#include <cctype>

#include "platform/ini_file.h"

namespace zarn {

namespace {
constexpr char kSekce[] = "TForm1";
constexpr char kLogOn[] = "LogON";
}  // namespace

std::string SlozkaZIni(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

TNastaveniZembu NactiNastaveniZembu(const std::string& zembu_ini) {
  const TIniFile ini(zembu_ini);
  TNastaveniZembu n;
  n.EditIP_Text = ini.ReadString(kSekce, "EditIP_Text", "localhost");
  n.EditCoDelat_Text = ini.ReadString(kSekce, "EditCoDelat_Text", "");
  n.EditDoTarvol_Text = ini.ReadString(kSekce, "EditDoTarvol_Text", "");
  n.EditCestaData_Text = SlozkaZIni(ini.ReadString(kSekce, "EditCestaData_Text", "data\\"));
#ifdef _WIN32
  n.TarvolCesta = "c:/tromix/tarvol";
#else
  n.TarvolCesta = SlozkaZIni(ini.ReadString(kSekce, "TarvolCesta", "../tarvol"));
#endif
  return n;
}

TConnectionSettings SpojeniZembu(const TNastaveniZembu& nastaveni, const std::string& tarvol_ini) {
  const TIniFile ini(tarvol_ini);
  TConnectionSettings s;
  s.HostName = nastaveni.EditIP_Text;
  if (s.HostName == "localhost") {
    s.User = "root";
    s.Password.clear();
  }
  s.HostName = ini.ReadString(kLogOn, "IP", s.HostName);
  s.User = ini.ReadString(kLogOn, "User", s.User);
  s.Password = ini.ReadString(kLogOn, "Password", s.Password);
  s.Port = PortFromText(ini.ReadString(kLogOn, "SQLport", "3306"));
  s.Database = ini.ReadString(kLogOn, "Database", "tarvol");
  s.Compress = true;
  return s;
}

bool JenNoveZArgumentu(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return false;
  std::string prvni = arguments[1];
  for (char& c : prvni) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return prvni == "/JENNOVY";
}

std::vector<int> CislaTabulek(std::string_view co_delat) {
  std::vector<int> cisla;
  for (char cislice = '0'; cislice <= '7'; ++cislice) {
    if (co_delat.find(cislice) != std::string_view::npos) cisla.push_back(cislice - '0');
  }
  return cisla;
}

}  // namespace zarn
