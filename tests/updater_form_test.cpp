// The updater's window against the test server: the automatic run, the
// only-new switch from the command line, the hand-over mode and the
// message dialog.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>

#include "platform/widgets/message_box.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"
#include "tests/updater_test_support.h"
#include "updater/change_check.h"
#include "updater/progress_form.h"
#include "updater/zembu_form.h"

namespace zarn {
namespace {

using testing::ReadDbf;
using testing::ReadFile;
using testing::WriteFile;

class UpdaterFormTest : public testing::UpdaterServerTest {
 protected:
  void SetUp() override {
    TestApplication();
    UpdaterServerTest::SetUp();
  }

  static void Ini(const std::string& key, const std::string& value) {
    TIniFile("zembu.ini").WriteString("TForm1", key, value);
  }

  // Shows the window and lets it work until it has closed itself, or for at
  // most `ms` milliseconds.
  static void ShowAndRun(TForm1& form, int ms = 20000) {
    form.show();
    QElapsedTimer clock;
    clock.start();
    do {
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    } while (form.isVisible() && clock.elapsed() < ms);
  }
};

TEST_F(UpdaterFormTest, AutomaticRunTakesTheDigitsInOrderAndCloses) {
  Ini("EditCoDelat_Text", "10");
  TScriptedDotaz dotaz;
  TForm1 form({"zembu"});
  std::vector<std::string> captions;
  const TPrubehKopie shown = form.Akce.Prubeh;
  form.Akce.Prubeh = [&](int hotovo, int celkem) {
    if (hotovo == 1) captions.push_back(form.Form2->Caption());
    shown(hotovo, celkem);
  };
  ShowAndRun(form);
  EXPECT_FALSE(form.isVisible());
  EXPECT_LT(form.frameGeometry().bottom(), -2000);  // moved off the screen before closing
  EXPECT_EQ(captions, (std::vector<std::string>{"Aktualizuji ADRESAR", "Aktualizuji CENIK"}));
  EXPECT_TRUE(dotaz.Shown().empty());
  EXPECT_EQ(ReadDbf("data/adresar.dbf").records.size(), 50);
  EXPECT_GT(ReadDbf("data/cenik.dbf").records.size(), 0);
  EXPECT_FALSE(std::filesystem::exists("data/okres.dbf"));
}

TEST_F(UpdaterFormTest, LowerCaseOnlyNewArgumentLeavesAnUnchangedTable) {
  Ini("EditCoDelat_Text", "0");
  TIniFile("zembu.ini").WriteString("UpdateTable", "adresar", DateTimeToStr(CasZmenyTabulky(db_, "adresar")));
  std::filesystem::create_directory("data");
  WriteFile("data/adresar.dbf", "left alone");
  TScriptedDotaz dotaz;
  TForm1 form({"zembu", "/jennovy", "/ignored"});
  EXPECT_TRUE(form.Akce.JenNove);
  ShowAndRun(form);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(ReadFile("data/adresar.dbf"), "left alone");
  EXPECT_TRUE(dotaz.Shown().empty());
}

TEST_F(UpdaterFormTest, HandOverModeWaitsForTheUserAndReindexesAtTheEnd) {
  Ini("EditDoTarvol_Text", "ANO");
  Ini("TarvolCesta", "..\\tarvol");
  // A stand-in for the seed-trading program: notes where and how it ran.
  std::filesystem::create_directory("../tarvol");
  WriteFile("../tarvol/tarvol", "#!/bin/sh\necho \"$(pwd) $*\" > ../tarvol_ran.txt\n");
  std::filesystem::permissions("../tarvol/tarvol", std::filesystem::perms::owner_all);
  const auto own_folder = std::filesystem::current_path();
  TScriptedDotaz dotaz;
  {
    TForm1 form({"zembu"});
    ShowAndRun(form, 300);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.suiCheckBox1->isChecked());
    EXPECT_FALSE(form.RadioGroup2->isEnabled());
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(form.Soubory->button(i)->isEnabled(), i < 2 || i > 4) << i;
    EXPECT_EQ(form.Akce.Slozka.DatabaseName(), "./");
    EXPECT_FALSE(std::filesystem::exists("../tarvol_ran.txt"));
    form.close();
  }
  EXPECT_EQ(std::filesystem::current_path(), own_folder);
  EXPECT_EQ(ReadFile("../tarvol_ran.txt"),
            std::filesystem::canonical("../tarvol").string() + " index\n");
  EXPECT_TRUE(dotaz.Shown().empty());
}

TEST_F(UpdaterFormTest, AnErrorEndsTheAutomaticRunAndTheWindowStays) {
  Ini("EditCoDelat_Text", "01");
  Ini("EditDoTarvol_Text", "ANO");
  Ini("TarvolCesta", "../nowhere");
  TScriptedDotaz dotaz;
  TForm1 form({"zembu"});
  ShowAndRun(form, 3000);
  EXPECT_TRUE(form.isVisible());
  EXPECT_GT(form.frameGeometry().bottom(), 0);
  ASSERT_EQ(dotaz.Shown().size(), 1u);  // adresar.dbf is missing; cenik is never reached
  EXPECT_EQ(dotaz.Shown()[0].icon, TMsgIcon::Stop);
  EXPECT_EQ(dotaz.Shown()[0].text, "Cannot open file");
  EXPECT_FALSE(form.Form2);
  form.close();
}

TEST_F(UpdaterFormTest, ButtonWithoutATableAndTheMessageCaption) {
  TForm1 form({"zembu"}, /*spustit=*/false);
  EXPECT_EQ(form.windowTitle(), "Aktualizace číselníků");
  EXPECT_EQ(form.ItemIndexSoubor(), -1);
  EXPECT_TRUE(form.Cely->isChecked());
  EXPECT_FALSE(form.suiCheckBox1->isChecked());
  {
    TScriptedDotaz dotaz;
    form.BitBtn1->click();
    ASSERT_EQ(dotaz.Shown().size(), 1u);
    EXPECT_EQ(dotaz.Shown()[0].icon, TMsgIcon::Stop);
    EXPECT_EQ(dotaz.Shown()[0].buttons, std::vector<std::string>{"OK"});
  }
  // A real box: it carries the dialog's own caption.
  QString title;
  QTimer::singleShot(0, [&title] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) return;
    title = box->windowTitle();
    box->close();
  });
  form.suiMessageDialog1.ShowMessage(&form, "Zkouska", TMsgIcon::Information);
  EXPECT_EQ(title, "Aktualizace DBF z SQL");
}

}  // namespace
}  // namespace zarn
