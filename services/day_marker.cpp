#include "services/day_marker.h"

#include "platform/datetime.h"
#include "platform/ini_file.h"

namespace zarn {
namespace {

// Reads the stored date, writes today in its place, and says whether the
// stored date was today.
bool CheckAndSetMarker(const std::string& ini_path, const std::string& section) {
  TIniFile ini(ini_path);
  const TDateTime today = Date();
  const TDateTime stored = TryStrToDate(ini.ReadString(section, "Datum", "")).value_or(today - 999);
  ini.WriteString(section, "Datum", DateToStr(today));
  return stored == today;
}

}  // namespace

bool UzDnesSpusteno(const std::string& name) { return CheckAndSetMarker("./" + name + ".ini", "Dnes"); }

bool TarvolUzDnes() { return CheckAndSetMarker("../Tarvol05.ini", "Tarvol-Dnes"); }

}  // namespace zarn
