// The updater's export and hand-over against the test server, read back with
// dbfread.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/testing/temp_dir.h"
#include "platform/format_settings.h"
#include "platform/win1250.h"
#include "services/query.h"
#include "tests/updater_test_support.h"
#include "updater/kamenicky.h"
#include "updater/update_action.h"

namespace zarn {
namespace {

using testing::DbfReadBack;
using testing::ReadDbf;
using testing::ReadFile;
using testing::WriteFile;

class UpdaterExportTest : public testing::UpdaterServerTest {
 protected:
  void SetUp() override {
    UpdaterServerTest::SetUp();
    if (IsSkipped()) return;
    akce_ = std::make_unique<TAktualizace>(db_);
    akce_->Slozka.SetDatabaseName("data\\");
    akce_->Zprava = [this](const std::string& text, TMsgIcon icon) { zpravy_.emplace_back(text, icon); };
  }

  // The server's values of one column, as text, in the order given.
  std::vector<std::string> ServerColumn(const std::string& sql) {
    TServerQuery q(db_);
    q.SetText(sql);
    q.Open();
    std::vector<std::string> values;
    for (q.First(); !q.Eof(); q.Next()) values.push_back(q.Fields()[0].AsString());
    return values;
  }

  std::unique_ptr<TAktualizace> akce_;
  std::vector<std::pair<std::string, TMsgIcon>> zpravy_;
};

TEST_F(UpdaterExportTest, WholeTablesKeepTypesWidthsAndCzechText) {
  FormatSettings().ShortDateFormat = "d.M.yyyy";
  Aktualizuj(*akce_, "cenik", /*vyber=*/false, /*do_tarvolu=*/false);
  EXPECT_EQ(FormatSettings().ShortDateFormat, "d.M.yyyy");
  ASSERT_EQ(zpravy_.size(), 1u);
  EXPECT_EQ(Win1250ToUtf8(zpravy_[0].first), "Aktualizace souboru CENIK dokončena.");
  EXPECT_EQ(zpravy_[0].second, TMsgIcon::Information);
  EXPECT_FALSE(std::filesystem::exists("data/~cenik.dbf"));

  const DbfReadBack cenik = ReadDbf("data/cenik.dbf");
  struct Expected {
    const char* name;
    const char* type;
    int length;
    int decimals;
  };
  const Expected fields[] = {{"NOMENKLA", "C", 13, 0}, {"NAZEVOSIVA", "C", 40, 0}, {"NC", "N", 19, 4},
                             {"DAN", "N", 6, 0},       {"DRUH", "N", 11, 0},       {"PRACE", "C", 20, 0}};
  for (const Expected& f : fields) {
    ASSERT_GE(cenik.FieldIndex(f.name), 0) << f.name;
    const QJsonArray field = cenik.Field(f.name);
    EXPECT_EQ(field[1].toString(), f.type) << f.name;
    EXPECT_EQ(field[2].toInt(), f.length) << f.name;
    EXPECT_EQ(field[3].toInt(), f.decimals) << f.name;
  }
  EXPECT_EQ(cenik.FieldIndex("ID"), -1);
  const std::vector<std::string> names = ServerColumn("select NAZEVOSIVA from cenik order by id");
  ASSERT_EQ(cenik.records.size(), static_cast<qsizetype>(names.size()));
  for (size_t i = 0; i < names.size(); ++i)
    ASSERT_EQ(cenik.Text(static_cast<int>(i), "NAZEVOSIVA").toStdString(), Win1250ToUtf8(names[i]));
}

TEST_F(UpdaterExportTest, SelectionTakesTheFixedListOrEveryColumnButId) {
  Aktualizuj(*akce_, "adresar", /*vyber=*/true, false);
  Aktualizuj(*akce_, "okres", /*vyber=*/true, false);
  QStringList adresar, okres;
  for (const auto& f : ReadDbf("data/adresar.dbf").fields) adresar << f.toArray()[0].toString().toUpper();
  for (const auto& f : ReadDbf("data/okres.dbf").fields) okres << f.toArray()[0].toString().toUpper();
  EXPECT_EQ(adresar.join(","), "ICO,NAZEVPODNI,SIDLO,ULICECISLO,PSC,POSTA,KODPAR,KOD_PLATCE");
  EXPECT_EQ(okres.join(","), "KOD,NAZEV,KRAJ");
}

TEST_F(UpdaterExportTest, OnlyNewSkipsAnUnchangedTableSilently) {
  akce_->JenNove = true;
  Aktualizuj(*akce_, "adresar", false, false);  // no stamp yet: copied
  ASSERT_EQ(zpravy_.size(), 1u);
  WriteFile("data/adresar.dbf", "left alone");
  Aktualizuj(*akce_, "adresar", false, false);
  EXPECT_EQ(ReadFile("data/adresar.dbf"), "left alone");
  EXPECT_EQ(zpravy_.size(), 1u);

  akce_->JenNove = false;  // without the flag an unchanged table is copied
  Aktualizuj(*akce_, "adresar", false, false);
  EXPECT_EQ(ReadDbf("data/adresar.dbf").records.size(), static_cast<qsizetype>(ServerColumn("select id from adresar").size()));

  akce_->JenNove = true;  // a stamp other than the server's time is a change
  WriteFile("data/adresar.dbf", "left alone");
  TIniFile("zembu.ini").WriteString("UpdateTable", "adresar", "1.1.2000");
  Aktualizuj(*akce_, "adresar", false, false);
  EXPECT_NE(ReadFile("data/adresar.dbf"), "left alone");
}

TEST_F(UpdaterExportTest, UnsignedIntCannotBeStoredAndTheOldFileStays) {
  db_.Execute("DROP TABLE druh");
  db_.Execute("CREATE TABLE druh (id INT PRIMARY KEY, kod INT UNSIGNED, nazev VARCHAR(30))");
  db_.Execute(Utf8ToWin1250("INSERT INTO druh VALUES (1, 4000000000, 'Ječmen')"));
  std::filesystem::create_directory("data");
  WriteFile("data/druh.dbf", "the old file");
  Aktualizuj(*akce_, "druh", false, false);
  ASSERT_EQ(zpravy_.size(), 2u);
  EXPECT_EQ(Win1250ToUtf8(zpravy_[0].first), "Číselník DRUH nelze aktualizovat. Je obsazen.");
  EXPECT_EQ(zpravy_[0].second, TMsgIcon::Stop);
  EXPECT_EQ(Win1250ToUtf8(zpravy_[1].first), "Aktualizace souboru DRUH dokončena.");
  EXPECT_EQ(ReadFile("data/druh.dbf"), "the old file");
  EXPECT_FALSE(std::filesystem::exists("data/~druh.dbf"));

  zpravy_.clear();  // an automatic run still shows the failure, and only that
  akce_->Interaktivni = false;
  Aktualizuj(*akce_, "druh", false, false);
  ASSERT_EQ(zpravy_.size(), 1u);
  EXPECT_EQ(zpravy_[0].second, TMsgIcon::Stop);
}

TEST_F(UpdaterExportTest, AFileHeldByAnotherProgramIsNotReplaced) {
  Aktualizuj(*akce_, "odruda", false, false);
  const std::string before = ReadFile("data/odruda.dbf");
  TDsDatabase folder;
  folder.SetDatabaseName("data");
  TDsDbfTable held;
  held.SetDatabase(&folder);
  held.SetTableName("odruda");
  held.SetExclusive(true);
  held.Open();
  zpravy_.clear();
  db_.Execute(Utf8ToWin1250("UPDATE odruda SET NAZEV = 'Nová'"));
  Aktualizuj(*akce_, "odruda", false, false);
  held.Close();
  ASSERT_FALSE(zpravy_.empty());
  EXPECT_EQ(Win1250ToUtf8(zpravy_[0].first), "Číselník ODRUDA nelze aktualizovat. Je obsazen.");
  EXPECT_EQ(ReadFile("data/odruda.dbf"), before);
}

TEST_F(UpdaterExportTest, PraceHoldsTheWorkedLotsOrderedUnderPartie) {
  db_.Execute("UPDATE cenik SET prace = '' WHERE id % 3 = 0");
  Aktualizuj(*akce_, "prace", false, false);
  const std::vector<std::string> lots = ServerColumn("select prace from cenik where prace != '' order by prace");
  ASSERT_FALSE(lots.empty());
  EXPECT_LT(lots.size(), ServerColumn("select id from cenik").size());
  const DbfReadBack prace = ReadDbf("data/prace.dbf");
  ASSERT_GE(prace.FieldIndex("PARTIE"), 0);
  EXPECT_EQ(prace.FieldIndex("PRACE"), -1);
  ASSERT_EQ(prace.records.size(), static_cast<qsizetype>(lots.size()));
  for (size_t i = 0; i < lots.size(); ++i)
    EXPECT_EQ(prace.Text(static_cast<int>(i), "PARTIE").toStdString(), Win1250ToUtf8(lots[i]));
}

TEST_F(UpdaterExportTest, LongTextsBecomeMemosWithTheirWholeText) {
  db_.Execute("DROP TABLE dealertopc");
  db_.Execute("CREATE TABLE dealertopc (id INT PRIMARY KEY, dealer VARCHAR(10), poznamka VARCHAR(400), popis TEXT)");
  std::string longer;
  while (longer.size() < 300) longer += Utf8ToWin1250("Žluťoučký kůň úpěl ďábelské ódy. ");
  db_.Execute("INSERT INTO dealertopc VALUES (1, 'D1', '" + longer + "', '" + Utf8ToWin1250("krátký popis") + "'), (2, 'D2', '', NULL)");
  Aktualizuj(*akce_, "dealertopc", false, false);
  ASSERT_EQ(zpravy_.size(), 1u) << Win1250ToUtf8(zpravy_[0].first);
  const DbfReadBack dealers = ReadDbf("data/dealertopc.dbf");
  EXPECT_EQ(dealers.Field("POZNAMKA")[1].toString(), "M");
  EXPECT_EQ(dealers.Field("POPIS")[1].toString(), "M");
  ASSERT_EQ(dealers.records.size(), 2);
  EXPECT_EQ(dealers.Text(0, "POZNAMKA").toStdString(), Win1250ToUtf8(longer));
  EXPECT_EQ(dealers.Text(0, "POPIS").toStdString(), "krátký popis");
  EXPECT_EQ(dealers.Text(1, "DEALER").toStdString(), "D2");
}

TEST_F(UpdaterExportTest, DatesTimesAndNamesLongerThanTenCharacters) {
  db_.Execute("DROP TABLE ku");
  db_.Execute("CREATE TABLE ku (id INT PRIMARY KEY, nazev VARCHAR(20), platnost_od DATE, zmeneno DATETIME, "
              "cas TIME, nazev_katastru VARCHAR(12))");
  db_.Execute("INSERT INTO ku VALUES (1, 'B', '2024-03-07', '2024-03-07 10:20:30', '08:05:00', 'Bzenec'), "
              "(2, 'A', NULL, NULL, NULL, 'Adamov')");
  FormatSettings().ShortDateFormat = "d.M.yyyy";
  Aktualizuj(*akce_, "ku", false, false);
  ASSERT_EQ(zpravy_.size(), 1u) << Win1250ToUtf8(zpravy_[0].first);
  const DbfReadBack ku = ReadDbf("data/ku.dbf");
  EXPECT_EQ(ku.Field("PLATNOST_O")[1].toString(), "D");
  EXPECT_EQ(ku.Field("ZMENENO")[1].toString(), "C");
  EXPECT_EQ(ku.Field("ZMENENO")[2].toInt(), 30);
  EXPECT_EQ(ku.Field("CAS")[2].toInt(), 11);
  ASSERT_EQ(ku.records.size(), 2);
  EXPECT_EQ(ku.Text(0, "NAZEV"), "A");  // ordered by name
  EXPECT_EQ(ku.Text(1, "PLATNOST_O"), "2024-03-07");
  EXPECT_EQ(ku.Text(1, "ZMENENO"), "07.03.2024 10:20:30");
  EXPECT_EQ(ku.Text(1, "CAS"), "8:05:00");
  // The file cuts the name to ten characters; the values still arrive.
  EXPECT_EQ(ku.Text(0, "NAZEV_KATA"), "Adamov");
  EXPECT_EQ(ku.Text(1, "NAZEV_KATA"), "Bzenec");
}

TEST_F(UpdaterExportTest, HandOverRefillsTheExistingFileInKamenicky) {
  // The seed-trading program's own adresar.dbf: fewer columns than the
  // server, one the server lacks, and an old record.
  TDsDatabase folder;
  folder.SetDatabaseName("./");
  {
    TDsDbfTable own;
    own.SetDatabase(&folder);
    own.SetTableName("adresar");
    own.FieldDefs().Add("ZADATEL", ftString, 10);
    own.FieldDefs().Add("NAZEVPODNI", ftString, 60);
    own.FieldDefs().Add("POZNAMKA", ftString, 20);
    own.CreateTable();
    own.Open();
    own.Append();
    own.FieldByName("ZADATEL").SetAsString("OLD");
    own.Post();
    own.Close();
  }
  akce_->Slozka.SetDatabaseName("./");
  Aktualizuj(*akce_, "adresar", /*vyber=*/false, /*do_tarvolu=*/true);
  ASSERT_EQ(zpravy_.size(), 1u);
  EXPECT_EQ(Win1250ToUtf8(zpravy_[0].first), "Aktualizace souboru ADRESAR dokončena.");

  const DbfReadBack file = ReadDbf("adresar.dbf", "latin-1");
  ASSERT_EQ(file.fields.size(), 3);
  EXPECT_EQ(file.Field("NAZEVPODNI")[2].toInt(), 60);
  const std::vector<std::string> names = ServerColumn("select nazevpodni from adresar order by id");
  ASSERT_EQ(file.records.size(), static_cast<qsizetype>(names.size()));
  bool saw_czech = false;
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string stored = file.Text(static_cast<int>(i), "NAZEVPODNI").toLatin1().toStdString();
    EXPECT_EQ(stored, DoKamenickeho(names[i]));
    EXPECT_EQ(file.Text(static_cast<int>(i), "POZNAMKA"), "");
    saw_czech = saw_czech || stored != names[i];
  }
  EXPECT_TRUE(saw_czech) << "the demo names should hold Czech letters";
}

TEST_F(UpdaterExportTest, HandOverWithoutTheFileRaises) {
  akce_->Slozka.SetDatabaseName("./");
  EXPECT_THROW(Aktualizuj(*akce_, "cenik", false, true), EDatabaseError);
  EXPECT_TRUE(zpravy_.empty());
}

}  // namespace
}  // namespace zarn
