#include "services/script_runner.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

using Statements = std::vector<std::string>;

TEST(SplitSqlStatements, SplitsOnlyAtSemicolonsOutsideQuotesAndComments) {
  struct Case {
    std::string_view script;
    Statements expected;
  };
  const Case cases[] = {
      {"BEGIN;\ndelete from zarnzada where id=5;\nCOMMIT;",
       {"BEGIN", "delete from zarnzada where id=5", "COMMIT"}},
      {"insert into t\n set a='x;y',\n b=\"p;q\";", {"insert into t\n set a='x;y',\n b=\"p;q\""}},
      {"select 'it''s;'; select 2", {"select 'it''s;'", "select 2"}},
      {"select 'C:\\\\';select 2", {"select 'C:\\\\'", "select 2"}},
      {"select 'a\\';b'; select 2", {"select 'a\\';b'", "select 2"}},
      {"select `a;b` from t; select 2", {"select `a;b` from t", "select 2"}},
      {"select 1 -- one; two\n; select 2", {"select 1 -- one; two", "select 2"}},
      {"select 1 # x;y\n;select 2 /* a;b */;", {"select 1 # x;y", "select 2 /* a;b */"}},
      {"select 5--3; select 2", {"select 5--3", "select 2"}},
      {" ; ;\n;", {}},
      {"", {}},
      {"select 'unterminated; here", {"select 'unterminated; here"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitSqlStatements(c.script), c.expected) << c.script;
  }
}

}  // namespace
}  // namespace zarn
