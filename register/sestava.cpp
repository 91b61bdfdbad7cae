#include "register/sestava.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "platform/dataset/dataset.h"
#include "platform/dataset/number_text.h"
#include "platform/ini_file.h"
#include "platform/widgets/message_box.h"
#include "platform/win1250.h"
#include "register/zaznam_datumy.h"

namespace zarn {
namespace {

constexpr double kMarginMm = 10;
constexpr double kCellPaddingMm = 1;

// Where the parts of a page go, in device pixels, for one painter.
struct Geometry {
  double mm;         // pixels per millimetre
  double row;        // height of one printed row
  double header;     // title and date
  double footer;     // page number
  double list_top;   // top of the column titles
  std::vector<double> widths;  // column widths, shrunk to the page when too wide
};

QFont BaseFont(const TSestava& sestava) { return QFont(QStringLiteral("Arial"), sestava.pismo); }

QFont TitleFont(const TSestava& sestava) {
  QFont font = BaseFont(sestava);
  font.setBold(true);
  font.setPointSizeF(sestava.pismo * 1.6);
  return font;
}

Qt::Alignment AlignmentOf(TZarovnani zarovnani) {
  switch (zarovnani) {
    case TZarovnani::Vpravo: return Qt::AlignRight | Qt::AlignVCenter;
    case TZarovnani::NaStred: return Qt::AlignHCenter | Qt::AlignVCenter;
    case TZarovnani::Vlevo: break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

std::string DecimalsPicture(int decimals) { return decimals > 0 ? "#,##0." + std::string(decimals, '0') : "#,##0"; }

// The notes of one print, one per line; a layout full of bad lines would
// otherwise make a message taller than the screen.
constexpr size_t kMaxNotesShown = 15;

std::string NotesText(const std::vector<std::string>& notes) {
  std::string text;
  for (size_t i = 0; i < notes.size() && i < kMaxNotesShown; ++i) text += (i == 0 ? "" : "\n") + notes[i];
  if (notes.size() > kMaxNotesShown)
    text += Utf8ToWin1250("\n… a další upozornění: ") + std::to_string(notes.size() - kMaxNotesShown);
  return text;
}

}  // namespace

const char* const kSestavaIniFile = "SestDLL.ini";

std::vector<TStranaSestavy> RozdelNaStrany(int rows, int rows_per_page, int totals_lines) {
  rows_per_page = std::max(rows_per_page, 1);
  std::vector<TStranaSestavy> pages;
  for (int first = 0; first < rows; first += rows_per_page)
    pages.push_back({first, std::min(rows_per_page, rows - first), false});
  if (pages.empty() || pages.back().pocet_radku + totals_lines > rows_per_page) pages.push_back({rows, 0, false});
  pages.back().soucty = true;
  return pages;
}

TTiskSestavy::TTiskSestavy(TSestava sestava, TDataSet& list, TDateTime datum)
    : sestava_(std::move(sestava)), list_(list), datum_(datum) {
  for (size_t i = 0; i < sestava_.sloupce.size(); ++i) {
    const TField* field = list_.FindField(sestava_.sloupce[i].pole);
    if (field != nullptr) sloupce_.push_back({i, field});
    else chyby_.push_back(Utf8ToWin1250("Sloupec sestavy ") + sestava_.sloupce[i].pole + Utf8ToWin1250(" v seznamu není."));
  }
  SpoctiSoucty();
}

void TTiskSestavy::SpoctiSoucty() {
  for (const TSoucetSestavy& soucet : sestava_.soucty) {
    const TField* field = list_.FindField(soucet.pole);
    const TField* paid = soucet.pole_uhrady.empty() ? nullptr : list_.FindField(soucet.pole_uhrady);
    if (field == nullptr || (!soucet.pole_uhrady.empty() && paid == nullptr)) {
      chyby_.push_back(Utf8ToWin1250("Součet sestavy ") + soucet.titulek + Utf8ToWin1250(" nemá svůj sloupec v seznamu."));
      continue;
    }
    double sum = 0;
    for (int row = 0; row < list_.RowCount(); ++row) {
      if (paid != nullptr) {
        const Variant date = list_.RowValue(row, *paid);
        if (date.IsClear() || !JeZaplaceno(date.ToDateTime())) continue;
      }
      const Variant value = list_.RowValue(row, *field);
      if (!value.IsClear()) sum += value.ToDouble();
    }
    radky_souctu_.push_back(soucet.titulek + ": " + FormatFloat(DecimalsPicture(soucet.desetinna_mista), sum));
  }
}

std::string TTiskSestavy::TextBunky(int row, int column) const {
  const TField& field = *sloupce_[column].field;
  return field.TextOf(list_.RowValue(row, field), true);
}

std::string TTiskSestavy::Zapati(int cislo, int celkem) {
  return "Strana " + std::to_string(cislo) + " z " + std::to_string(celkem);
}

namespace {

Geometry Measure(QPainter& painter, const QRectF& page, const TSestava& sestava,
                 const std::vector<double>& widths_mm) {
  Geometry g;
  g.mm = painter.device()->logicalDpiY() / 25.4;
  const QFontMetricsF base(BaseFont(sestava), painter.device());
  const QFontMetricsF title(TitleFont(sestava), painter.device());
  g.row = base.height() * 1.35;
  g.header = title.height() * 1.4;
  g.footer = g.row * 1.5;
  g.list_top = page.top() + g.header + 2 * g.mm;
  double total = 0;
  for (double width : widths_mm) total += width * painter.device()->logicalDpiX() / 25.4;
  const double shrink = total > page.width() ? page.width() / total : 1.0;
  for (double width : widths_mm) g.widths.push_back(width * painter.device()->logicalDpiX() / 25.4 * shrink);
  return g;
}

}  // namespace

int TTiskSestavy::RadkuNaStranu(QPainter& painter, const QRectF& page) {
  const Geometry g = Measure(painter, page, sestava_, {});
  // The column titles take one row.
  return static_cast<int>((page.bottom() - g.footer - g.list_top) / g.row) - 1;
}

void TTiskSestavy::KresliStranu(QPainter& painter, const QRectF& page, const TStranaSestavy& strana, int cislo,
                                int celkem) {
  std::vector<double> widths_mm;
  for (const Sloupec& sloupec : sloupce_) widths_mm.push_back(sestava_.sloupce[sloupec.layout].sirka_mm);
  const Geometry g = Measure(painter, page, sestava_, widths_mm);
  const QFont base = BaseFont(sestava_);
  QFont bold = base;
  bold.setBold(true);
  const double padding = kCellPaddingMm * g.mm;
  const QPen line(Qt::black, std::max(1.0, 0.2 * g.mm));
  const QPen thin(QColor(0xb0, 0xb0, 0xb0), std::max(1.0, 0.1 * g.mm));

  painter.setPen(Qt::black);
  const QRectF header(page.left(), page.top(), page.width(), g.header);
  painter.setFont(TitleFont(sestava_));
  painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, FromWin1250(sestava_.nadpis));
  painter.setFont(base);
  painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromUtf8("Vytištěno ") + FromWin1250(DateToStr(datum_)));
  painter.setPen(line);
  painter.drawLine(QPointF(page.left(), header.bottom()), QPointF(page.right(), header.bottom()));

  auto draw_row = [&](double y, auto text_of) {
    double x = page.left();
    for (size_t c = 0; c < sloupce_.size(); ++c) {
      const QRectF cell(x + padding, y, g.widths[c] - 2 * padding, g.row);
      const QString text = painter.fontMetrics().elidedText(text_of(c), Qt::ElideRight, static_cast<int>(cell.width()));
      painter.drawText(cell, AlignmentOf(sestava_.sloupce[sloupce_[c].layout].zarovnani), text);
      x += g.widths[c];
    }
  };
  double y = g.list_top;
  painter.fillRect(QRectF(page.left(), y, page.width(), g.row), QColor(0xe4, 0xe4, 0xe4));
  painter.setPen(Qt::black);
  painter.setFont(bold);
  draw_row(y, [&](size_t c) { return FromWin1250(Titulek(static_cast<int>(c))); });
  painter.setFont(base);
  y += g.row;
  painter.setPen(line);
  painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
  for (int row = strana.prvni_radek; row < strana.prvni_radek + strana.pocet_radku; ++row) {
    painter.setPen(Qt::black);
    draw_row(y, [&](size_t c) { return FromWin1250(TextBunky(row, static_cast<int>(c))); });
    y += g.row;
    painter.setPen(thin);
    painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
  }
  if (strana.soucty) {
    painter.setPen(line);
    painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
    painter.setPen(Qt::black);
    painter.setFont(bold);
    for (const std::string& text : radky_souctu_) {
      painter.drawText(QRectF(page.left(), y, page.width() - padding, g.row), Qt::AlignRight | Qt::AlignVCenter,
                       FromWin1250(text));
      y += g.row;
    }
    painter.setFont(base);
  }
  painter.setPen(Qt::black);
  painter.drawText(QRectF(page.left(), page.bottom() - g.row, page.width(), g.row), Qt::AlignHCenter | Qt::AlignVCenter,
                   FromWin1250(Zapati(cislo, celkem)));
}

int TTiskSestavy::Tiskni(QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  const QRectF page(QPointF(0, 0), QSizeF(device.pageLayout().paintRectPixels(device.logicalDpiX()).size()));
  const std::vector<TStranaSestavy> pages =
      RozdelNaStrany(list_.RowCount(), RadkuNaStranu(painter, page), static_cast<int>(radky_souctu_.size()));
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) device.newPage();
    KresliStranu(painter, page, pages[i], static_cast<int>(i + 1), static_cast<int>(pages.size()));
  }
  painter.end();
  return static_cast<int>(pages.size());
}

void NactiNastaveniTisku(QPrinter& printer, bool na_sirku) {
  const TIniFile ini(kSestavaIniFile);
  const QString name = FromWin1250(ini.ReadString("Tiskarna", "Nazev", ""));
  if (!name.isEmpty() && !QPrinterInfo::printerInfo(name).isNull()) printer.setPrinterName(name);
  const int paper = ini.ReadInteger("Tiskarna", "Papir", QPageSize::A4);
  printer.setPageSize(QPageSize(paper >= 0 && paper <= QPageSize::LastPageSize ? QPageSize::PageSizeId(paper)
                                                                              : QPageSize::A4));
  const std::string orientation = ini.ReadString("Tiskarna", "Orientace", na_sirku ? "nasirku" : "navysku");
  printer.setPageOrientation(orientation == "navysku" ? QPageLayout::Portrait : QPageLayout::Landscape);
  const double margin = std::clamp(ini.ReadInteger("Tiskarna", "Okraje", static_cast<int>(kMarginMm)), 0, 50);
  printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

bool UlozNastaveniTisku(const QPrinter& printer) {
  TIniFile ini(kSestavaIniFile);
  const QPageLayout layout = printer.pageLayout();
  return ini.WriteString("Tiskarna", "Nazev", ToWin1250(printer.printerName())) &&
         ini.WriteInteger("Tiskarna", "Papir", layout.pageSize().id()) &&
         ini.WriteString("Tiskarna", "Orientace",
                         layout.orientation() == QPageLayout::Portrait ? "navysku" : "nasirku") &&
         ini.WriteInteger("Tiskarna", "Okraje", static_cast<int>(layout.margins(QPageLayout::Millimeter).left()));
}

void PripravNahled(QPrintPreviewDialog& dialog, TTiskSestavy& tisk) {
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&tisk](QPrinter* printer) { tisk.Tiskni(*printer); });
  dialog.setWindowState(Qt::WindowMaximized);
  if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
    preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    preview->setZoomFactor(1.0);
  }
}

void UkazSestavu(QWidget* parent, TDataSet& list, const QTableView& grid) {
  std::vector<std::string> chyby;
  const TSestava sestava = SestavaKTisku(kSestavaFile, GridColumns(grid), list, &chyby);
  TTiskSestavy tisk(sestava, list, Date());
  chyby.insert(chyby.end(), tisk.Chyby().begin(), tisk.Chyby().end());
  if (!chyby.empty()) {
    TDotaz dotaz;
    dotaz.Text = NotesText(chyby);
    dotaz.Ikona = TMsgIcon::Warning;
    dotaz.Execute(parent);
  }
  QPrinter printer(QPrinter::HighResolution);
  NactiNastaveniTisku(printer, sestava.na_sirku);
  printer.setDocName(QString::fromUtf8("Tisková úloha SINEA"));
  QPrintPreviewDialog dialog(&printer, parent);
  PripravNahled(dialog, tisk);
  dialog.exec();
  if (!UlozNastaveniTisku(printer))
    ShowApplicationError(parent, Utf8ToWin1250("Nelze zapsat do souboru ") + kSestavaIniFile);
}

}  // namespace zarn
