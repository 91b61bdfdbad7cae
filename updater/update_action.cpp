#include "updater/update_action.h"

#include <exception>

#include "platform/format_settings.h"
#include "platform/ini_file.h"
#include "platform/win1250.h"
#include "services/query.h"
#include "updater/change_check.h"
#include "updater/column_lists.h"
#include "updater/hand_over.h"
#include "updater/tables.h"

namespace zarn {

namespace {

// Keeps the short date format of the process and puts it back at the end of
// the scope, however the action ends.
class TUlozenyFormatData {
 public:
  TUlozenyFormatData() : ulozeny_(FormatSettings().ShortDateFormat) {}
  ~TUlozenyFormatData() { FormatSettings().ShortDateFormat = ulozeny_; }
  TUlozenyFormatData(const TUlozenyFormatData&) = delete;
  TUlozenyFormatData& operator=(const TUlozenyFormatData&) = delete;

 private:
  std::string ulozeny_;
};

void Zobraz(const TAktualizace& a, const std::string& text, TMsgIcon ikona) {
  if (a.Zprava) a.Zprava(text, ikona);
}

std::string DotazExportu(TAktualizace& a, const std::string& tabulka, bool vyber) {
  if (tabulka == "prace") {
    PrestavPraci(a.Spojeni);
    return kDotazPrace;
  }
  return DotazNaTabulku(tabulka, SloupceExportu(a.Spojeni, tabulka, vyber));
}

}  // namespace

std::string ZpravaObsazeno(const std::string& tabulka) {
  return Utf8ToWin1250("Číselník " + Velkymi(tabulka) + " nelze aktualizovat. Je obsazen.");
}

std::string ZpravaDokonceno(const std::string& tabulka) {
  return Utf8ToWin1250("Aktualizace souboru " + Velkymi(tabulka) + " dokončena.");
}

void Aktualizuj(TAktualizace& a, const std::string& tabulka, bool vyber, bool do_tarvolu) {
  TUlozenyFormatData format;
  if (do_tarvolu) {
    DoTarvol(a, tabulka);
    return;
  }
  if (MaKontroluZmeny(tabulka)) {
    TIniFile zembu(a.ZembuIni);
    if (TabulkaBezeZmeny(a.Spojeni, tabulka, zembu) && a.JenNove) return;
  }
  TServerQuery dotaz(a.Spojeni);
  dotaz.SetText(DotazExportu(a, tabulka, vyber));
  dotaz.Open();
  try {
    FormatSettings().ShortDateFormat = kFormatDataDbf;
    KopirujDoNoveDbf(dotaz, a.Slozka, tabulka, a.Prubeh);
  } catch (const std::exception&) {
    Zobraz(a, ZpravaObsazeno(tabulka), TMsgIcon::Stop);
  }
  dotaz.Close();
  if (a.Interaktivni) Zobraz(a, ZpravaDokonceno(tabulka), TMsgIcon::Information);
}

}  // namespace zarn
