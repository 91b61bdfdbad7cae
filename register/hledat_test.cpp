#include "register/hledat.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "dbf/memtable/mem_table.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

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

TEST_F(HledatTest, OkMovesTheListToTheFoundRowAndBackLeavesIt) {
  TestApplication();
  list_.First();
  {
    THledat dialog(list_, {&list_.FieldByName("nazev"), &list_.FieldByName("rok")}, &list_.FieldByName("nazev"));
    dialog.Edit->setText(QStringLiteral("agro"));
    dialog.Dalsi->click();
    EXPECT_EQ(dialog.Nalezeno(), 3);
    dialog.Zpet->click();
  }
  EXPECT_EQ(list_.RecNo(), 1);
  THledat dialog(list_, {&list_.FieldByName("nazev")}, &list_.FieldByName("nazev"));
  dialog.Edit->setText(QString::fromUtf8("osiva"));
  dialog.OK->click();
  EXPECT_EQ(list_.RecNo(), 3);
}

}  // namespace
}  // namespace zarn
