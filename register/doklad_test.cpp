// The record form against the local test server: a scratch database with the
// register's zarnzada table, the edit buffer in a scratch data folder, and a
// host that stands in for the main window and records what it is asked.
#include "register/doklad.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "dbf/dbf_table/ds_database.h"
#include "dbf/memtable/mem_table.h"
#include "dbf/memtable/mem_table_testing.h"
#include "platform/ini_file.h"
#include "platform/widgets/date_edit.h"
#include "platform/widgets/enter_as_tab.h"
#include "platform/widgets/side_panel.h"
#include "platform/widgets/test_application.h"
#include "register/record_form_host.h"
#include "register/doklad_sql.h"
#include "register/vyber.h"
#include "register/zarn_err.h"
#include "services/query.h"
#include "services/testing_folder.h"
#include "tests/server_test_support.h"

namespace zarn {
namespace {

using testing::W;

class TestHost : public TRecordFormHost {
 public:
  explicit TestHost(TServerConnection& connection) : connection_(connection), query_(connection) {
    window.resize(1000, 600);
    new TEnterAsTab(&window);  // as the main window has
    partner_panel = new TSidePanel(TSidePanel::Edge::Right, "partneri", &window);
    price_panel = new TSidePanel(TSidePanel::Edge::Left, "cenik", &window);
    database_.SetDatabaseName("data");
    testing::DefineFields(partners, {{"zadatel", ftString, 10}, {"ico", ftString, 12}, {"nazevpodni", ftString, 60},
                                     {"sidlo", ftString, 40}, {"ulicecislo", ftString, 40}, {"psc", ftString, 6},
                                     {"posta", ftString, 40}, {"kodpar", ftString, 10}});
    partners.Open();
    testing::AppendRow(partners, {"0123", "12345678", W("Osiva Žatec a.s."), W("Žatec"), W("Hlavní 1"), "43801",
                                  W("Žatec"), "P0123"});
    testing::AppendRow(partners, {"0200", "87654321", "Agro s.r.o.", "Louny", W("Polní 2"), "44001", "Louny", "P0200"});
    testing::DefineFields(prices, {{"NOMENKLA", ftString, 13}, {"NAZEVOSIVA", ftString, 40}, {"MJ", ftString, 3},
                                   {"DAN", ftSmallint}, {"VAHAO", ftFloat}, {"DRUH", ftInteger},
                                   {"ODRUDA", ftString, 6}, {"STUPEN", ftString, 5}, {"NAZ_DRU", ftString, 30},
                                   {"NAZ_ODRU", ftString, 30}, {"NC", ftFloat}});
    prices.Open();
    testing::AppendRow(prices, {"N200", W("Ječmen jarní"), "t", int32_t(15), 25.0, int32_t(123), "O7", "C1",
                                W("ječmen"), "Bojos", 999.0});
  }

  TServerConnection& ZConnection1() override { return connection_; }
  TServerQuery& ZQuery2() override { return query_; }
  std::optional<std::string> VybraneId() override { return selected; }
  TDsDatabase& DsDatabase1() override { return database_; }
  TDsMemTable& DsMemTable1() override { return partners; }
  TDsMemTable& DsMemTable33() override { return prices; }
  TSidePanel& PartnerPanel() override { return *partner_panel; }
  TSidePanel& NomenclaturePanel() override { return *price_panel; }
  std::string CisloPC() override { return "07"; }
  void StavDoklad() override { ++record_states; }
  void StavSeznam() override { ++list_states; }
  void UdelejSQL() override { ++reloads; }
  void OtevriHledani(TDataSet& dataset, TField& column) override {
    searched.push_back(dataset.RecNo() > 0 ? column.FieldName() : std::string());
  }
  void UkonciProgram() override { ++ends; }

  QWidget window;
  TSidePanel* partner_panel;
  TSidePanel* price_panel;
  TDsMemTable partners;
  TDsMemTable prices;
  std::optional<std::string> selected;
  int record_states = 0, list_states = 0, reloads = 0, ends = 0;
  std::vector<std::string> searched;

 private:
  TServerConnection& connection_;
  TServerQuery query_;
  TDsDatabase database_;
};

class RecordFormTest : public testing::ServerTest {
 protected:
  void SetUp() override {
    testing::ServerTest::SetUp();
    if (IsSkipped()) return;
    TestApplication();
    FormatSettings() = CzechFormatSettings();
    std::filesystem::create_directory("data");
    std::filesystem::copy_file(std::string(ZARN_SOURCE_DIR) + "/demo/obdobi.dtx", "obdobi.dtx");
    db_.Execute("DROP TABLE IF EXISTS zarnzada");
    db_.Execute(testing::SchemaTable("zarnzada"));
    host_ = std::make_unique<TestHost>(db_);
    form_ = new TRecordForm(*host_, &host_->window);
    form_->setGeometry(20, 20, 880, 360);
    host_->window.show();
    QApplication::setActiveWindow(&host_->window);
  }

  void TearDown() override {
    host_.reset();  // the form goes with the window
  }

  // Inserts a record straight into the server table; returns its id.
  std::string Insert(const std::string& zadatel, const std::string& poznamka) {
    db_.Execute("insert into zarnzada (zadatel,ico,nazevpodni,rok,obdobi,porizeno,mnozstvi,poplatek,suma,"
                "poznamka,zaplacena,identifik,mj) values ('" + zadatel + "','111','Firma','2005','0  x',"
                "'2005-6-1',3.5,10,35,'" + poznamka + "','2005-7-1','0101050601000000','t')");
    return std::to_string(db_.Query("select max(id) from zarnzada").Integer(0, 0));
  }

  // The rows of zarnzada as "id|zadatel|poznamka|faktura|porizeno|zaplacena|suma|identifik".
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    const QueryResult result = db_.Query(
        "select concat_ws('|',id,zadatel,poznamka,faktura,porizeno,zaplacena,suma,identifik) from zarnzada "
        "order by id");
    for (size_t row = 0; row < result.RowCount(); ++row) rows.emplace_back(result.Text(row, 0));
    return rows;
  }

  // Types into a control and leaves it for `next`, as a person does.
  void TypeAndLeave(QLineEdit* edit, const std::string& utf8, QWidget* next) {
    edit->setFocus();
    edit->setText(QString::fromUtf8(utf8.c_str()));
    next->setFocus();
    QApplication::processEvents();
  }

  std::string Field(const char* name) { return form_->Dbf5.FieldByName(name).AsString(); }

  // Types the characters one key at a time, so that the control's validator
  // sees each of them.
  static void Keys(QWidget* widget, const QString& keys) {
    for (const QChar key : keys) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
      QApplication::sendEvent(widget, &press);
    }
  }

  // Another session with the scratch database, as a second workstation has.
  std::unique_ptr<TServerConnection> Workstation() {
    auto connection = std::make_unique<TServerConnection>();
    connection->Settings() = settings_;
    connection->Connect();
    connection->RunConnectionSetup();
    return connection;
  }

  // The log's block for one failure: "radek" and the script.
  void ExpectLoggedFailure(const std::string& radek) {
    std::vector<std::string> log;
    ASSERT_TRUE(ReadTextLines(kZarnErr, &log));
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(log[0], std::string(37, '-'));
    EXPECT_EQ(log[2], radek);
    EXPECT_EQ(log[4], "--");
    EXPECT_EQ(log[5], "BEGIN;");
    EXPECT_EQ(log.back(), "COMMIT;");
  }

  ScratchWorkingFolder folder_{"doklad_test"};
  std::unique_ptr<TestHost> host_;
  TRecordForm* form_ = nullptr;
};

TEST_F(RecordFormTest, NewRecordIsACopyOfTheSelectedOneWithTodayAndANewIdentifier) {
  const std::string id = Insert("0123", "copy me");
  host_->selected = id;
  form_->Novdoklad1Click();
  EXPECT_EQ(form_->Rezim, "N");
  EXPECT_EQ(host_->record_states, 1);
  EXPECT_EQ(form_->EditZADATEL->text(), "0123");
  EXPECT_EQ(form_->DBDateEdit1->Date(), Date());
  EXPECT_EQ(form_->ComboOBDOBI->count(), 6);
  EXPECT_EQ(QApplication::focusWidget(), form_->EditZADATEL);
  EXPECT_TRUE(std::filesystem::exists("data/zarnzada.dbf"));

  TScriptedDotaz answers({mrOk});
  form_->suiButton15Click();
  ASSERT_EQ(answers.Shown().size(), 1u);
  EXPECT_EQ(answers.Shown()[0].text, W("Zapsat provedené změny?"));
  EXPECT_EQ(answers.Shown()[0].icon, TMsgIcon::Help);
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], id + "|0123|copy me||2005-06-01|2005-07-01|35|0101050601000000");
  const std::string today = FormatDateTime("yyyy-mm-dd", Date());
  const std::string stamp = "0707" + FormatDateTime("yymmdd", Date());
  EXPECT_EQ(rows[1].substr(rows[1].find('|')), "|0123|copy me||" + today + "|2005-07-01|35|" +
                                                    rows[1].substr(rows[1].rfind('|') + 1));
  const std::string identifik = rows[1].substr(rows[1].rfind('|') + 1);
  EXPECT_EQ(identifik.size(), 16u);
  EXPECT_EQ(identifik.substr(0, 10), stamp);
  EXPECT_EQ(host_->list_states, 1);
  EXPECT_EQ(host_->reloads, 1);
  EXPECT_FALSE(form_->Dbf5.Active());
}

TEST_F(RecordFormTest, EmptyListGivesABlankNewRecordAndNothingToEdit) {
  form_->suiDBGrid1DblClick();
  EXPECT_EQ(host_->record_states, 0);
  EXPECT_FALSE(form_->Dbf5.Active());

  form_->Novdoklad1Click();
  EXPECT_EQ(form_->EditZADATEL->text(), "");
  EXPECT_EQ(form_->DBDateEdit1->Date(), Date());
}

TEST_F(RecordFormTest, MissingPeriodListIsReportedAndPeriodsCanStillBeTyped) {
  std::filesystem::remove("obdobi.dtx");
  TScriptedDotaz answers({mrOk});
  form_->Novdoklad1Click();
  ASSERT_EQ(answers.Shown().size(), 1u);
  EXPECT_EQ(answers.Shown()[0].icon, TMsgIcon::Stop);
  EXPECT_EQ(answers.Shown()[0].text, W("Seznam období obdobi.dtx nelze přečíst; období lze jen napsat."));
  EXPECT_EQ(host_->record_states, 1);
  EXPECT_EQ(form_->Dbf5.State(), dsEdit);
  EXPECT_EQ(form_->ComboOBDOBI->count(), 0);
  form_->ComboOBDOBI->setFocus();
  form_->ComboOBDOBI->setEditText("9  jiné");
  form_->EditFAKTURA->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Field("obdobi"), "9  jin" + W("é"));
}

TEST_F(RecordFormTest, EditedRecordComesBackUnderANewIdWithTextsStoredExactly) {
  const std::string old_id = Insert("0123", "old");
  const std::string other = Insert("0200", "other");
  host_->selected = old_id;
  form_->suiDBGrid1DblClick();
  EXPECT_EQ(form_->Rezim, "O");
  EXPECT_EQ(form_->DBDateEdit1->Date(), EncodeDate(2005, 6, 1));  // the date of entry stays
  TypeAndLeave(form_->EditPOZNAMKA, "O'Neil", form_->EditFAKTURA);
  TypeAndLeave(form_->EditFAKTURA, "F\\", form_->EditPOZNAMKA);

  TScriptedDotaz answers({mrNo, mrOk});
  form_->suiButton15Click();  // "Zpět": the form stays with what was typed
  EXPECT_EQ(host_->list_states, 0);
  EXPECT_EQ(form_->EditPOZNAMKA->text(), "O'Neil");
  EXPECT_EQ(Rows().size(), 2u);
  form_->suiButton15Click();

  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].substr(0, rows[0].find('|')), other);
  const std::string new_id = rows[1].substr(0, rows[1].find('|'));
  EXPECT_GT(std::stoi(new_id), std::stoi(other));
  EXPECT_EQ(rows[1].substr(new_id.size()), "|0123|O'Neil|F\\|2005-06-01|2005-07-01|35|" +
                                                rows[1].substr(rows[1].rfind('|') + 1));
}

TEST_F(RecordFormTest, DatesBeforeTheElevenththOfNovember1999BecomeNoDate) {
  form_->Novdoklad1Click();
  const struct {
    const char* typed;
    TDateTime stored;
  } cases[] = {{"10.11.1999", EncodeDate(1900, 1, 1)},
               {"11.11.1999", EncodeDate(1999, 11, 11)},
               {"", EncodeDate(1900, 1, 1)},
               {"5.3.2006", EncodeDate(2006, 3, 5)}};
  for (const auto& c : cases) {
    for (TDateEdit* date : {form_->DBDateEdit1, form_->DBDateEdit2}) {
      date->Edit()->setFocus();
      date->Edit()->setText(QString::fromLatin1(c.typed));
      form_->EditFAKTURA->setFocus();
      QApplication::processEvents();
      EXPECT_EQ(date->Date(), c.stored) << c.typed;
    }
    EXPECT_EQ(form_->Dbf5.FieldByName("porizeno").AsDateTime(), c.stored) << c.typed;
    EXPECT_EQ(form_->Dbf5.FieldByName("zaplacena").AsDateTime(), c.stored) << c.typed;
  }
}

TEST_F(RecordFormTest, LeavingQuantityOrFeeComputesTheSum) {
  form_->Novdoklad1Click();
  TypeAndLeave(form_->EditVAHA, "2,5", form_->EditPOPLATEK);
  EXPECT_EQ(form_->Dbf5.FieldByName("suma").AsFloat(), 0);  // no fee yet
  TypeAndLeave(form_->EditPOPLATEK, "100", form_->EditPOZNAMKA);
  EXPECT_EQ(form_->Dbf5.FieldByName("suma").AsFloat(), 250);
  EXPECT_EQ(form_->EditSUMA->text(), "250");
  TypeAndLeave(form_->EditVAHA, "0,3", form_->EditPOZNAMKA);
  EXPECT_EQ(form_->EditSUMA->text(), "30");
}

TEST_F(RecordFormTest, ApplicantCodeIsLookedUpInThePartnerList) {
  form_->Novdoklad1Click();
  TScriptedDotaz answers({mrOk});
  TypeAndLeave(form_->EditZADATEL, "9999", form_->EditICO);
  ASSERT_EQ(answers.Shown().size(), 1u);
  EXPECT_EQ(answers.Shown()[0].text, "Kod " + W("žadatele") + " 9999 nenalezen!");
  EXPECT_EQ(answers.Shown()[0].icon, TMsgIcon::Warning);
  EXPECT_EQ(Field("zadatel"), "9999");
  EXPECT_EQ(QApplication::focusWidget(), form_->EditICO);

  TypeAndLeave(form_->EditZADATEL, "0200", form_->EditICO);
  EXPECT_EQ(Field("ico"), "87654321");
  EXPECT_EQ(Field("nazevpodni"), "Agro s.r.o.");
  EXPECT_EQ(Field("kodpar"), "P0200");
  EXPECT_EQ(QApplication::focusWidget(), form_->EditSMLOUVA);

  // On the way to "Zpět" or to "<" nothing is looked up.
  for (QWidget* next : {static_cast<QWidget*>(form_->suiButton16), static_cast<QWidget*>(form_->BtnA)}) {
    TypeAndLeave(form_->EditZADATEL, "8888", next);
  }
  EXPECT_EQ(answers.Shown().size(), 1u);
}

TEST_F(RecordFormTest, EnterMovesOnAsTabDoesAndLooksTheApplicantUp) {
  form_->Novdoklad1Click();
  const auto enter = [](QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::processEvents();
  };
  form_->EditZADATEL->setText("0200");
  enter(form_->EditZADATEL);
  EXPECT_EQ(Field("ico"), "87654321");
  EXPECT_EQ(QApplication::focusWidget(), form_->EditSMLOUVA);
  enter(form_->EditSMLOUVA);
  EXPECT_EQ(QApplication::focusWidget(), form_->EditROK);
}

TEST_F(RecordFormTest, PickersCopyExactlyTheirFieldsAsText) {
  form_->Novdoklad1Click();
  form_->BtnAClick();
  EXPECT_EQ(host_->partner_panel->PopWidth(), 900);
  EXPECT_TRUE(host_->partner_panel->Popped());
  EXPECT_TRUE(host_->partner_panel->StayOn());
  form_->Partneri->TitleClick(form_->Partneri->Grid()->model()->columnCount() - 1);  // "Kod partnera"
  EXPECT_EQ(host_->searched, std::vector<std::string>{"kodpar"});
  host_->partners.Locate("zadatel", Variant("0123"), 0);
  form_->Partneri->PrevzitClick();
  EXPECT_FALSE(host_->partner_panel->StayOn());
  EXPECT_FALSE(host_->partner_panel->Popped());
  EXPECT_EQ(Field("zadatel"), "0123");
  EXPECT_EQ(Field("ico"), "12345678");
  EXPECT_EQ(Field("nazevpodni"), W("Osiva Žatec a.s."));
  EXPECT_EQ(Field("kodpar"), "P0123");
  EXPECT_EQ(QApplication::focusWidget(), form_->EditSMLOUVA);

  TypeAndLeave(form_->EditPOPLATEK, "7", form_->EditPOZNAMKA);
  form_->suiButton12Click();
  EXPECT_TRUE(host_->price_panel->StayOn());
  form_->Cenik->PrevzitClick();
  EXPECT_EQ(Field("nomenkla"), "N200");
  EXPECT_EQ(Field("nazevosiva"), W("Ječmen jarní"));
  EXPECT_EQ(Field("mj"), "t");
  EXPECT_EQ(Field("druh"), "123");
  EXPECT_EQ(Field("odruda"), "O7");
  EXPECT_EQ(Field("stupen"), "C1");
  EXPECT_EQ(Field("naz_dru"), W("ječmen"));
  EXPECT_EQ(Field("naz_odru"), "Bojos");
  EXPECT_EQ(Field("poplatek"), "7");  // the fee is never taken from the price list
  EXPECT_EQ(QApplication::focusWidget(), form_->EditVAHA);
}

TEST_F(RecordFormTest, ZrusitDeletesTheOpenedRecordByIdOnly) {
  const std::string first = Insert("0123", "first");
  const std::string second = Insert("0200", "second");
  host_->selected = second;

  form_->Novdoklad1Click();  // a new record carries the id it was copied from
  TScriptedDotaz answers({mrNo, mrOk});
  form_->suiButton22Click();
  EXPECT_TRUE(answers.Shown().empty());
  EXPECT_EQ(Rows().size(), 2u);
  EXPECT_EQ(host_->list_states, 1);

  form_->suiDBGrid1DblClick();
  form_->suiButton22Click();  // "Zpět"
  EXPECT_EQ(Rows().size(), 2u);
  form_->suiButton22Click();
  ASSERT_EQ(answers.Shown().size(), 2u);
  EXPECT_EQ(answers.Shown()[1].text, W("Opravdu zrušit záznam?"));
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].substr(0, rows[0].find('|')), first);
  EXPECT_EQ(host_->list_states, 2);
}

TEST_F(RecordFormTest, ClearedEditStillReplacesItsRecord) {
  const std::string id = Insert("0123", "old");
  host_->selected = id;
  form_->suiDBGrid1DblClick();
  TScriptedDotaz answers({mrOk, mrOk});
  form_->suiButton21Click();
  EXPECT_EQ(form_->EditZADATEL->text(), "");
  EXPECT_EQ(form_->EditPOZNAMKA->text(), "");
  EXPECT_EQ(form_->DBDateEdit1->Date(), Date());
  EXPECT_EQ(form_->DBDateEdit2->Date(), EncodeDate(1900, 1, 1));
  EXPECT_EQ(QApplication::focusWidget(), form_->EditICO);
  TypeAndLeave(form_->EditZADATEL, "0200", form_->EditICO);
  form_->suiButton15Click();
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_NE(rows[0].substr(0, rows[0].find('|')), id);
  EXPECT_EQ(rows[0].substr(rows[0].find('|'), 6), "|0200|");
  EXPECT_EQ(host_->ends, 0);
}

TEST_F(RecordFormTest, FailingInsertOfAnEditIsLoggedAsStatementTwoAndEndsTheProgram) {
  const std::string id = Insert("0123", "old");
  host_->selected = id;
  form_->suiDBGrid1DblClick();
  db_.Execute("alter table zarnzada drop column mj");  // the insert names it
  TScriptedDotaz answers({mrOk, mrOk});
  EXPECT_THROW(form_->suiButton15Click(), EServerError);

  std::vector<std::string> log;
  ASSERT_TRUE(ReadTextLines(kZarnErr, &log));
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(log[0], std::string(37, '-'));
  EXPECT_EQ(log[2], "radek 2");
  EXPECT_EQ(log[3].substr(0, 6), "chyba ");
  EXPECT_NE(log[3].find("mj"), std::string::npos);
  EXPECT_EQ(log[4], "--");
  const std::vector<std::string> script(log.begin() + 5, log.end());
  ASSERT_EQ(script.size(), 3u + 5 + 22 + 4);  // delete, insert head, values, tail
  EXPECT_EQ(script[0], "BEGIN;");
  EXPECT_EQ(script[1], "delete from zarnzada where id = " + id);
  EXPECT_EQ(script[3], "insert into zarnzada ");
  EXPECT_EQ(script.back(), "COMMIT;");
  EXPECT_EQ(answers.Shown().back().text, W("Nastala chyba SQL. Program bude ukončen."));
  EXPECT_FALSE(db_.Connected());
  EXPECT_EQ(host_->ends, 1);
  EXPECT_EQ(host_->list_states, 0);  // the save was abandoned
}

// The session is killed while the insert of an edit waits for a lock that a
// second workstation holds: the delete before it was inside the script's
// transaction, so the old row is still there, and the error path ran as for
// any statement the server refuses.
TEST_F(RecordFormTest, SessionLostBetweenDeleteAndInsertLosesNothing) {
  const std::string id = Insert("0123", "old");
  host_->selected = id;
  form_->suiDBGrid1DblClick();
  TypeAndLeave(form_->EditPOZNAMKA, "new", form_->EditFAKTURA);

  // The gap above the last id: the new row's insert waits on it, the delete
  // of the old row does not.
  const auto holder = Workstation();
  holder->Execute("SET SESSION TRANSACTION ISOLATION LEVEL REPEATABLE READ");
  holder->Execute("BEGIN");
  holder->Query("select id from zarnzada where id > " + id + " for update");
  const std::string victim = std::to_string(db_.ServerThreadId());
  std::string killer_error = "the insert never waited";
  std::thread killer([&] {
    const auto killer_session = Workstation();
    for (int attempt = 0; attempt < 1000; ++attempt) {
      const QueryResult waiting = killer_session->Query(
          "select count(*) from information_schema.processlist where id = " + victim +
          " and info like 'insert into zarnzada%'");
      if (waiting.Integer(0, 0) == 1) {
        killer_session->Execute("KILL " + victim);
        killer_error.clear();
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  TScriptedDotaz answers({mrOk, mrOk});
  EXPECT_THROW(form_->suiButton15Click(), EServerError);
  killer.join();
  holder->Execute("ROLLBACK");
  EXPECT_EQ(killer_error, "");

  ExpectLoggedFailure("radek 2");
  EXPECT_EQ(answers.Shown().back().text, W("Nastala chyba SQL. Program bude ukončen."));
  EXPECT_EQ(host_->ends, 1);
  EXPECT_EQ(host_->list_states, 0);
  EXPECT_FALSE(db_.Connected());
  db_.Connect();  // the shared server is still there
  db_.RunConnectionSetup();
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].substr(0, rows[0].find('|') + 10), id + "|0123|old|");
}

// The session is gone before the save starts: the first statement fails,
// nothing is written and the error path runs.
TEST_F(RecordFormTest, ServerGoneAtSaveWritesNothing) {
  const std::string id = Insert("0123", "old");
  host_->selected = id;
  form_->suiDBGrid1DblClick();
  TypeAndLeave(form_->EditPOZNAMKA, "new", form_->EditFAKTURA);
  Workstation()->Execute("KILL " + std::to_string(db_.ServerThreadId()));

  TScriptedDotaz answers({mrOk, mrOk});
  EXPECT_THROW(form_->suiButton15Click(), EServerError);
  ExpectLoggedFailure("radek 0");
  EXPECT_EQ(answers.Shown().back().text, W("Nastala chyba SQL. Program bude ukončen."));
  EXPECT_EQ(host_->ends, 1);
  db_.Connect();
  db_.RunConnectionSetup();
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].substr(0, rows[0].find('|') + 10), id + "|0123|old|");
}

// "Množství" and "Poplatek" take only a number as the workstation writes it.
TEST_F(RecordFormTest, NumberFieldsRefuseLettersAndUnfinishedNumbers) {
  form_->Novdoklad1Click();
  const struct {
    const char* keys;
    const char* shown;
  } cases[] = {{"12abc", "12"}, {"2,5", "2,5"}, {"x", ""}, {"-3,5", "-3,5"},
               {"1,2,3", "1,23"}, {"2.5", "25"}, {"1e5", "15"}, {" 7", "7"}};
  for (QLineEdit* edit : {form_->EditVAHA, form_->EditPOPLATEK}) {
    for (const auto& c : cases) {
      edit->setFocus();
      edit->clear();
      Keys(edit, QString::fromLatin1(c.keys));
      EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown)) << edit->objectName().toStdString() << " " << c.keys;
    }
  }

  // A pasted text is checked as well.
  form_->EditVAHA->clear();
  form_->EditVAHA->insert(QStringLiteral("4kg"));
  EXPECT_EQ(form_->EditVAHA->text(), "");

  TypeAndLeave(form_->EditVAHA, "2", form_->EditPOZNAMKA);
  TScriptedDotaz answers({mrOk, mrOk});
  for (const char* unfinished : {"-", "2,"}) {
    form_->EditVAHA->setFocus();
    form_->EditVAHA->clear();
    Keys(form_->EditVAHA, QString::fromLatin1(unfinished));
    form_->EditPOZNAMKA->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(answers.Shown().back().text,
              W("Hodnota \"") + unfinished + W("\" není číslo. Zadejte číslo, např. 12,5."));
    EXPECT_EQ(QApplication::focusWidget(), form_->EditVAHA);
    EXPECT_EQ(form_->Dbf5.FieldByName("mnozstvi").AsFloat(), 2) << unfinished;
  }
  EXPECT_EQ(answers.Shown().size(), 2u);
}

// With the decimal comma the sum is computed from 2,5 and 100, and the script
// writes the numbers with the server's decimal point.
TEST_F(RecordFormTest, CzechNumbersAreSavedWithADecimalPoint) {
  const std::string id = Insert("0123", "old");
  host_->selected = id;
  form_->suiDBGrid1DblClick();
  form_->EditVAHA->setFocus();  // leaving "Žadatel" takes 0123 over and goes on to "Smlouva"
  TypeAndLeave(form_->EditVAHA, "2,5", form_->EditPOPLATEK);
  TypeAndLeave(form_->EditPOPLATEK, "100", form_->EditPOZNAMKA);
  EXPECT_EQ(form_->EditSUMA->text(), "250");

  std::vector<std::string> script;
  PridejZapisZarnZada(form_->Dbf5, "x", script);
  const std::vector<std::string> amounts(script.begin() + 5 + 15, script.begin() + 5 + 18);
  EXPECT_EQ(amounts, (std::vector<std::string>{"02.5,", "0100,", "0250,"}));

  TScriptedDotaz answers({mrOk});
  form_->suiButton15Click();
  const QueryResult row = db_.Query("select concat_ws(' ', mnozstvi, poplatek, suma) from zarnzada");
  ASSERT_EQ(row.RowCount(), 1u);
  EXPECT_EQ(row.Text(0, 0), "2.5 100 250");
}

// Saved unchanged, a new record repeats every column of its source but the
// id, the identifier and the date of entry. The PRIH_ figures are the
// refresh's alone and start at 0.
TEST_F(RecordFormTest, NewRecordSavedUnchangedRepeatsEveryOtherColumn) {
  db_.Execute("insert into zarnzada (zadatel,ico,nazevpodni,kodpar,smlouva,rok,obdobi,porizeno,partie,nomenkla,"
              "nazevosiva,druh,naz_dru,odruda,naz_odru,stupen,mnozstvi,mj,poplatek,suma,poznamka,faktura,"
              "zaplacena,identifik) values ('0123','12345678','Osiva','P0123','S-1','2006','1  jaro',"
              "'2006-3-5','P7','N200','Jecmen','123','jecmen','O7','Bojos','C1',2.5,'t',100,250,'it''s',"
              "'F1','2006-4-1','0101060305000000')");
  host_->selected = std::to_string(db_.Query("select max(id) from zarnzada").Integer(0, 0));
  form_->Novdoklad1Click();
  TScriptedDotaz answers({mrOk});
  form_->suiButton15Click();

  const QueryResult names = db_.Query(
      "select group_concat(column_name order by ordinal_position) from information_schema.columns "
      "where table_schema = database() and table_name = 'zarnzada' "
      "and column_name not in ('id', 'identifik', 'porizeno', 'PRIH_PLOCH', 'PRIH_VAHA', 'PRIH_PLAN')");
  const std::string columns(names.Text(0, 0));
  const QueryResult rows =
      db_.Query("select concat_ws('|'," + columns + "), identifik, cast(porizeno as char) from zarnzada order by id");
  ASSERT_EQ(rows.RowCount(), 2u);
  EXPECT_EQ(rows.Text(1, 0), rows.Text(0, 0));
  EXPECT_NE(rows.Text(1, 1), rows.Text(0, 1));
  EXPECT_EQ(rows.Text(1, 2), FormatDateTime("yyyy-mm-dd", Date()));
}

}  // namespace
}  // namespace zarn
