#include "services/connection.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

TEST(PortFromText, ReadsWholeDecimalPortsOnly) {
  EXPECT_EQ(PortFromText("3306"), 3306);
  EXPECT_EQ(PortFromText("0"), 0);
  EXPECT_EQ(PortFromText("65535"), 65535);
  for (const char* bad : {"", "abc", "33 06", " 3306", "3306x", "-1", "65536", "99999999999", "+3306"}) {
    EXPECT_THROW(PortFromText(bad), EConvertError) << bad;
  }
  try {
    PortFromText("abc");
  } catch (const EConvertError& error) {
    EXPECT_NE(std::string(error.what()).find("'abc'"), std::string::npos);
  }
}

TEST(TServerConnection, StatementsWithoutSessionRaiseAClearError) {
  TServerConnection connection;
  EXPECT_FALSE(connection.Connected());
  EXPECT_THROW(connection.Execute("select 1"), EServerError);
  EXPECT_THROW(connection.Query("select 1"), EServerError);
  connection.Disconnect();  // harmless when closed
  EXPECT_FALSE(connection.Connected());
}

}  // namespace
}  // namespace zarn
