// Helpers of the tests that talk to the local test server: its address from
// the ZARN_DB_* variables (tests skip without them) and a scratch database
// that lives for one test program.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "services/connection.h"

namespace zarn::testing {

inline std::string EnvOr(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : fallback;
}

// Settings for the local test server, or nullopt when ZARN_DB_PORT is unset.
inline std::optional<TConnectionSettings> TestServerSettings() {
  const char* port = std::getenv("ZARN_DB_PORT");
  if (port == nullptr || *port == '\0') return std::nullopt;
  TConnectionSettings settings;
  settings.HostName = EnvOr("ZARN_DB_HOST", "127.0.0.1");
  settings.Port = PortFromText(port);
  settings.User = EnvOr("ZARN_DB_USER", "root");
  settings.Password = EnvOr("ZARN_DB_PASSWORD", "");
  settings.Database = EnvOr("ZARN_DB_NAME", "tarvol");
  return settings;
}

// Runs statements in order on a fresh session of the test server (no
// database chosen beyond the settings' own); does nothing without a server.
inline void ExecuteOnTestServer(const std::vector<std::string>& statements) {
  const auto settings = TestServerSettings();
  if (!settings) return;
  TServerConnection admin;
  admin.Settings() = *settings;
  admin.Connect();
  for (const std::string& statement : statements) admin.Execute(statement);
}

// The CREATE TABLE statement of `table` as the project's sql/schema.sql has
// it, so that a scratch database gets exactly the shared server's columns;
// empty when the schema has no such table.
inline std::string SchemaTable(const std::string& table) {
  std::ifstream in(std::string(ZARN_SOURCE_DIR) + "/sql/schema.sql");
  std::stringstream text;
  text << in.rdbuf();
  const std::string schema = text.str();
  const size_t start = schema.find("CREATE TABLE IF NOT EXISTS " + table + " (");
  if (start == std::string::npos) return "";
  return schema.substr(start, schema.find(';', start) - start);
}

// A port on 127.0.0.1 where nothing listens.
constexpr int kDeadPort = 1;

// Test fixture with a connected, set-up session in a scratch database
// "zarn_test_<pid>" that is created for the test program and dropped at its end.
class ServerTest : public ::testing::Test {
 protected:
  static std::string ScratchName() { return "zarn_test_" + std::to_string(getpid()); }

  static void SetUpTestSuite() {
    ExecuteOnTestServer({"CREATE DATABASE IF NOT EXISTS " + ScratchName() + " DEFAULT CHARACTER SET cp1250"});
  }

  static void TearDownTestSuite() { ExecuteOnTestServer({"DROP DATABASE IF EXISTS " + ScratchName()}); }

  void SetUp() override {
    const auto settings = TestServerSettings();
    if (!settings) GTEST_SKIP() << "ZARN_DB_PORT is not set; no test server";
    settings_ = *settings;
    settings_.Database = ScratchName();
    db_.Settings() = settings_;
    db_.Connect();
    db_.RunConnectionSetup();
  }

  TConnectionSettings settings_;
  TServerConnection db_;
};

}  // namespace zarn::testing
