#include "platform/widgets/side_panel.h"

#include <QMouseEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include "platform/widgets/delay.h"
#include "platform/widgets/test_application.h"

namespace zarn {
namespace {

class SidePanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    area.resize(800, 600);
  }

  void ClickBar(TSidePanel& panel) {
    const QPointF at(4, 300);
    QMouseEvent press(QEvent::MouseButtonPress, at, panel.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&panel, &press);
  }

  void PointerLeaves(TSidePanel& panel) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&panel, &leave);
  }

  QApplication& app = TestApplication();  // before any widget
  QWidget area;
};

TEST_F(SidePanelTest, CollapsedItIsATenPixelBarAlongItsEdge) {
  TSidePanel right(TSidePanel::Edge::Right, "Adresar", &area);
  TSidePanel left(TSidePanel::Edge::Left, "Cenik", &area);
  area.show();
  EXPECT_EQ(right.geometry(), QRect(790, 0, 10, 600));
  EXPECT_EQ(left.geometry(), QRect(0, 0, 10, 600));
  EXPECT_FALSE(right.Obsah()->isVisible());
  area.resize(900, 500);
  EXPECT_EQ(right.geometry(), QRect(890, 0, 10, 500));
}

TEST_F(SidePanelTest, ClickSlidesOutAtOnceAndLeavingSlidesBack) {
  TSidePanel panel(TSidePanel::Edge::Right, "Adresar", &area);
  area.show();
  panel.SetPopWidth(455);
  ClickBar(panel);
  EXPECT_TRUE(panel.Popped());
  EXPECT_EQ(panel.geometry(), QRect(800 - 455, 0, 455, 600));
  EXPECT_TRUE(panel.Obsah()->isVisible());
  PointerLeaves(panel);
  EXPECT_FALSE(panel.Popped());
  EXPECT_EQ(panel.CurrentWidth(), TSidePanel::kBarWidth);
}

TEST_F(SidePanelTest, PinnedPanelStaysOutUntilUnpinned) {
  TSidePanel panel(TSidePanel::Edge::Right, "Adresar", &area);
  area.show();
  panel.SetPopWidth(900);
  panel.Pop(false);
  panel.SetStayOn(true);
  PointerLeaves(panel);
  EXPECT_EQ(panel.CurrentWidth(), 900);
  EXPECT_EQ(panel.geometry(), QRect(0, 0, 800, 600));  // no wider than its parent
  // Unpinning with the pointer elsewhere lets it go at once.
  panel.PinButton()->click();
  EXPECT_FALSE(panel.StayOn());
  EXPECT_EQ(panel.CurrentWidth(), TSidePanel::kBarWidth);
}

TEST_F(SidePanelTest, SteppedSlidePassesThroughStepsAndLandsOnTheWidth) {
  TSidePanel panel(TSidePanel::Edge::Left, "Cenik", &area);
  area.show();
  panel.SetPopWidth(390);  // not a whole number of 15-pixel steps from the bar
  panel.SetAnimationStep(15);
  int poped = 0;
  QObject::connect(&panel, &TSidePanel::Poped, [&] { ++poped; });
  ClickBar(panel);
  EXPECT_LT(panel.CurrentWidth(), 390);
  EXPECT_TRUE(panel.Popped());
  for (int i = 0; i < 200 && poped == 0; ++i) Delay(10);
  ASSERT_EQ(poped, 1);
  EXPECT_EQ(panel.geometry(), QRect(0, 0, 390, 600));
  int pushed = 0;
  QObject::connect(&panel, &TSidePanel::Pushed, [&] { ++pushed; });
  PointerLeaves(panel);
  EXPECT_GT(panel.CurrentWidth(), TSidePanel::kBarWidth);
  for (int i = 0; i < 200 && pushed == 0; ++i) Delay(10);
  EXPECT_EQ(panel.CurrentWidth(), TSidePanel::kBarWidth);
}

}  // namespace
}  // namespace zarn
