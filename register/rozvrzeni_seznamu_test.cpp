#include "register/rozvrzeni_seznamu.h"

#include <QHeaderView>
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

}  // namespace
}  // namespace zarn
