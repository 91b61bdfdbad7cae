#include "register/hledat.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include "dbf/memtable/mem_table.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

// Enter pressed in `widget`, delivered as the window system would.
void Enter(QWidget* widget) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

class HledatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list_.FieldDefs().Add("nazev", ftString, 20);
    list_.FieldDefs().Add("rok", ftInteger);
    list_.Open();
    int rok = 2004;
    for (const char* nazev : {"Agro Brno", "ŠLECHTITEL", "Osiva Šlechtění", "agrotrade"}) {
      list_.Append();
      list_.FieldByName("nazev").SetAsString(Utf8ToWin1250(nazev));
      list_.FieldByName("rok").SetAsInteger(rok++);
      list_.Post();
    }
  }
  TDsMemTable list_;
};

TEST_F(HledatTest, FindsTheTextAnywhereInAValueInAnyCase) {
  const TField& nazev = list_.FieldByName("nazev");
  const struct {
    const char* text;
    int from;
    int row;
  } cases[] = {{"agro", 0, 0}, {"agro", 1, 3}, {"šlecht", 0, 1}, {"ŠLECHTĚ", 0, 2}, {"brno", 1, -1}, {"", 2, 2},
               {"xyz", 0, -1}};
  for (const auto& c : cases)
    EXPECT_EQ(NajdiVSeznamu(list_, nazev, Utf8ToWin1250(c.text), c.from), c.row) << c.text << " " << c.from;
  EXPECT_EQ(NajdiVSeznamu(list_, list_.FieldByName("rok"), "06"), 2);
}

// Typing moves the list to the first row containing the text; Enter moves it
// to the next one and, past the last, starts from the top again.
TEST_F(HledatTest, TypingMovesTheListAndEnterGoesToTheNextMatch) {
  TestApplication();
  list_.First();
  THledat dialog(list_, {&list_.FieldByName("nazev"), &list_.FieldByName("rok")}, &list_.FieldByName("nazev"));
  dialog.show();
  dialog.Edit->setFocus();
  dialog.Edit->setText(QStringLiteral("grO"));
  EXPECT_EQ(list_.RecNo(), 1);
  EXPECT_EQ(dialog.Hodnota->text(), QStringLiteral("Agro Brno"));
  Enter(dialog.Edit);
  EXPECT_EQ(dialog.Nalezeno(), 3);
  EXPECT_EQ(list_.RecNo(), 4);
  EXPECT_EQ(dialog.Hodnota->text(), QStringLiteral("agrotrade"));
  Enter(dialog.Edit);  // no match after the last one: the list stays
  EXPECT_EQ(dialog.Nalezeno(), -1);
  EXPECT_EQ(dialog.Hodnota->text(), QStringLiteral("nenalezeno"));
  EXPECT_EQ(list_.RecNo(), 4);
  Enter(dialog.Edit);  // and the next Enter starts from the top
  EXPECT_EQ(list_.RecNo(), 1);
  EXPECT_TRUE(dialog.isVisible());  // Enter never closes the dialog
  dialog.Edit->setText(QStringLiteral("xyz"));
  EXPECT_EQ(dialog.Hodnota->text(), QStringLiteral("nenalezeno"));
  EXPECT_EQ(list_.RecNo(), 1);  // a text not found leaves the list where it is

  dialog.Sloupec->setCurrentIndex(1);
  dialog.Edit->setText(QStringLiteral("07"));
  EXPECT_EQ(list_.RecNo(), 4);
  dialog.OK->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(list_.RecNo(), 4);
}

TEST_F(HledatTest, BackPutsTheListOnItsFormerRow) {
  TestApplication();
  list_.First();
  list_.Next();
  THledat dialog(list_, {&list_.FieldByName("nazev")}, &list_.FieldByName("nazev"));
  dialog.Edit->setText(QString::fromUtf8("osiva"));
  EXPECT_EQ(list_.RecNo(), 3);
  dialog.Zpet->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(list_.RecNo(), 2);
}

}  // namespace
}  // namespace zarn
