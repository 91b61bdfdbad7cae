// Helpers of the updater's tests against the local test server: a scratch
// database with copies of the demo code lists, a program folder whose
// ../Tarvol05.ini points at it, and DBF files read back by dbfread.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>
#include <string>
#include <vector>

#include "dbf/testing/python.h"
#include "platform/ini_file.h"
#include "services/connection.h"
#include "services/testing_folder.h"
#include "tests/server_test_support.h"

namespace zarn::testing {

inline std::string UpdaterScratchName() { return "zarn_upd_" + std::to_string(getpid()); }

// One DBF file as dbfread sees it.
struct DbfReadBack {
  QJsonArray fields;   // [name, type letter, length, decimals] each
  QJsonArray records;  // values in field order
  int FieldIndex(const QString& name) const {
    for (int i = 0; i < fields.size(); ++i)
      if (fields[i].toArray()[0].toString().compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
  }
  QJsonArray Field(const QString& name) const { return fields[FieldIndex(name)].toArray(); }
  QString Text(int record, const QString& name) const {
    return records[record].toArray()[FieldIndex(name)].toString();
  }
};

// Reads `path` with dbfread in `encoding` ("cp1250", or "latin-1" to see the
// stored bytes as they are). Fails the test when dbfread cannot read it.
// dbfread takes the length in a dBASE IV memo block header as the data
// length, while dBASE counts the 8 header bytes in it, so each memo comes
// with the 8 zero bytes that follow it; they are stripped here.
inline DbfReadBack ReadDbf(const std::string& path, const std::string& encoding = "cp1250") {
  TempDir dir;
  const std::string script =
      "import sys, json, dbfread\n"
      "t = dbfread.DBF(sys.argv[1], encoding='" + encoding + "', char_decode_errors='strict')\n"
      "def value(v):\n"
      "    if hasattr(v, 'isoformat'): return v.isoformat()\n"
      "    return v.rstrip('\\x00') if isinstance(v, str) else v\n"
      "out = {'fields': [[f.name, f.type, f.length, f.decimal_count] for f in t.fields],\n"
      "       'records': [[value(v) for v in r.values()] for r in t]}\n"
      "print(json.dumps(out))\n";
  int code = -1;
  const std::string output = RunPython(dir, script, path, &code);
  EXPECT_EQ(code, 0) << output;
  const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(output)).object();
  return {json["fields"].toArray(), json["records"].toArray()};
}

// Tables copied from the demo database into the scratch one.
inline constexpr const char* kCopiedTables[] = {"adresar", "cenik", "okres", "ku", "dealertopc", "druh", "odruda"};

// A scratch database for the test program and, for each test, a program
// folder <tmp>/zembu_it_<pid>/prog (the working folder) with
// ../Tarvol05.ini pointing at that database and a connected session `db_`.
class UpdaterServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const auto settings = TestServerSettings();
    if (!settings) return;
    const std::string db = UpdaterScratchName();
    std::vector<std::string> statements = {"DROP DATABASE IF EXISTS " + db,
                                           "CREATE DATABASE " + db + " DEFAULT CHARACTER SET cp1250"};
    for (const char* table : kCopiedTables) {
      statements.push_back("CREATE TABLE " + db + "." + table + " LIKE " + settings->Database + "." + table);
      statements.push_back("INSERT INTO " + db + "." + table + " SELECT * FROM " + settings->Database + "." + table);
    }
    ExecuteOnTestServer(statements);
  }

  static void TearDownTestSuite() { ExecuteOnTestServer({"DROP DATABASE IF EXISTS " + UpdaterScratchName()}); }

  void SetUp() override {
    const auto settings = TestServerSettings();
    if (!settings) GTEST_SKIP() << "ZARN_DB_PORT is not set; no test server";
    if (!HavePython("dbfread")) GTEST_SKIP() << "dbfread is missing";
    settings_ = *settings;
    settings_.Database = UpdaterScratchName();
    folder_ = std::make_unique<ScratchWorkingFolder>("zembu_it");
    TIniFile logon("../Tarvol05.ini");
    logon.WriteString("LogON", "IP", settings_.HostName);
    logon.WriteString("LogON", "User", settings_.User);
    logon.WriteString("LogON", "Password", settings_.Password);
    logon.WriteString("LogON", "SQLport", std::to_string(settings_.Port));
    logon.WriteString("LogON", "Database", settings_.Database);
    db_.Settings() = settings_;
    db_.Connect();
    db_.RunConnectionSetup();
  }

  TConnectionSettings settings_;
  std::unique_ptr<ScratchWorkingFolder> folder_;
  TServerConnection db_;
};

}  // namespace zarn::testing
