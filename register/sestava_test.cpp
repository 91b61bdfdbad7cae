// The printed list: the layout file, the fallback to the grid, pages and
// totals, a PDF of a real list, the preview and the kept printer settings.
#include "register/sestava.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QApplication>
#include <QTableView>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/dataset/dataset_model.h"
#include "platform/dataset/testing/vector_dataset.h"
#include "platform/format_settings.h"
#include "platform/ini_file.h"
#include "platform/widgets/message_box.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"
#include "services/testing_folder.h"

namespace zarn {
namespace {

using testing::VectorDataSet;
using namespace std::string_literals;

std::string W(std::string_view utf8) { return Utf8ToWin1250(utf8); }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

class SestavaTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TestApplication(); }

  void SetUp() override {
    FormatSettings() = CzechFormatSettings();
    list.FieldDefs().Add("zadatel", ftString, 10);
    list.FieldDefs().Add("mnozstvi", ftFloat);
    list.FieldDefs().Add("suma", ftFloat);
    list.FieldDefs().Add("zaplacena", ftDate);
    list.AddRow({"0123", 1000.0, 1000.5, Variant::FromDate(EncodeDate(2006, 3, 5))});
    list.AddRow({W("Žďár"), 234.5, 200.0, Variant::FromDate(EncodeDate(1999, 11, 11))});
    list.AddRow({"0456", Variant::Null(), 34.0, Variant::Null()});
    list.Open();
  }

  void AddRows(int count) {
    for (int i = 0; i < count; ++i) list.AddRow({"9" + std::to_string(i), 1.0, 2.0, Variant::Null()});
  }

  ScratchWorkingFolder folder_{"sestava"};
  VectorDataSet list;
};

TEST_F(SestavaTest, DemoLayoutReadsWholeAndBadLinesAreLeftOutAndNamed) {
  TSestava demo;
  std::vector<std::string> chyby;
  ASSERT_TRUE(NactiSestavu(ZARN_SOURCE_DIR "/demo/zarn1.pts", &demo, &chyby));
  EXPECT_TRUE(chyby.empty());
  EXPECT_EQ(demo.nadpis, W("Evidence licenčních poplatků"));
  EXPECT_TRUE(demo.na_sirku);
  ASSERT_EQ(demo.sloupce.size(), 14u);
  EXPECT_EQ(demo.sloupce[1].titulek, W("Název podniku"));
  EXPECT_EQ(demo.sloupce[8].zarovnani, TZarovnani::Vpravo);
  ASSERT_EQ(demo.soucty.size(), 3u);
  EXPECT_EQ(demo.soucty[2].pole_uhrady, "zaplacena");

  ASSERT_TRUE(WriteTextLines("zarn1.pts", {"[Sestava]", "Orientace=navysku", "[Sloupce]", "rok=Rok;9.5;nastred",
                                           "suma=Suma;x;vpravo", "mj=MJ;8;doleva", "[Soucty]", "Suma=suma",
                                           W("Celkem=suma;2")}));
  TSestava own;
  ASSERT_TRUE(NactiSestavu("zarn1.pts", &own, &chyby));
  EXPECT_FALSE(own.na_sirku);
  ASSERT_EQ(own.sloupce.size(), 1u);
  EXPECT_DOUBLE_EQ(own.sloupce[0].sirka_mm, 9.5);
  EXPECT_EQ(own.soucty.size(), 1u);
  ASSERT_EQ(chyby.size(), 3u);
  EXPECT_EQ(Win1250ToUtf8(chyby[0]), "Chybný řádek sestavy zarn1.pts [Sloupce]: suma=Suma;x;vpravo");

  EXPECT_FALSE(NactiSestavu("chybi.pts", &own, &chyby));
}

TEST_F(SestavaTest, WithoutLayoutTheGridColumnsAndTheTotalsOfTheirFieldsArePrinted) {
  list.FieldByName("mnozstvi").SetVisible(false);
  list.FieldByName("zadatel").SetDisplayLabel(W("Žadatel"));
  TDataSetModel model(&list);
  QTableView grid;
  grid.setModel(&model);
  const TSestava sestava = SestavaZMrizky(GridColumns(grid), list);
  ASSERT_EQ(sestava.sloupce.size(), 3u);
  EXPECT_EQ(sestava.sloupce[0].titulek, W("Žadatel"));
  EXPECT_EQ(sestava.sloupce[0].zarovnani, TZarovnani::Vlevo);
  EXPECT_EQ(sestava.sloupce[1].pole, "suma");
  EXPECT_EQ(sestava.sloupce[1].zarovnani, TZarovnani::Vpravo);
  EXPECT_EQ(sestava.soucty.size(), 3u);  // the hidden quantity is still added up

  VectorDataSet other;
  other.FieldDefs().Add("suma", ftFloat);
  other.Open();
  EXPECT_EQ(SestavaZMrizky({}, other).soucty.size(), 1u);
}

TEST_F(SestavaTest, LayoutThatCannotServeFallsBackToTheGridAndSaysSo) {
  TDataSetModel model(&list);
  QTableView grid;
  grid.setModel(&model);
  const std::vector<TExportColumn> columns = GridColumns(grid);
  const std::string binary = "\x7F" "ELF\x02\x01\x01\0\0\0[Sloupce]\r\nzadatel=Z;20;vlevo\r\n"s;
  struct Case {
    const char* what;
    std::string content;  // empty: no file
    bool directory;
    size_t printed_columns;
    std::vector<std::string> notes;  // UTF-8
  } cases[] = {
      {"no file", "", false, 4, {}},
      {"a folder of that name", "", true, 4,
       {"Soubor zarn1.pts není čitelný textový soubor sestavy.", "Tiskne se podle viditelných sloupců seznamu."}},
      {"binary file", binary, false, 4,
       {"Soubor zarn1.pts není čitelný textový soubor sestavy.", "Tiskne se podle viditelných sloupců seznamu."}},
      {"far too large", "[Sloupce]\r\nzadatel=Z;20;vlevo\r\n" + std::string(300 * 1024, ';'), false, 4,
       {"Soubor zarn1.pts není čitelný textový soubor sestavy.", "Tiskne se podle viditelných sloupců seznamu."}},
      {"only unreadable lines", "[Sloupce]\r\nzadatel=Z\r\nsuma=;;;\r\nnonsense\r\n", false, 4,
       {"Sestava zarn1.pts nemá žádný použitelný sloupec seznamu.", "Tiskne se podle viditelných sloupců seznamu."}},
      {"columns of another table", "[Sloupce]\r\nneni=N;20;vlevo\r\n", false, 4,
       {"Sestava zarn1.pts nemá žádný použitelný sloupec seznamu.", "Tiskne se podle viditelných sloupců seznamu."}},
      {"one good line among bad ones", "[Sloupce]\r\nsuma=Suma;20;vpravo\r\nzadatel=Z\r\n", false, 1,
       {"Chybný řádek sestavy zarn1.pts [Sloupce]: zadatel=Z"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(kSestavaFile);
    if (c.directory) std::filesystem::create_directory(kSestavaFile);
    if (!c.content.empty()) std::ofstream(kSestavaFile, std::ios::binary) << c.content;
    std::vector<std::string> chyby;
    const TSestava sestava = SestavaKTisku(kSestavaFile, columns, list, &chyby);
    EXPECT_EQ(sestava.sloupce.size(), c.printed_columns);
    std::vector<std::string> notes;
    for (const std::string& note : chyby) notes.push_back(Win1250ToUtf8(note));
    EXPECT_EQ(notes, c.notes);
  }
}

// The whole "Sestava" command over a damaged layout: one warning, then the
// preview of the grid's columns.
TEST_F(SestavaTest, DamagedLayoutIsToldOnceBeforeThePreview) {
  std::ofstream(kSestavaFile, std::ios::binary) << "PK\x03\x04\0\0garbage"s;
  TDataSetModel model(&list);
  QTableView grid;
  grid.setModel(&model);
  TScriptedDotaz answers({mrOk});
  int previews = 0;
  size_t warnings_before_preview = 0;
  int pages_previewed = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    if (preview == nullptr) return;
    ++previews;
    warnings_before_preview = answers.Shown().size();
    if (auto* widget = preview->findChild<QPrintPreviewWidget*>()) pages_previewed = widget->pageCount();
    preview->reject();
  });
  closer.start(50);
  UkazSestavu(nullptr, list, grid);
  closer.stop();
  EXPECT_EQ(previews, 1);
  ASSERT_EQ(answers.Shown().size(), 1u);
  EXPECT_EQ(warnings_before_preview, 1u);
  EXPECT_EQ(answers.Shown()[0].icon, TMsgIcon::Warning);
  EXPECT_EQ(Win1250ToUtf8(answers.Shown()[0].text),
            "Soubor zarn1.pts není čitelný textový soubor sestavy.\nTiskne se podle viditelných sloupců seznamu.");
  EXPECT_GE(pages_previewed, 1);
}

TEST(SestavaPages, RowsFillPagesAndTheTotalsFollowTheLastRow) {
  struct Case {
    int rows, per_page, totals;
    std::vector<std::pair<int, int>> pages;  // first row, rows
  } cases[] = {
      {0, 5, 3, {{0, 0}}},
      {7, 5, 3, {{0, 5}, {5, 2}}},
      {10, 5, 3, {{0, 5}, {5, 5}, {10, 0}}},
      {10, 5, 0, {{0, 5}, {5, 5}}},
      {3, 0, 1, {{0, 1}, {1, 1}, {2, 1}, {3, 0}}},
  };
  for (const Case& c : cases) {
    const auto pages = RozdelNaStrany(c.rows, c.per_page, c.totals);
    std::vector<std::pair<int, int>> got;
    for (const auto& page : pages) got.emplace_back(page.prvni_radek, page.pocet_radku);
    EXPECT_EQ(got, c.pages) << c.rows << " rows, " << c.per_page << " per page";
    for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(pages[i].soucty, i + 1 == pages.size());
  }
}

TEST_F(SestavaTest, CellsAsTheGridShowsThemAndTotalsCountOnlyPaymentsAfterTheCutOff) {
  TSestava sestava;
  sestava.sloupce = {{"zadatel", "Z", 20, TZarovnani::Vlevo}, {"zaplacena", "D", 20, TZarovnani::Vpravo},
                     {"neni", "N", 20, TZarovnani::Vlevo}};
  sestava.soucty = {{W("Množství"), "mnozstvi", 4, ""}, {"Zaplaceno", "suma", 2, "zaplacena"},
                    {"Nic", "neni", 2, ""}};
  TTiskSestavy tisk(sestava, list, EncodeDate(2026, 12, 11));
  ASSERT_EQ(tisk.PocetSloupcu(), 2);
  EXPECT_EQ(tisk.TextBunky(1, 0), W("Žďár"));
  EXPECT_EQ(tisk.TextBunky(0, 1), "5.3.2006");
  EXPECT_EQ(tisk.TextBunky(2, 1), "");
  EXPECT_EQ(tisk.RadkySouctu(), (std::vector<std::string>{W("Množství: 1 234,5000"), "Zaplaceno: 1 000,50"}));
  EXPECT_EQ(tisk.Chyby().size(), 2u);
  EXPECT_EQ(TTiskSestavy::Zapati(2, 5), "Strana 2 z 5");
}

int PdfPages(const std::string& pdf) {
  const std::regex page("/Type\\s*/Page[^s]");
  return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

TEST_F(SestavaTest, LongListPrintsToAPdfOfLandscapePagesWithTheTotalsAtTheEnd) {
  AddRows(200);
  TSestava sestava;
  std::vector<std::string> chyby;
  ASSERT_TRUE(NactiSestavu(ZARN_SOURCE_DIR "/demo/zarn1.pts", &sestava, &chyby));
  TTiskSestavy tisk(sestava, list, EncodeDate(2026, 12, 11));
  EXPECT_EQ(tisk.PocetSloupcu(), 4);
  int pages = 0;
  {
    QPdfWriter pdf(QStringLiteral("sestava.pdf"));
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    pages = tisk.Tiskni(pdf);
  }
  // 203 rows of 8-point type on A4 landscape take several pages.
  EXPECT_GE(pages, 4);
  EXPECT_LE(pages, 8);
  const std::string pdf = ReadFile("sestava.pdf");
  EXPECT_EQ(PdfPages(pdf), pages);
  EXPECT_NE(pdf.find("/MediaBox [0 0 842.000000 595.000000]"), std::string::npos) << "A4 landscape";

  QPainter probe;
  QPdfWriter measure(QStringLiteral("probe.pdf"));
  measure.setResolution(300);
  measure.setPageOrientation(QPageLayout::Landscape);
  measure.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  probe.begin(&measure);
  const int per_page = tisk.RadkuNaStranu(
      probe, QRectF(QPointF(0, 0), QSizeF(measure.pageLayout().paintRectPixels(300).size())));
  probe.end();
  EXPECT_EQ(static_cast<int>(RozdelNaStrany(203, per_page, 3).size()), pages);
}

TEST_F(SestavaTest, PreviewOpensMaximisedAtFullSizeOverThePrintRun) {
  AddRows(100);
  TSestava sestava;
  sestava.sloupce = {{"zadatel", "Z", 20, TZarovnani::Vlevo}};
  TTiskSestavy tisk(sestava, list, EncodeDate(2026, 12, 11));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageOrientation(QPageLayout::Portrait);
  QPrintPreviewDialog dialog(&printer);
  PripravNahled(dialog, tisk);
  dialog.show();
  auto* preview = dialog.findChild<QPrintPreviewWidget*>();
  ASSERT_NE(preview, nullptr);
  preview->updatePreview();
  EXPECT_TRUE(dialog.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::CustomZoom);
  EXPECT_DOUBLE_EQ(preview->zoomFactor(), 1.0);
  EXPECT_GE(preview->pageCount(), 2);
  dialog.close();
}

TEST_F(SestavaTest, PrinterSettingsAreKeptInSestDllIni) {
  QPrinter printer(QPrinter::HighResolution);
  NactiNastaveniTisku(printer, true);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
  printer.setPageSize(QPageSize(QPageSize::A5));
  printer.setPageOrientation(QPageLayout::Portrait);
  ASSERT_TRUE(UlozNastaveniTisku(printer));
  EXPECT_EQ(TIniFile(kSestavaIniFile).ReadString("Tiskarna", "Orientace", ""), "navysku");

  QPrinter again(QPrinter::HighResolution);
  NactiNastaveniTisku(again, true);
  EXPECT_EQ(again.pageLayout().orientation(), QPageLayout::Portrait);
  EXPECT_EQ(again.pageLayout().pageSize().id(), QPageSize::A5);
}

}  // namespace
}  // namespace zarn
