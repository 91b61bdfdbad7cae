// The settings window: what it shows and stores in zarn.ini, the period list
// it reads and writes, the groups and the window heights.
#include "register/fmozno.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <fstream>
#include <sstream>

#include "platform/ini_file.h"
#include "platform/widgets/message_box.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"
#include "services/testing_folder.h"

namespace zarn {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string Stored(const std::string& key) { return TIniFile("zarn.ini").ReadString("TFmozno", key, "<none>"); }

class FmoznoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TestApplication(); }
  ScratchWorkingFolder folder_{"fmozno"};
  // "0  běžný příjem" and "5  vrácení osiva" in Windows-1250, CR LF.
  const std::string periods_ = Utf8ToWin1250("0  běžný příjem\r\n5  vrácení osiva\r\n");
};

TEST_F(FmoznoTest, OpenAndCloseWithNothingStoredKeepsStartDefaultsAndThePeriodList) {
  WriteFile("obdobi.dtx", periods_);
  {
    TFmozno window;
    window.show();
    EXPECT_EQ(window.height(), kFmoznoCollapsedHeight);
    EXPECT_EQ(window.OpenGroup(), -1);
    EXPECT_EQ(window.EditIP->text(), "localhost");
    EXPECT_EQ(window.EditcisloPC->text(), "00");
    EXPECT_TRUE(window.EditIP->isReadOnly() && window.EditcisloPC->isReadOnly());
    EXPECT_TRUE(window.suiCheckBoxTestVerze->isChecked());
    EXPECT_FALSE(window.suiCheckBoxCentrum->isChecked());
    EXPECT_EQ(window.Memo1->toPlainText(), QString::fromUtf8("0  běžný příjem\n5  vrácení osiva"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    window.suiButton1Click();
  }
  EXPECT_EQ(ReadFile("obdobi.dtx"), periods_);
  EXPECT_EQ(Stored("EditIP_Text"), "localhost");
  EXPECT_EQ(Stored("EditcisloPC_Text"), "00");
  EXPECT_EQ(Stored("suiCheckBoxTestVerze_Checked"), "True");
  EXPECT_EQ(Stored("suiCheckBoxCentrum_Checked"), "False");
  EXPECT_EQ(Stored("Editkdevysta_Text"), "");
  EXPECT_EQ(TIniFile("zarn.ini").ReadSection("TFmozno").size(), 20u);
}

TEST_F(FmoznoTest, StoredValuesComeBackAndEditsAreStoredOnClosing) {
  WriteFile("obdobi.dtx", periods_);
  TIniFile ini("zarn.ini");
  ini.WriteString("TFmozno", "EditIP_Text", "10.0.0.5");
  ini.WriteString("TFmozno", "EditcisloPC_Text", "07");
  ini.WriteString("TFmozno", "Editnazev_Text", Utf8ToWin1250("Osiva Žďár a.s."));
  {
    TFmozno window;
    window.show();
    EXPECT_EQ(window.EditIP->text(), "10.0.0.5");
    EXPECT_EQ(window.EditcisloPC->text(), "07");
    EXPECT_EQ(window.Editnazev->text(), QString::fromUtf8("Osiva Žďár a.s."));
    window.suiCheckBoxTestVerze->setChecked(false);
    window.EditEmail->setText("info@osiva.cz");
    window.Memo1->setPlainText(QString::fromUtf8("1  čištění ve mzdě\n"));
    window.close();
  }
  EXPECT_EQ(Stored("suiCheckBoxTestVerze_Checked"), "False");
  EXPECT_EQ(Stored("EditEmail_Text"), "info@osiva.cz");
  EXPECT_EQ(Stored("EditIP_Text"), "10.0.0.5");
  EXPECT_EQ(Stored("Editnazev_Text"), Utf8ToWin1250("Osiva Žďár a.s."));
  EXPECT_EQ(ReadFile("obdobi.dtx"), Utf8ToWin1250("1  čištění ve mzdě\r\n"));
}

TEST_F(FmoznoTest, FieldsTakeNoMoreThanTheirMaximumLength) {
  TFmozno window;
  const std::pair<QLineEdit*, int> limits[] = {
      {window.EditcisloPC, 2}, {window.Editpodnik, 4}, {window.EditICO, 10}, {window.EditDIC, 10},
      {window.EditPSC, 6},     {window.EditTelefon, 24}, {window.EditFax, 24}};
  for (const auto& [edit, limit] : limits) {
    edit->setText(QString(40, QLatin1Char('9')));
    EXPECT_EQ(edit->text().size(), limit) << edit->objectName().toStdString();
  }
  window.Editnazev->setText(QString(100, QLatin1Char('x')));
  EXPECT_EQ(window.Editnazev->text().size(), 100);
}

TEST_F(FmoznoTest, ExpandingAGroupCollapsesTheOthersAndSetsTheHeight) {
  WriteFile("obdobi.dtx", periods_);
  TFmozno window;
  window.show();
  const int heights[] = {230, 455, 290};
  void (TFmozno::*const pops[])() = {&TFmozno::suiPanel1Pop, &TFmozno::suiPanel2Pop, &TFmozno::suiPanel3Pop};
  for (int group : {1, 0, 2, 1}) {
    (window.*pops[group])();
    EXPECT_EQ(window.OpenGroup(), group);
    EXPECT_EQ(window.height(), heights[group]);
    EXPECT_EQ(window.Editnazev->isVisible(), group == 1);
    EXPECT_EQ(window.Memo1->isVisible(), group == 2);
  }
  window.close();
}

TEST_F(FmoznoTest, EmptyBoxGivesAnEmptyFileAndAMissingListIsReportedAndLeftMissing) {
  WriteFile("obdobi.dtx", periods_);
  {
    TFmozno window;
    window.show();
    window.Memo1->clear();
    window.close();
  }
  EXPECT_EQ(ReadFile("obdobi.dtx"), "");

  std::filesystem::remove("obdobi.dtx");
  TScriptedDotaz answers({mrOk});
  TFmozno window;
  EXPECT_EQ(window.exec(), QDialog::Rejected);
  ASSERT_EQ(answers.Shown().size(), 1u);
  EXPECT_EQ(answers.Shown()[0].icon, TMsgIcon::Stop);
  EXPECT_EQ(Win1250ToUtf8(answers.Shown()[0].text), "Nelze otevřít soubor obdobi.dtx");
  EXPECT_FALSE(std::filesystem::exists("obdobi.dtx"));
}

// The list is written beside the old one and renamed over it; when either
// step fails the old list stays whole and the user is told once.
TEST_F(FmoznoTest, PeriodListThatCannotBeWrittenIsReportedAndTheOldOneStays) {
  struct Case {
    const char* what;
    const char* blocked;   // the path made a folder before closing
    bool list_is_blocked;  // the blocked path is obdobi.dtx itself
  } cases[] = {
      {"the temporary name is taken by a folder", "obdobi.dtx.tmp", false},
      {"obdobi.dtx became a folder while the window was open", "obdobi.dtx", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all("obdobi.dtx");
    std::filesystem::remove_all("obdobi.dtx.tmp");
    WriteFile("obdobi.dtx", periods_);
    TScriptedDotaz answers({mrOk});
    TFmozno window;
    window.show();
    window.Memo1->setPlainText(QString::fromUtf8("9  nové období"));
    if (c.list_is_blocked) std::filesystem::remove("obdobi.dtx");
    std::filesystem::create_directories(std::string(c.blocked) + "/inside");
    window.close();
    ASSERT_EQ(answers.Shown().size(), 1u);
    EXPECT_EQ(answers.Shown()[0].icon, TMsgIcon::Stop);
    EXPECT_EQ(Win1250ToUtf8(answers.Shown()[0].text),
              "Nelze zapsat do souboru obdobi.dtx. Seznam období zůstal beze změny.");
    EXPECT_TRUE(std::filesystem::exists(std::string(c.blocked) + "/inside"));
    if (c.list_is_blocked) {
      EXPECT_FALSE(std::filesystem::exists("obdobi.dtx.tmp")) << "the new copy is not left lying about";
    } else {
      EXPECT_EQ(ReadFile("obdobi.dtx"), periods_);
    }
  }
}

TEST(FmoznoLines, TextBoxLinesAsTheyGoToTheFile) {
  EXPECT_EQ(LinesOfText(""), std::vector<std::string>{});
  EXPECT_EQ(LinesOfText("a\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(LinesOfText("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
}

}  // namespace
}  // namespace zarn
