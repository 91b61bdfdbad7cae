#include "updater/change_check.h"

#include <cmath>

#include "platform/ini_file.h"
#include "services/query.h"

namespace zarn {

namespace {
constexpr char kSekce[] = "UpdateTable";
constexpr double kSekundaVeDnech = 1.0 / 86400.0;
}  // namespace

bool MaKontroluZmeny(const std::string& tabulka) { return tabulka == "adresar" || tabulka == "cenik"; }

TDateTime CasZmenyTabulky(TServerConnection& spojeni, const std::string& tabulka) {
  TServerQuery dotaz(spojeni);
  dotaz.SetText("SHOW TABLE STATUS LIKE '" + tabulka + "'");
  dotaz.Open();
  if (dotaz.IsEmpty()) return 0;
  const TField& cas = dotaz.FieldByName("Update_time");
  return cas.IsNull() ? 0 : cas.AsDateTime();
}

bool TabulkaBezeZmeny(TServerConnection& spojeni, const std::string& tabulka, TIniFile& zembu) {
  const TDateTime na_serveru = CasZmenyTabulky(spojeni, tabulka);
  const std::string zapsano = zembu.ReadString(kSekce, tabulka, "");
  const TDateTime minule = TryStrToDateTime(zapsano).value_or(Date() - 999);
  zembu.WriteString(kSekce, tabulka, DateTimeToStr(na_serveru));
  // The stamp went through text with whole seconds; the server's time has no
  // finer part either, so half a second tells equal from different.
  return std::fabs(na_serveru - minule) < kSekundaVeDnech / 2;
}

}  // namespace zarn
