// The main window against the real server: a scratch database with the
// register's tables, a scratch program folder with the code lists and
// "../Tarvol05.ini" pointing at the scratch database.
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/ds_database.h"
#include "platform/dataset/dataset_model.h"
#include "platform/format_settings.h"
#include "platform/ini_file.h"
#include "platform/widgets/delay.h"
#include "platform/widgets/splash.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"
#include "register/aktualizace_ciselniku.h"
#include "register/zarhla.h"
#include "services/day_marker.h"
#include "services/saved_filter.h"
#include "services/testing_folder.h"
#include "tests/server_test_support.h"

namespace zarn {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The CREATE TABLE statement of `table` in the project's schema.
std::string SchemaTable(const std::string& table) {
  std::ifstream in(std::string(ZARN_SOURCE_DIR) + "/sql/schema.sql");
  std::stringstream text;
  text << in.rdbuf();
  const std::string schema = text.str();
  const size_t start = schema.find("CREATE TABLE IF NOT EXISTS " + table + " (");
  if (start == std::string::npos) return "";
  return schema.substr(start, schema.find(';', start) - start);
}

void CreateCodeList(TDsDatabase& folder, const char* name, const std::vector<const char*>& fields) {
  TDsDbfTable table;
  table.SetDatabase(&folder);
  table.SetTableName(name);
  for (const char* field : fields) table.FieldDefs().Add(field, ftString, 20);
  table.CreateTable();
  table.Open();
  table.Append();
  for (const char* field : fields) table.FieldByName(field).SetAsString("x");
  table.Post();
  table.Close();
}

class ZarhlaServerTest : public testing::ServerTest {
 protected:
  void SetUp() override {
    testing::ServerTest::SetUp();
    if (IsSkipped()) return;
    TestApplication();
    saved_format_ = FormatSettings();
    FormatSettings() = CzechFormatSettings();
    folder_ = std::make_unique<ScratchWorkingFolder>("zarhla_server", "zarn05");
    boxes_ = std::make_unique<TScriptedDotaz>();
    for (const char* table : {"zarnzada", "epri", "historiem"}) {
      db_.Execute(std::string("DROP TABLE IF EXISTS ") + table);
      db_.Execute(SchemaTable(table));
    }
    db_.Execute(
        "insert into zarnzada (zadatel, rok, nomenkla, mnozstvi, suma, zaplacena, PRIH_PLOCH) values "
        "('0123', '2006', 'N1', 1000.5, 100.25, '1999-11-11', 0),"
        "('0123', '2007', 'N2', 234, 20, '1999-11-12', 7),"
        "('0456', '2006', 'N1', 1, 1000, '2006-03-05', 0)");
    TIniFile tarvol("../Tarvol05.ini");
    tarvol.WriteString("LogON", "IP", settings_.HostName);
    tarvol.WriteString("LogON", "User", settings_.User);
    tarvol.WriteString("LogON", "Password", settings_.Password);
    tarvol.WriteString("LogON", "Database", settings_.Database);
    tarvol.WriteString("LogON", "SQLport", std::to_string(settings_.Port));
    TIniFile("zarn.ini").WriteString("TFmozno", "suiCheckBoxTestVerze_Checked", "False");
    TarvolUzDnes();  // the family has started today: no code-list refresh at start
    std::filesystem::create_directory("data");
    TDsDatabase data;
    data.SetDatabaseName("data");
    CreateCodeList(data, "adresar.dbf", {"ico", "nazevpodni", "zadatel"});
    CreateCodeList(data, "cenik.dbf", {"NOMENKLA", "NAZEVOSIVA"});
  }
  void TearDown() override {
    boxes_.reset();
    folder_.reset();
    if (!IsSkipped()) FormatSettings() = saved_format_;
  }

  // Creates the window as the program does and waits for its start-up.
  std::unique_ptr<TForm1> Start() {
    auto form = std::make_unique<TForm1>();
    form->show();
    for (int waited = 0; !form->StartDialogTar1.isNull() && waited < 10000; waited += 50) Delay(50);
    Delay(50);
    return form;
  }

  // Selects the cell of `column` in the first row whose `column` shows `text`.
  static void SelectCell(TForm1& form, const char* column, const char* text) {
    auto* model = form.ListModel;
    const int col = model->ColumnOf(form.ZQuery1.FindField(column));
    ASSERT_GE(col, 0) << column;
    for (int row = 0; row < model->rowCount(); ++row)
      if (model->index(row, col).data().toString() == U(text)) {
        form.suiDBGrid1->setCurrentIndex(model->index(row, col));
        return;
      }
    FAIL() << column << " " << text;
  }

  std::string Value(const std::string& sql) {
    const QueryResult result = db_.Query(sql);
    return result.RowCount() == 1 ? result.Value(0, 0).ToString() : "(no row)";
  }

  TFormatSettings saved_format_;
  std::unique_ptr<ScratchWorkingFolder> folder_;
  std::unique_ptr<TScriptedDotaz> boxes_;  // every box is answered, none blocks
};

TEST_F(ZarhlaServerTest, StartShowsTheRecordsWithTheirTotalsAndWritesTheUsageRow) {
  PridejFiltr("zarhla", "where rok = '2006'", "rok = 2006");
  const auto form = Start();
  EXPECT_TRUE(form->StartDialogTar1.isNull());
  EXPECT_EQ(form->ZQuery1.SQL(), (std::vector<std::string>{"select * from zarnzada", "where rok = '2006'", ""}));
  EXPECT_EQ(form->ListModel->rowCount(), 2);
  EXPECT_EQ(form->ListCaption->text(), U("Seznam - Žadatelé - filtr: rok = 2006"));
  EXPECT_EQ(form->TotalQuantity->text(), U("1 001,5000"));
  EXPECT_EQ(form->TotalFees->text(), U("1 100,25"));
  EXPECT_EQ(form->TotalPaid->text(), U("1 000,00"));  // 11 November 1999 is not paid
  EXPECT_EQ(form->DsMemTable1.RecordCount(), 1);
  EXPECT_EQ(form->DsMemTable33.RecordCount(), 1);
  EXPECT_EQ(Value("select count(*) from historiem"), "1");
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(ZarhlaServerTest, FilterStepsSurviveARestartAndStepBack) {
  {
    const auto form = Start();
    EXPECT_EQ(form->ListModel->rowCount(), 3);
    EXPECT_EQ(form->TotalPaid->text(), U("1 020,00"));
    SelectCell(*form, "zadatel", "0123");
    form->Pidatdotdchokle1->trigger();
    SelectCell(*form, "rok", "2007");
    form->FILTRpidatOd1->trigger();
    EXPECT_EQ(form->FiltrSQL, "where zadatel = '0123' AND rok >= '2007'");
    EXPECT_EQ(form->ListModel->rowCount(), 1);
    EXPECT_EQ(form->ListCaption->text(), U("Seznam - Žadatelé - filtr: zadatel = 0123, rok >= 2007"));
  }
  const auto form = Start();
  EXPECT_EQ(form->FiltrSQL, "where zadatel = '0123' AND rok >= '2007'");
  EXPECT_EQ(form->ListModel->rowCount(), 1);

  form->FILTRsmazatposledn1->trigger();
  EXPECT_EQ(form->FiltrSQL, "where zadatel = '0123'");
  EXPECT_EQ(form->ListModel->rowCount(), 2);
  form->FILTRsmazatposledn1->trigger();
  EXPECT_EQ(form->FiltrSQL, "");
  EXPECT_EQ(form->ListModel->rowCount(), 3);
  EXPECT_EQ(form->ListCaption->text(), U("Seznam - Žadatelé"));
  form->Zobrazfiltr1->trigger();
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Shown()[0].text, Utf8ToWin1250("Žádný filtr"));
}

TEST_F(ZarhlaServerTest, SortingTwiceKeepsOnlyTheSecondSort) {
  const auto form = Start();
  SelectCell(*form, "suma", "20");
  form->Setditpodlesloupce1->trigger();
  EXPECT_EQ(form->ZQuery1.SQL()[2], "order by suma");
  EXPECT_EQ(form->ZQuery1.RowValue(0, form->ZQuery1.FieldByName("suma")).ToDouble(), 20);
  SelectCell(*form, "zadatel", "0456");
  form->Setditpodlesloupce1->trigger();
  EXPECT_EQ(form->ZQuery1.SQL()[2], "order by zadatel");
  EXPECT_EQ(form->ZQuery1.RowValue(2, form->ZQuery1.FieldByName("zadatel")).ToString(), "0456");
}

// The worked example of two steps; the second step's date is in the form the
// statement takes it.
TEST_F(ZarhlaServerTest, TwoFilterStepsGiveTheStatementTheDescriptionAndTheCaption) {
  db_.Execute("insert into zarnzada (zadatel, rok, mnozstvi, suma, zaplacena) values ('0123', '2008', 1, 5, "
              "'2006-03-05')");
  const auto form = Start();
  SelectCell(*form, "zadatel", "0123");
  form->Pidatdotdchokle1->trigger();
  SelectCell(*form, "zaplacena", "5.3.2006");
  form->FILTRpidatOd1->trigger();
  EXPECT_EQ(form->FiltrSQL, "where zadatel = '0123' AND zaplacena >= '2006-3-5'");
  EXPECT_EQ(form->FiltrPopis, "zadatel = 0123, zaplacena >= 2006-3-5");
  EXPECT_EQ(form->ListCaption->text(), U("Seznam - Žadatelé - filtr: zadatel = 0123, zaplacena >= 2006-3-5"));
  EXPECT_EQ(form->ListModel->rowCount(), 1);
}

// With the Czech decimal comma the server would compare 2,5 as 2 and show
// the wrong rows; quotes and backslashes in a text stay part of the value.
TEST_F(ZarhlaServerTest, FilterStepsFindFractionsApostrophesAndBackslashes) {
  db_.Execute("insert into zarnzada (zadatel, rok, mnozstvi) values ('O''N\\\\x', '2008', 2.5), "
              "('0789', '2008', 2)");
  const auto form = Start();
  SelectCell(*form, "mnozstvi", "2,5");
  form->Pidatdotdchokle1->trigger();
  EXPECT_EQ(form->FiltrSQL, "where mnozstvi = '2.5'");
  ASSERT_EQ(form->ListModel->rowCount(), 1);
  EXPECT_EQ(form->ZQuery1.RowValue(0, form->ZQuery1.FieldByName("zadatel")).ToString(), "O'N\\x");

  form->Smazatfiltr1->trigger();
  SelectCell(*form, "zadatel", "O'N\\x");
  form->Pidatdotdchokle1->trigger();
  EXPECT_EQ(form->FiltrSQL, "where zadatel = 'O''N\\\\x'");
  EXPECT_EQ(form->FiltrPopis, "zadatel = O'N\\x");
  EXPECT_EQ(form->ListModel->rowCount(), 1);
  EXPECT_TRUE(boxes_->Shown().empty());

  form->FILTRsmazatposledn1->trigger();  // the only step
  EXPECT_EQ(form->FiltrSQL, "");
  EXPECT_EQ(form->ListModel->rowCount(), 5);
  EXPECT_EQ(form->ListCaption->text(), U("Seznam - Žadatelé"));
}

// A saved step the server refuses: the start shows the server's message with
// an empty list, and removing the last step brings the list back.
TEST_F(ZarhlaServerTest, ARefusedSavedFilterIsShownAndTheLastStepRemoved) {
  PridejFiltr("zarhla", "where rok = '2006'", "rok = 2006");
  PridejFiltr("zarhla", "where rok = '2006' AND nosuchcolumn = 1", "rok = 2006, nosuchcolumn = 1");
  const auto form = Start();
  EXPECT_EQ(form->ListModel->rowCount(), 0);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Shown()[0].icon, TMsgIcon::Stop);
  EXPECT_NE(boxes_->Shown()[0].text.find("nosuchcolumn"), std::string::npos) << boxes_->Shown()[0].text;

  form->FILTRsmazatposledn1->trigger();
  EXPECT_EQ(form->FiltrSQL, "where rok = '2006'");
  EXPECT_EQ(form->ListModel->rowCount(), 2);
  EXPECT_EQ(form->ListCaption->text(), U("Seznam - Žadatelé - filtr: rok = 2006"));
}

// The user's column order, widths and hidden columns outlive the run; an
// unreadable file and "Smazat nastavení seznamu" give the server's columns.
TEST_F(ZarhlaServerTest, ColumnLayoutIsSavedRestoredAndForgotten) {
  auto column = [](TForm1& form, const char* name) { return form.ListModel->ColumnOf(form.ZQuery1.FindField(name)); };
  {
    const auto form = Start();
    QHeaderView* header = form->suiDBGrid1->horizontalHeader();
    EXPECT_EQ(header->logicalIndex(0), column(*form, "id"));
    header->moveSection(header->visualIndex(column(*form, "suma")), 0);
    header->resizeSection(column(*form, "zadatel"), 123);
    QMenu menu;
    NaplnNabidkuSloupcu(menu, *form->suiDBGrid1);
    ASSERT_EQ(menu.actions().size(), form->ListModel->columnCount());
    EXPECT_EQ(menu.actions()[0]->text(), U("suma"));
    EXPECT_EQ(menu.actions()[1]->text(), U("id"));
    menu.actions()[1]->trigger();  // unchecks "id"
    EXPECT_TRUE(header->isSectionHidden(column(*form, "id")));
    form->close();
  }
  ASSERT_TRUE(std::filesystem::exists("zarn.slo"));
  {
    const auto form = Start();
    QHeaderView* header = form->suiDBGrid1->horizontalHeader();
    EXPECT_EQ(header->logicalIndex(0), column(*form, "suma"));
    EXPECT_EQ(header->sectionSize(column(*form, "zadatel")), 123);
    EXPECT_TRUE(header->isSectionHidden(column(*form, "id")));
    form->Smazatnastavenseznamu1->trigger();
  }
  EXPECT_FALSE(std::filesystem::exists("zarn.slo"));
  std::ofstream("zarn.slo", std::ios::binary) << "\x01\x02 not a layout";
  const auto form = Start();
  QHeaderView* header = form->suiDBGrid1->horizontalHeader();
  EXPECT_EQ(header->logicalIndex(0), column(*form, "id"));
  EXPECT_EQ(header->hiddenSectionCount(), 0);
  EXPECT_TRUE(boxes_->Shown().empty());
}

// Two applications of one applicant, year and nomenclature add up; a record
// without applications keeps its value; a second run changes nothing.
TEST_F(ZarhlaServerTest, RefreshSumsTheApplicationsIntoTheRecords) {
  db_.Execute("insert into epri (rok, podnik, nomenkla, vymera, mnozstvi, plan) values "
              "('2006', '0123', 'N1', 1.5, 10, 1), ('2006', '0123', 'N1', 2.0, 5, 2)");
  const auto form = Start();
  for (int run = 0; run < 2; ++run) {
    form->suiButton2->click();
    EXPECT_EQ(Value("select PRIH_PLOCH from zarnzada where zadatel = '0123' and rok = '2006'"), "3,5");
    EXPECT_EQ(Value("select PRIH_VAHA from zarnzada where zadatel = '0123' and rok = '2006'"), "15");
    EXPECT_EQ(Value("select PRIH_PLOCH from zarnzada where rok = '2007'"), "7");
    EXPECT_EQ(Value("select count(*) from information_schema.tables where table_schema = database() "
                    "and table_name = 'tmpepri'"),
              "0");
  }
  EXPECT_EQ(form->ZQuery1.RowValue(0, form->ZQuery1.FieldByName("PRIH_PLOCH")).ToDouble(), 3.5);
}

TEST_F(ZarhlaServerTest, ARefusedStatementStopsTheRefreshWithTheServersMessage) {
  db_.Execute("DROP TABLE epri");
  TServerQuery work(db_);
  try {
    PrepocitejPrihlasky(work);
    FAIL() << "no error";
  } catch (const EServerError& error) {
    EXPECT_NE(std::string(error.what()).find("epri"), std::string::npos) << error.what();
  }
}

// The server cannot be reached: the start goes on, the list stays empty and
// the database layer's message is shown.
TEST_F(ZarhlaServerTest, AnUnreachableServerShowsItsErrorAndLeavesTheListEmpty) {
  TIniFile("../Tarvol05.ini").WriteString("LogON", "SQLport", std::to_string(testing::kDeadPort));
  const auto form = Start();
  EXPECT_TRUE(form->StartDialogTar1.isNull());
  EXPECT_EQ(form->ListModel->rowCount(), 0);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Shown()[0].icon, TMsgIcon::Stop);
  EXPECT_NE(boxes_->Shown()[0].text.find("connect"), std::string::npos) << boxes_->Shown()[0].text;
  EXPECT_EQ(form->TotalFees->text(), U("0,00"));
}

}  // namespace
}  // namespace zarn
