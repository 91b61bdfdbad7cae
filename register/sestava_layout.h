// The report layout of the printed record list, "zarn1.pts" in the program
// folder: a Windows-1250 INI file with CR LF line ends, lines starting with
// ';' are comments.
//
//   [Sestava]
//   Nadpis=<title over every page>
//   Orientace=nasirku | navysku        (landscape or portrait; default nasirku)
//   Pismo=<font size in points>        (default 8)
//   [Sloupce]                          (the printed columns, in this order)
//   <field>=<column title>;<width in mm>;<vlevo | vpravo | nastred>
//   [Soucty]                           (totals under the last row, in this order)
//   <caption>=<field>;<decimals>[;<payment date field>]
//
// A total with a payment date field adds up only the rows paid after
// 11.11.1999, the date before which a payment date means "not paid". Every page
// carries the title, the print date and "Strana n z m".
#pragma once

#include <string>
#include <vector>

#include "register/list_export.h"

namespace zarn {

class TDataSet;

enum class TZarovnani { Vlevo, Vpravo, NaStred };

struct TSloupecSestavy {
  std::string pole;     // field name
  std::string titulek;  // Windows-1250
  double sirka_mm = 20;
  TZarovnani zarovnani = TZarovnani::Vlevo;
};

struct TSoucetSestavy {
  std::string titulek;  // Windows-1250
  std::string pole;
  int desetinna_mista = 2;
  std::string pole_uhrady;  // empty: every row counts
};

struct TSestava {
  std::string nadpis;
  bool na_sirku = true;
  int pismo = 8;
  std::vector<TSloupecSestavy> sloupce;
  std::vector<TSoucetSestavy> soucty;
};

// The layout file of the program folder.
extern const char* const kSestavaFile;

// Reads the layout at `path`. Returns false when the file does not exist (the
// caller falls back to SestavaZMrizky). Lines that cannot be read are left
// out and described in `chyby` (Czech, Windows-1250).
bool NactiSestavu(const std::string& path, TSestava* sestava, std::vector<std::string>* chyby);

// The layout a print uses: the file at `path` when it gives at least one
// column that `list` has, otherwise SestavaZMrizky(columns, list). A file
// that is there but cannot serve (not a text file, too large, no usable
// column) is named in `chyby` together with the fallback, so the user knows
// why the print does not look as designed; a missing file falls back quietly.
TSestava SestavaKTisku(const std::string& path, const std::vector<TExportColumn>& columns, const TDataSet& list,
                       std::vector<std::string>* chyby);

// The layout without a file: the grid's visible columns with their titles and
// widths after their display widths (numbers right-aligned), and the list's
// three totals when `list` has their fields.
TSestava SestavaZMrizky(const std::vector<TExportColumn>& columns, const TDataSet& list);

}  // namespace zarn
