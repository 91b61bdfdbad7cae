// The printed record list ("Tisk aktuálního seznamu" > "Sestava"): the layout
// of zarn1.pts (or the grid's columns without it) applied to the current
// list, cut into pages and painted on a printer, a PDF or the preview. The
// preview opens maximised at 100 % and prints or saves a PDF from there; the
// chosen printer and page settings are kept in SestDLL.ini.
#pragma once

#include <QRectF>
#include <string>
#include <vector>

#include "platform/datetime.h"
#include "register/sestava_layout.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QPrintPreviewDialog;
class QTableView;
class QWidget;

namespace zarn {

class TDataSet;
class TField;

// The printer settings file of the program folder.
extern const char* const kSestavaIniFile;

// One page: the rows it prints and whether the totals close it.
struct TStranaSestavy {
  int prvni_radek = 0;
  int pocet_radku = 0;
  bool soucty = false;
};

// Cuts `rows` rows into pages of `rows_per_page` (at least 1). The totals
// (`totals_lines` lines) go under the last row, on a page of their own when
// the last page has no room left. An empty list gives one page.
std::vector<TStranaSestavy> RozdelNaStrany(int rows, int rows_per_page, int totals_lines);

// One print run of a layout over a list: the layout's columns bound to the
// list's fields and the totals added up once.
class TTiskSestavy {
 public:
  // `datum` is the print date shown on every page. Columns and totals whose
  // fields the list lacks are left out and described in Chyby().
  TTiskSestavy(TSestava sestava, TDataSet& list, TDateTime datum);

  const std::vector<std::string>& Chyby() const { return chyby_; }
  int PocetSloupcu() const { return static_cast<int>(sloupce_.size()); }
  // The column's title and the text of one cell as the grid displays it.
  const std::string& Titulek(int column) const { return sestava_.sloupce[sloupce_[column].layout].titulek; }
  std::string TextBunky(int row, int column) const;
  // "Množství: 1 234,5000" and so on, one line per total (Windows-1250).
  const std::vector<std::string>& RadkySouctu() const { return radky_souctu_; }
  // "Strana 2 z 5".
  static std::string Zapati(int cislo, int celkem);

  // Paints every page on `device` (a printer or a PDF writer) and returns
  // the number of pages.
  int Tiskni(QPagedPaintDevice& device);
  // Paints page `cislo` of `celkem` into `page` (device pixels) of a painter
  // already set up by Tiskni's geometry.
  void KresliStranu(QPainter& painter, const QRectF& page, const TStranaSestavy& strana, int cislo, int celkem);
  // Rows that fit on a page of this height with the painter's resolution.
  int RadkuNaStranu(QPainter& painter, const QRectF& page);

 private:
  struct Sloupec {
    size_t layout;  // index into sestava_.sloupce
    const TField* field;
  };
  void SpoctiSoucty();

  TSestava sestava_;
  TDataSet& list_;
  TDateTime datum_;
  std::vector<Sloupec> sloupce_;
  std::vector<std::string> radky_souctu_;
  std::vector<std::string> chyby_;
};

// What "Sestava" does: reads zarn1.pts of the working folder (the grid's
// columns when it is missing), tells of lines it could not use, and opens the
// preview of `list` as `grid` shows it.
void UkazSestavu(QWidget* parent, TDataSet& list, const QTableView& grid);

// Ties a preview window to a print run: it paints the run's pages and opens
// maximised at 100 %.
void PripravNahled(QPrintPreviewDialog& dialog, TTiskSestavy& tisk);

// The printer and page settings kept in SestDLL.ini.
void NactiNastaveniTisku(QPrinter& printer, bool na_sirku);
bool UlozNastaveniTisku(const QPrinter& printer);

}  // namespace zarn
