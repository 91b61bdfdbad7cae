#include "platform/widgets/form_storage.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/widgets/busy_window.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

namespace fs = std::filesystem;

// A window with the three kinds of stored controls, like the settings window.
struct SettingsLikeWindow {
  SettingsLikeWindow() {
    EditIP->setObjectName("EditIP");
    TestVerze->setObjectName("suiCheckBoxTestVerze");
    TestVerze->setChecked(true);
    Label1->setObjectName("Label1");
  }
  QDialog window;
  QLineEdit* EditIP = new QLineEdit(&window);
  QCheckBox* TestVerze = new QCheckBox(&window);
  QLabel* Label1 = new QLabel(&window);
};

class FormStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    ini = (fs::temp_directory_path() / ("form_storage_" + std::to_string(QCoreApplication::applicationPid()) + ".ini")).string();
    fs::remove(ini);
  }
  void TearDown() override { fs::remove(ini); }

  std::string FileText() const {
    std::ifstream in(ini, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  TFormStorage* StorageFor(SettingsLikeWindow& w) {
    auto* storage = new TFormStorage(&w.window, ini);
    storage->SetIniSection("TFmozno");
    storage->StoredProps = {"EditIP.Text", "suiCheckBoxTestVerze.Checked", "Label1.Caption", "Missing.Text"};
    return storage;
  }

  std::string ini;
};

TEST_F(FormStorageTest, SectionIsTheWindowClassNameWithoutNamespace) {
  Tpracuji busy;
  EXPECT_EQ(TFormStorage(&busy).IniSection(), "Tpracuji");
  EXPECT_EQ(TFormStorage(&busy).IniFileName(), "zarn.ini");
  EXPECT_EQ(StorageKey("EditIP", "Text"), "EditIP_Text");
}

TEST_F(FormStorageTest, WritesControlUnderscorePropertyKeysWithTheirTexts) {
  SettingsLikeWindow w;
  TFormStorage* storage = StorageFor(w);
  w.EditIP->setText(QString::fromUtf8("server-č"));
  w.TestVerze->setChecked(false);
  w.Label1->setText("999");
  ASSERT_TRUE(storage->SaveFormPlacement());
  EXPECT_EQ(FileText(), "[TFmozno]\r\nEditIP_Text=server-" + Utf8ToWin1250("č") +
                            "\r\nsuiCheckBoxTestVerze_Checked=False\r\nLabel1_Caption=999\r\n");
  w.TestVerze->setChecked(true);
  ASSERT_TRUE(storage->SaveFormPlacement());
  EXPECT_EQ(TIniFile(ini).ReadString("TFmozno", "suiCheckBoxTestVerze_Checked", ""), "True");
}

TEST_F(FormStorageTest, ShowingPutsStoredValuesBackAndHidingStoresThem) {
  TIniFile file(ini);
  file.WriteString("TFmozno", "EditIP_Text", "10.0.0.5");
  file.WriteString("TFmozno", "suiCheckBoxTestVerze_Checked", "false");
  SettingsLikeWindow w;
  w.Label1->setText("keep me");  // no key stored: stays as designed
  StorageFor(w);
  w.window.show();
  EXPECT_EQ(w.EditIP->text(), "10.0.0.5");
  EXPECT_FALSE(w.TestVerze->isChecked());
  EXPECT_EQ(w.Label1->text(), "keep me");
  w.EditIP->setText("db.example");
  w.window.hide();
  EXPECT_EQ(file.ReadString("TFmozno", "EditIP_Text", ""), "db.example");
  EXPECT_EQ(file.ReadString("TFmozno", "Label1_Caption", ""), "keep me");
}

TEST_F(FormStorageTest, CheckedTextOtherThanTrueOrFalseLeavesTheBox) {
  TIniFile(ini).WriteString("TFmozno", "suiCheckBoxTestVerze_Checked", "1");
  SettingsLikeWindow w;
  StorageFor(w)->RestoreFormPlacement();
  EXPECT_TRUE(w.TestVerze->isChecked());
}

TEST_F(FormStorageTest, PlacementOfAFixedDialogIsItsPositionOnly) {
  SettingsLikeWindow w;
  w.window.setFixedSize(260, 513);
  w.window.move(40, 50);
  TFormStorage* storage = StorageFor(w);
  storage->StorePlacement = true;
  ASSERT_TRUE(storage->SaveFormPlacement());
  TIniFile file(ini);
  EXPECT_EQ(file.ReadInteger("TFmozno", "Left", -1), 40);
  EXPECT_EQ(file.ReadInteger("TFmozno", "Top", -1), 50);
  EXPECT_FALSE(file.ValueExists("TFmozno", "Width"));
  SettingsLikeWindow again;
  again.window.setFixedSize(260, 513);
  TFormStorage* restore = StorageFor(again);
  restore->StorePlacement = true;
  restore->RestoreFormPlacement();
  EXPECT_EQ(again.window.pos(), QPoint(40, 50));
}

}  // namespace
}  // namespace zarn
