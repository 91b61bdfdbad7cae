#include "platform/widgets/busy_window.h"

#include <QLabel>

#include <gtest/gtest.h>

#include "platform/widgets/delay.h"
#include "platform/widgets/gradient_bar.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

TEST(BusyWindowTest, BorderlessBoxCentredOnItsOwnerWithAMovingBar) {
  TestApplication();
  QWidget owner;
  owner.setGeometry(100, 100, 800, 600);
  owner.show();
  Tpracuji busy(&owner);
  busy.SetText(Utf8ToWin1250("Tarvol05 - kontrola nové verze"));
  busy.Ukaz();
  EXPECT_EQ(busy.size(), QSize(243, 66));
  EXPECT_TRUE(busy.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(busy.isModal());
  EXPECT_EQ(busy.geometry().center(), owner.geometry().center());
  EXPECT_EQ(busy.Text(), Utf8ToWin1250("Tarvol05 - kontrola nové verze"));
  EXPECT_EQ(busy.Bar()->width(), 161);
  EXPECT_EQ(busy.Bar()->GradientWidth(), 50);
  EXPECT_EQ(busy.Bar()->Interval(), 30);
  const int before = busy.Bar()->Offset();
  Delay(120);
  EXPECT_NE(busy.Bar()->Offset(), before);
}

TEST(BusyWindowTest, BandStartsAgainAtTheLeftAfterCrossingTheBar) {
  TestApplication();
  TGradientBar bar;
  bar.resize(161, 14);
  int wrapped_to = 1;
  for (int i = 0; i < 200 && wrapped_to > 0; ++i) {
    bar.Step();
    wrapped_to = bar.Offset();
  }
  EXPECT_EQ(wrapped_to, -50);
}

}  // namespace
}  // namespace zarn
