#include "updater/column_lists.h"

#include <strings.h>

#include "services/query.h"

namespace zarn {

std::string PevnyVyber(const std::string& tabulka) {
  if (tabulka == "adresar") return "ICO, NAZEVPODNI, SIDLO, ULICECISLO, PSC, POSTA, KODPAR, KOD_PLATCE";
  if (tabulka == "cenik")
    return "NOMENKLA, NAZEVOSIVA, MJ, NC, PC, DAN, KOEF, DRUH, ODRUDA, STUPEN, NAZ_DRU, NAZ_ODRU, DALSIROZDE, VAHAO";
  if (tabulka == "odruda") return "KOD, NAZEV, DRUH";
  return "";
}

std::string SloupceTabulky(TServerConnection& spojeni, const std::string& tabulka,
                           const std::vector<std::string>& vynechat) {
  TServerQuery dotaz(spojeni);
  dotaz.SetText("SHOW FIELDS FROM " + tabulka);
  dotaz.Open();
  std::string sloupce;
  TField& pole = dotaz.FieldByName("field");
  for (dotaz.First(); !dotaz.Eof(); dotaz.Next()) {
    const std::string nazev = pole.AsString();
    bool vynechany = false;
    for (const std::string& v : vynechat) vynechany = vynechany || strcasecmp(nazev.c_str(), v.c_str()) == 0;
    if (vynechany) continue;
    if (!sloupce.empty()) sloupce += ",";
    sloupce += nazev;
  }
  return sloupce;
}

std::string SloupceExportu(TServerConnection& spojeni, const std::string& tabulka, bool vyber) {
  if (vyber) {
    std::string pevny = PevnyVyber(tabulka);
    if (!pevny.empty()) return pevny;
  }
  return SloupceTabulky(spojeni, tabulka, {"id"});
}

std::string SloupcePredani(TServerConnection& spojeni, const std::string& tabulka) {
  if (tabulka == "adresar") return SloupceTabulky(spojeni, tabulka, {"lic_vnitro", "id"});
  return SloupceTabulky(spojeni, tabulka, {"id"});
}

std::string DotazNaTabulku(const std::string& tabulka, const std::string& sloupce) {
  std::string dotaz = "select " + sloupce + " from " + tabulka;
  if (tabulka == "ku") dotaz += "\norder by nazev";
  return dotaz;
}

void PrestavPraci(TServerConnection& spojeni) {
  spojeni.Execute("DROP TABLE IF EXISTS prace");
  // One statement over four lines; "" is an empty text, since the session's
  // sql_mode is empty.
  spojeni.Execute(
      "CREATE TABLE IF NOT EXISTS prace\n"
      "select id, prace as PARTIE, NOMENKLA, NAZEVOSIVA, MJ, DAN, NC, PC, DRUH, ODRUDA, STUPEN, NAZ_DRU, NAZ_ODRU\n"
      " from cenik\n"
      " where prace != \"\"");
}

}  // namespace zarn
