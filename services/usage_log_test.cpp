#include "services/usage_log.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

TEST(HistoryInsertSql, WritesTheFiveLinesWithDoubleQuotedValues) {
  HistoryEntry entry;
  entry.modul = "Evidence licenci Zarn";
  entry.pc = "7";
  entry.stredisko = "O\"K\\";
  entry.datumcas = EncodeDate(2024, 3, 5) + EncodeTime(8, 4, 9, 0);
  entry.ipadr = "10.0.0.17";
  entry.computeruser = "novak";
  entry.computername = "PC-SKLAD";
  entry.mdatumcas = 0;
  entry.mverze = "-1.0.0.0";
  EXPECT_EQ(HistoryInsertSql(entry),
            "insert into historiem \n"
            "set modul = \"Evidence licenci Zarn\", pc = \"7\", stredisko = \"O\"\"K\\\\\",\n"
            "datumcas = \"2024-03-05 08:04:09\",\n"
            "ipadr = \"10.0.0.17\", computeruser = \"novak\", computername = \"PC-SKLAD\",\n"
            "mdatumcas = \"1899-12-30 00:00:00\", mverze=\"-1.0.0.0\"");
}

TEST(ZapisHistorii, PortTextThatIsNoNumberRaisesBeforeAnyConnect) {
  for (const auto& [sql_port, open_port] : {std::pair{"33o6", ""}, std::pair{"3306", "x1"}, std::pair{"", ""}}) {
    TServerConnection connection;
    connection.Settings().HostName = "127.0.0.1";
    EXPECT_THROW(ZapisHistorii(connection, sql_port, open_port, "1", "S", "M"), EConvertError) << sql_port;
    EXPECT_FALSE(connection.Connected());
    EXPECT_EQ(connection.Settings().Port, 3306);  // untouched
  }
}

}  // namespace
}  // namespace zarn
