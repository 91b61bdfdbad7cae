#include "register/rozvrzeni_seznamu.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "dbf/memtable/mem_table.h"
#include "platform/dataset/dataset_model.h"
#include "platform/widgets/test_application.h"

namespace zarn {
namespace {

class RozvrzeniTest : public ::testing::Test {
 protected:
  std::string File(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }
};

TEST_F(RozvrzeniTest, FileKeepsOrderTitlesWidthsAndVisibility) {
  const TRozvrzeniSeznamu rozvrzeni = {{"zadatel", "\x8E" "adatel", 80, true}, {"id", "id", 0, false},
                                       {"suma", "Suma\tcelkem", 120, true}};
  const std::string path = File("rozvrzeni_test.slo");
  ASSERT_TRUE(UlozRozvrzeni(path, rozvrzeni));
  const std::optional<TRozvrzeniSeznamu> nactene = NactiRozvrzeni(path);
  ASSERT_TRUE(nactene.has_value());
  TRozvrzeniSeznamu expected = rozvrzeni;
  expected[2].title = "Suma celkem";  // a tab would split the line
  EXPECT_EQ(*nactene, expected);
  std::filesystem::remove(path);
}

TEST_F(RozvrzeniTest, MissingOrForeignFilesAreNotLoaded) {
  const std::string path = File("rozvrzeni_bad.slo");
  std::filesystem::remove(path);
  EXPECT_FALSE(NactiRozvrzeni(path).has_value());
  for (const char* text : {"", "layout\r\n", "ZARN-SLO 1\r\nid\tid\t10\r\n", "ZARN-SLO 1\r\nid\tid\tx\t1\r\n",
                           "ZARN-SLO 1\r\nid\tid\t10\t2\r\n", "ZARN-SLO 2\r\nid\tid\t10\t1\r\n"}) {
    std::ofstream(path, std::ios::binary) << text;
    EXPECT_FALSE(NactiRozvrzeni(path).has_value()) << text;
  }
  std::ofstream(path, std::ios::binary) << "ZARN-SLO 1\r\n";
  EXPECT_EQ(NactiRozvrzeni(path), TRozvrzeniSeznamu{});
  std::filesystem::remove(path);
}

// Columns named by the layout come first in its order; others follow; a name
// the list lacks is skipped.
TEST_F(RozvrzeniTest, GridTakesTheLayoutAndGivesItBack) {
  TestApplication();
  TDsMemTable list;
  for (const char* name : {"id", "zadatel", "rok", "suma"}) list.FieldDefs().Add(name, ftString, 10);
  list.Open();
  TDataSetModel model(&list);
  QTableView grid;
  grid.setModel(&model);
  PouzijRozvrzeni({{"suma", "Poplatek", 90, true}, {"gone", "x", 10, true}, {"id", "id", 40, false}}, grid);

  EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Poplatek"));
  const TRozvrzeniSeznamu expected = {{"suma", "Poplatek", 90, true},
                                      {"id", "id", 0, false},  // a hidden column has no width
                                      {"zadatel", "zadatel", grid.horizontalHeader()->defaultSectionSize(), true},
                                      {"rok", "rok", grid.horizontalHeader()->defaultSectionSize(), true}};
  EXPECT_EQ(RozvrzeniMrizky(grid), expected);
}

// The header's menu lists every column in the shown order with its check
// mark; unchecking hides, checking shows, and the last shown column stays.
TEST_F(RozvrzeniTest, ColumnMenuHidesAndShowsColumnsButNeverTheLastOne) {
  TestApplication();
  TDsMemTable list;
  for (const char* name : {"id", "zadatel", "rok"}) list.FieldDefs().Add(name, ftString, 10);
  list.Open();
  TDataSetModel model(&list);
  QTableView grid;
  grid.setModel(&model);
  QHeaderView* header = grid.horizontalHeader();
  PouzijRozvrzeni({{"rok", "Rok", 70, true}, {"id", "id", 0, false}}, grid);

  QMenu menu;
  NaplnNabidkuSloupcu(menu, grid);
  ASSERT_EQ(menu.actions().size(), 3);
  const struct {
    const char* title;
    bool checked;
  } expected[] = {{"Rok", true}, {"id", false}, {"zadatel", true}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(menu.actions()[i]->text(), QString::fromLatin1(expected[i].title));
    EXPECT_EQ(menu.actions()[i]->isChecked(), expected[i].checked) << expected[i].title;
    EXPECT_TRUE(menu.actions()[i]->isEnabled());
  }
  menu.actions()[1]->trigger();  // shows "id" again, at its former width
  EXPECT_FALSE(header->isSectionHidden(0));
  EXPECT_EQ(header->sectionSize(0), header->defaultSectionSize());
  menu.actions()[0]->trigger();
  menu.actions()[1]->trigger();
  EXPECT_TRUE(header->isSectionHidden(2));
  EXPECT_TRUE(header->isSectionHidden(0));

  NaplnNabidkuSloupcu(menu, grid);  // "zadatel" is the only column left
  ASSERT_EQ(menu.actions().size(), 3);
  EXPECT_FALSE(menu.actions()[2]->isEnabled());
  menu.actions()[2]->toggle();
  EXPECT_FALSE(header->isSectionHidden(1));
  EXPECT_EQ(header->hiddenSectionCount(), 2);
}

}  // namespace
}  // namespace zarn
