#include "register/zarn_err.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ini_file.h"
#include "platform/widgets/message_box.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"
#include "services/connection.h"
#include "services/script_runner.h"
#include "services/testing_folder.h"

namespace zarn {
namespace {

class ZarnErrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    FormatSettings() = CzechFormatSettings();
    runner_.Lines() = {"BEGIN;", "delete from zarnzada where id = 7", ";", "insert into zarnzada ", "COMMIT;"};
  }

  // Runs the handler as the runner would for its statement 2; returns
  // whether the program was asked to end.
  bool Fail() {
    bool ended = false;
    ZSQLProcessor1Error(runner_, 2, EServerError(1064, "You have an error"), connection_, nullptr,
                        [&] { ended = true; });
    return ended;
  }

  ScratchWorkingFolder folder_{"zarn_err_test"};
  TServerConnection connection_;
  TScriptRunner runner_{connection_};
};

TEST_F(ZarnErrTest, BlockNamesTheStatementAndCarriesTheWholeScript) {
  const TDateTime moment = EncodeDate(2006, 3, 5) + EncodeTime(14, 3, 9, 0);
  const std::vector<std::string> block = ChybovyBlok(moment, 2, "Duplicate entry", {"BEGIN;", "x", "COMMIT;"});
  const std::vector<std::string> expected = {std::string(37, '-'), "Zarn 5.3.2006 14:03:09", "radek 2",
                                             "chyba Duplicate entry", "--", "BEGIN;", "x", "COMMIT;"};
  EXPECT_EQ(block, expected);
}

TEST_F(ZarnErrTest, EachFailureAppendsABlockWarnsAndEndsTheProgram) {
  TScriptedDotaz answers({mrOk, mrOk});
  ASSERT_TRUE(WriteTextLines(kZarnErr, {"older line"}));
  EXPECT_TRUE(Fail());
  EXPECT_TRUE(Fail());

  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(kZarnErr, &lines));
  ASSERT_EQ(lines.size(), 1u + 2 * 10);
  EXPECT_EQ(lines[0], "older line");
  for (size_t block : {1u, 11u}) {
    EXPECT_EQ(lines[block], std::string(37, '-'));
    EXPECT_EQ(lines[block + 2], "radek 2");
    EXPECT_EQ(lines[block + 3], "chyba You have an error");
    EXPECT_EQ(lines[block + 6], "delete from zarnzada where id = 7");
    EXPECT_EQ(lines[block + 9], "COMMIT;");
  }
  ASSERT_EQ(answers.Shown().size(), 2u);
  EXPECT_EQ(answers.Shown()[0].text, Utf8ToWin1250("Nastala chyba SQL. Program bude ukončen."));
  EXPECT_EQ(answers.Shown()[0].icon, TMsgIcon::Warning);
  EXPECT_EQ(answers.Shown()[0].buttons, std::vector<std::string>{"OK"});
}

TEST_F(ZarnErrTest, UnwritableLogIsReportedAndTheProgramGoesOn) {
  std::filesystem::create_directory(kZarnErr);  // a folder in the log's place
  TScriptedDotaz answers({mrOk});
  EXPECT_FALSE(Fail());
  ASSERT_EQ(answers.Shown().size(), 1u);
  EXPECT_EQ(answers.Shown()[0].icon, TMsgIcon::Stop);
  EXPECT_TRUE(std::filesystem::is_directory(kZarnErr));
}

}  // namespace
}  // namespace zarn
