#include "register/zarhla.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/widgets/delay.h"
#include "platform/widgets/side_panel.h"
#include "platform/widgets/splash.h"
#include "platform/widgets/splitter.h"
#include "platform/widgets/test_application.h"
#include "register/doklad.h"
#include "register/vyber.h"
#include "platform/win1250.h"
#include "services/connection.h"
#include "services/saved_filter.h"
#include "services/workstation.h"

namespace zarn {
namespace {

namespace fs = std::filesystem;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Runs each test in a fresh program folder below a fresh parent folder, so
// that "zarn.ini" and "../Tarvol05.ini" are the test's own.
class TForm1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    root = fs::temp_directory_path() / ("zarhla_test_" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(root);
    fs::create_directories(root / "zarn");
    previous = fs::current_path();
    fs::current_path(root / "zarn");
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(root);
  }

  fs::path root, previous;
};

// The menu bar as text: each menu title, then its items ("-" for a
// separator, a shortcut after a tab, "[x]" for a check item).
std::vector<QString> MenuText(const TForm1& form) {
  std::vector<QString> lines;
  for (QAction* top : form.menuBar()->actions()) {
    lines.push_back(top->text());
    for (QAction* item : top->menu()->actions()) {
      QString line = item->isSeparator() ? QStringLiteral("-") : QStringLiteral("  ") + item->text();
      if (!item->shortcut().isEmpty()) line += QStringLiteral("\t") + item->shortcut().toString();
      if (item->isCheckable()) line += QStringLiteral(" [x]");
      lines.push_back(line);
    }
  }
  return lines;
}

TEST_F(TForm1Test, MenusItemsAndShortcutsAreThoseOfTheRegister) {
  TForm1 form(false);
  const std::vector<QString> expected = {
      U("Hlavní nabídka"), U("  Nový doklad\tCtrl+N"), U("  Opravit\tCtrl+O"), U("-"), U("  Konec"),
      U("Servis"), U("  Dvě řady tlačítek [x]"), U("  Nastavení programu"), U("-"),
      U("  Smazat nastavení seznamu"), U("  Kontrola nové verze"),
      U("Pomoc"), U("  O programu"),
      U("Konec"), U("  Opravdu"),
  };
  EXPECT_EQ(MenuText(form), expected);
}

TEST_F(TForm1Test, ListContextMenuHoldsItsItemsInOrder) {
  TForm1 form(false);
  std::vector<QString> items;
  for (QAction* item : form.PopupMenu1->actions()) {
    items.push_back(item->isSeparator() ? QStringLiteral("-") : item->text());
    if (item->menu() != nullptr)
      for (QAction* sub : item->menu()->actions()) items.push_back(QStringLiteral("  ") + sub->text());
  }
  const std::vector<QString> expected = {
      U("Setřídit podle sloupce"), U("-"), U("Hledat v seznamu"), U("-"), U("Export vybraných údajů do XLS"),
      U("Tisk aktuálního seznamu"), U("  Sestava"), U("-"), U("FILTR - přidat ="), U("FILTR - přidat Od"),
      U("FILTR - přidat Do"), U("FILTR - zobrazit filtr"), U("FILTR - smazat celý filtr"),
      U("FILTR - smazat poslední")};
  EXPECT_EQ(items, expected);
}

TEST_F(TForm1Test, CaptionsSizesAndTheEmptyTotals) {
  TForm1 form(false);
  EXPECT_EQ(form.windowTitle(), U("Tarvol05 - Evidence licenčních poplatků"));
  EXPECT_EQ(form.minimumSize(), QSize(790, 620));
  EXPECT_EQ(form.size(), QSize(881, 663));
  EXPECT_TRUE(form.ListCaption->font().bold());
  EXPECT_EQ(form.ListCaption->text(), U("Seznam - Žadatelé"));
  for (QLabel* total : {form.TotalQuantity, form.TotalFees, form.TotalPaid}) EXPECT_EQ(total->text(), U("0,00"));
  std::vector<QString> labels;
  for (QLabel* label : form.findChildren<QLabel*>()) labels.push_back(label->text());
  for (const char* caption : {"Množství", "Poplatky", "Zaplaceno", "Licenční poplatky", "Ovládání programu"})
    EXPECT_NE(std::find(labels.begin(), labels.end(), U(caption)), labels.end()) << caption;
  EXPECT_EQ(form.Doklad->PageControl1->tabText(0), U("  Základní údaje  "));
  const std::pair<QPushButton*, const char*> buttons[] = {
      {form.Doklad->suiButton15, "Zapsat"}, {form.Doklad->suiButton16, "Zpět"},
      {form.Doklad->suiButton21, "Smazat text"}, {form.Doklad->suiButton22, "Zrušit"},
      {form.suiButton2, "aktualizovat"}, {form.KonecButton, "konec"},
      {form.Doklad->Partneri->Prevzit(), "Převzít"}, {form.Doklad->Partneri->Zpet(), "Zpět"},
      {form.Doklad->Cenik->Prevzit(), "Převzít"}, {form.Doklad->Cenik->Zpet(), "Zpět"}};
  for (const auto& [button, caption] : buttons) EXPECT_EQ(button->text(), U(caption));
}

TEST_F(TForm1Test, ListAndRecordStatesMoveTheSplitterAndTheMenuItems) {
  TForm1 form(false);
  form.resize(1000, 800);
  form.show();
  const int height = form.OvcSplitter1->height();
  EXPECT_EQ(form.OvcSplitter1->Position(), height);
  EXPECT_FALSE(form.RecordArea->isVisible());
  EXPECT_TRUE(form.Novdoklad1->isEnabled());

  form.StavDoklad();
  EXPECT_TRUE(form.VeStavuDokladu());
  EXPECT_EQ(form.OvcSplitter1->Position(), height - 370);
  EXPECT_TRUE(form.RecordArea->isVisible());
  EXPECT_FALSE(form.Novdoklad1->isEnabled());
  EXPECT_FALSE(form.Opravit1->isEnabled());

  form.StavSeznam();
  EXPECT_FALSE(form.VeStavuDokladu());
  EXPECT_FALSE(form.RecordArea->isVisible());
  EXPECT_TRUE(form.Opravit1->isEnabled());
}

TEST_F(TForm1Test, TwoRowsOfButtonsAndTheSqueezedRecordForm) {
  TForm1 form(false);
  form.resize(1000, 800);
  form.show();
  EXPECT_EQ(form.ControlPanel->height(), 57);
  EXPECT_FALSE(form.SecondButtonRow->isVisible());
  form.Dvadytlatek1->trigger();
  EXPECT_EQ(form.ControlPanel->height(), 94);
  const auto reserved = form.SecondButtonRow->findChildren<QPushButton*>();
  ASSERT_EQ(reserved.size(), 8);
  for (QPushButton* button : reserved) {
    EXPECT_EQ(button->text(), U("není def."));
    EXPECT_FALSE(button->isEnabled());
  }
  form.Dvadytlatek1->trigger();
  EXPECT_EQ(form.ControlPanel->height(), 60);

  // A record form shown less than 300 pixels high is hidden on a panel resize
  // (the form's own least height would keep the splitter from going there).
  form.Doklad->setMinimumSize(1, 1);
  form.StavDoklad();
  form.OvladaniResize();
  EXPECT_TRUE(form.VeStavuDokladu());
  form.OvcSplitter1->SetPosition(form.OvcSplitter1->height() - 250);
  form.OvladaniResize();
  EXPECT_FALSE(form.VeStavuDokladu());
}

TEST_F(TForm1Test, AboutShowsTheProgramVersion) {
  TForm1 form(false);
  TScriptedDotaz script;
  form.Oprogramu1->trigger();
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].text, "Verze " + VerzeSouboru(""));
  EXPECT_EQ(script.Shown()[0].icon, TMsgIcon::Information);
  EXPECT_EQ(script.Shown()[0].buttons, std::vector<std::string>{"OK"});
}

TEST_F(TForm1Test, EveryCloseCommandClosesTheWindow) {
  for (const char* how : {"Konec1", "Opravdu1", "KonecButton"}) {
    TForm1 form(false);
    form.show();
    if (auto* item = form.findChild<QAction*>(QLatin1String(how))) item->trigger();
    else form.KonecButton->click();
    EXPECT_FALSE(form.isVisible()) << how;
  }
}

TEST_F(TForm1Test, BackOfThePartnerListUnpinsAndSlidesItBack) {
  TForm1 form(false);
  form.NastavSirkyPanelu();
  form.show();
  form.PartnerPanel->Pop(false);
  form.PartnerPanel->SetStayOn(true);
  form.Doklad->Partneri->Zpet()->click();
  EXPECT_FALSE(form.PartnerPanel->StayOn());
  EXPECT_EQ(form.PartnerPanel->CurrentWidth(), TSidePanel::kBarWidth);
}

// Without zarn.ini and ../Tarvol05.ini the register connects to the local
// server as root. Without code lists the start-up stops at their copy with the
// DBF layer's error, and closes the splash so that the error can be read.
TEST_F(TForm1Test, StartUpWithoutSettingsAndWithoutCodeLists) {
  TScriptedDotaz script;
  QElapsedTimer clock;
  clock.start();
  TForm1 form;
  ASSERT_FALSE(form.StartDialogTar1.isNull());
  EXPECT_TRUE(form.StartDialogTar1->Okno()->isVisible());
  const TConnectionSettings& server = form.ZConnection1.Settings();
  EXPECT_EQ(server.HostName, "localhost");
  EXPECT_EQ(server.User, "root");
  EXPECT_EQ(server.Password, "");
  EXPECT_EQ(server.Database, "tarvol");
  EXPECT_EQ(server.Port, 3306);
  EXPECT_EQ(form.CisloPC, "00");
  EXPECT_TRUE(form.TestVerze);
  EXPECT_EQ(form.PartnerPanel->PopWidth(), 455);
  EXPECT_EQ(form.NomenclaturePanel->PopWidth(), 385);
  EXPECT_EQ(form.DsDatabase1.DatabaseName(), (fs::current_path() / "data").string());
  EXPECT_GT(form.CasStartu, 0.0);
  EXPECT_LT(form.CasStartu, 1.0);

  PridejFiltr("zarhla", "where rok = 2006", "rok = 2006");
  form.show();
  while (!form.StartDialogTar1.isNull() && clock.elapsed() < 10000) Delay(50);
  EXPECT_TRUE(form.StartDialogTar1.isNull());
  EXPECT_TRUE(fs::is_directory("data"));
  ASSERT_FALSE(script.Shown().empty());
  EXPECT_EQ(script.Shown().back().icon, TMsgIcon::Stop);
  EXPECT_EQ(script.Shown().back().text, "Cannot open file");
  EXPECT_EQ(form.FiltrSQL, "");  // the saved filter is loaded after the code lists
  EXPECT_FALSE(TIniFile("zarn.ini").ValueExists("Dnes", "Datum"));
}

TEST_F(TForm1Test, StoredValuesOfZarnIniAreTakenAtStart) {
  TIniFile ini("zarn.ini");
  ini.WriteString("TForm1", "Label1_Caption", "123");
  ini.WriteString("TFmozno", "EditcisloPC_Text", "07");
  ini.WriteString("TFmozno", "suiCheckBoxTestVerze_Checked", "False");
  TScriptedDotaz script;
  TForm1 form;
  EXPECT_EQ(form.CisloPC, "07");
  EXPECT_FALSE(form.TestVerze);
  EXPECT_EQ(form.Spojeni.User, "root");
  form.show();
  EXPECT_EQ(form.Label1->text(), U("123"));  // restored before the show handling
}

TEST_F(TForm1Test, ClosingStoresTheCentreCodeAndForgettingTheListLayoutDeletesIt) {
  for (bool forget : {false, true}) {
    std::ofstream("zarn.slo") << "layout";
    {
      TForm1 form(false);
      form.show();
      if (forget) form.Smazatnastavenseznamu1->trigger();
      else form.close();
      EXPECT_FALSE(form.isVisible());
    }
    EXPECT_EQ(TIniFile("zarn.ini").ReadString("TForm1", "Label1_Caption", ""), "999");
    EXPECT_EQ(fs::exists("zarn.slo"), !forget);
  }
}

}  // namespace
}  // namespace zarn
