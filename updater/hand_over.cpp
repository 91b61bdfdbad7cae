#include "updater/hand_over.h"

#include <filesystem>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/memtable/mem_table.h"
#include "platform/format_settings.h"
#include "services/kopiruj_zaznam.h"
#include "services/query.h"
#include "services/routines.h"
#include "updater/column_lists.h"
#include "updater/kamenicky.h"
#include "updater/update_action.h"

namespace zarn {

namespace {

// Text fields of every row in tarvol's code page; memos and other fields as
// they are.
void PrevedTextyDoKamenickeho(TDsMemTable& radky) {
  for (radky.First(); !radky.Eof(); radky.Next()) {
    radky.Edit();
    for (int i = 0; i < radky.FieldCount(); ++i) {
      TField& pole = radky.Fields()[i];
      if (pole.DataType() == ftString && !pole.IsNull()) pole.SetAsString(DoKamenickeho(pole.AsString()));
    }
    radky.Post();
  }
}

}  // namespace

void DoTarvol(TAktualizace& a, const std::string& tabulka) {
  TServerQuery dotaz(a.Spojeni);
  dotaz.SetText(DotazNaTabulku(tabulka, SloupcePredani(a.Spojeni, tabulka)));
  dotaz.Open();
  FormatSettings().ShortDateFormat = kFormatDataDbf;
  TDsMemTable radky;
  radky.CopyFromDataSet(dotaz, 0, cmReplace);
  if (!radky.Active()) radky.Open();
  PrevedTextyDoKamenickeho(radky);

  TDsDbfTable soubor;
  soubor.SetDatabase(&a.Slozka);
  soubor.SetTableName(tabulka + ".dbf");
  soubor.SetExclusive(true);
  soubor.SetCodePage(ascii_ANSI);
  soubor.Open();
  soubor.EmptyTable();
  const int celkem = radky.RecordCount();
  int hotovo = 0;
  for (radky.First(); !radky.Eof(); radky.Next()) {
    soubor.Append();
    KopirujZaznam(radky, soubor, /*by_name=*/true);
    soubor.Post();
    if (a.Prubeh) a.Prubeh(++hotovo, celkem);
  }
  radky.Close();
  soubor.Close();
  dotaz.Close();
  if (a.Interaktivni && a.Zprava) a.Zprava(ZpravaDokonceno(tabulka), TMsgIcon::Information);
}

void SpustTarvol(const std::string& slozka) {
  std::error_code chyba;
  const std::filesystem::path vlastni = std::filesystem::current_path(chyba);
  std::filesystem::current_path(slozka, chyba);
  if (chyba) return;
  SpustProgram(std::string("\"") + kProgramTarvol + "\" \"index\"", /*hidden=*/false, /*wait=*/true);
  std::filesystem::current_path(vlastni, chyba);
}

}  // namespace zarn
