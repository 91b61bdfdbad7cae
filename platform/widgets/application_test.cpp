#include "platform/widgets/application.h"

#include <QTimer>
#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/widgets/message_box.h"
#include "platform/widgets/test_application.h"
#include "platform/widgets/wait_cursor.h"

namespace zarn {
namespace {

TEST(ApplicationTest, AnErrorEscapingAHandlerIsShownAndTheLoopGoesOn) {
  TestApplication();
  TScriptedDotaz script;
  bool later_ran = false;
  QTimer::singleShot(0, [] { throw std::runtime_error("Table 'tarvol.zarnzada' doesn't exist"); });
  QTimer::singleShot(10, [&] { later_ran = true; });
  for (int i = 0; i < 100 && !later_ran; ++i) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  EXPECT_TRUE(later_ran);
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].text, "Table 'tarvol.zarnzada' doesn't exist");
  EXPECT_EQ(script.Shown()[0].icon, TMsgIcon::Stop);
}

TEST(ApplicationTest, WaitPointerLastsUntilRestoredOrTheScopeEnds) {
  TestApplication();
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  try {
    TWaitCursor wait;
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    throw std::runtime_error("abandoned");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  TWaitCursor wait;
  wait.Restore();
  wait.Restore();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace zarn
