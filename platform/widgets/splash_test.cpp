#include "platform/widgets/splash.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/widgets/test_application.h"

namespace zarn {
namespace {

class SplashTest : public ::testing::Test {
 protected:
  void SetUp() override { TestApplication(); }

  static QPixmap White() {
    QPixmap picture(500, 300);
    picture.fill(Qt::white);
    return picture;
  }
};

// The rightmost column holding a non-white pixel within rows [top, bottom).
int RightmostInk(const QImage& image, int top, int bottom) {
  for (int x = image.width() - 1; x >= 0; --x)
    for (int y = top; y < bottom; ++y)
      if (image.pixelColor(x, y) != Qt::white) return x;
  return -1;
}

bool AnyInk(const QImage& image, const QRect& area) {
  for (int x = area.left(); x <= area.right(); ++x)
    for (int y = area.top(); y <= area.bottom(); ++y)
      if (image.pixelColor(x, y) != Qt::white) return true;
  return false;
}

TEST_F(SplashTest, DefaultsAreThoseOfTheComponent) {
  TStartDialogTar splash;
  EXPECT_EQ(splash.Ramecek, TRamecek::None);
  EXPECT_EQ(splash.Text1x, 0);
  EXPECT_EQ(splash.Text2y, 0);
  EXPECT_EQ(splash.Text1Color, QColor(Qt::blue));
  EXPECT_EQ(splash.Text2Color, QColor(Qt::blue));
  EXPECT_FALSE(splash.Vypisverze);
  EXPECT_TRUE(splash.FreeOnClose);
  EXPECT_FALSE(splash.AutoZmiz);
  EXPECT_EQ(splash.Verze, ZARN_VERSION_TEXT);
}

TEST_F(SplashTest, XOfZeroRightAlignsTwentyPixelsFromTheEdge) {
  TStartDialogTar splash;
  splash.Bitmap = White();
  splash.Text1 = "Evidence";
  splash.Text1y = 200;
  const QImage image = splash.SlozenyObraz().toImage();
  const int right = RightmostInk(image, 200, 250);
  EXPECT_LE(right, 500 - 20);
  EXPECT_GE(right, 500 - 20 - 4);  // the last glyph's side bearing
  EXPECT_FALSE(AnyInk(image, QRect(0, 0, 500, 195)));  // nothing above the line
}

TEST_F(SplashTest, VersionLineIsDrawnOnlyWhenAsked) {
  TStartDialogTar splash;
  splash.Bitmap = White();
  const QRect version_area(12, 10, 80, 12);
  EXPECT_FALSE(AnyInk(splash.SlozenyObraz().toImage(), version_area));
  splash.Vypisverze = true;
  EXPECT_TRUE(AnyInk(splash.SlozenyObraz().toImage(), version_area));
}

TEST_F(SplashTest, WindowTakesThePictureSizePlusFourWithAFrame) {
  for (const auto& [frame, size] : {std::pair{TRamecek::None, QSize(500, 300)},
                                    std::pair{TRamecek::Lowered, QSize(504, 304)}}) {
    TStartDialogTar splash;
    splash.FreeOnClose = false;
    splash.Bitmap = White();
    splash.Ramecek = frame;
    splash.Zobraz();
    ASSERT_NE(splash.Okno(), nullptr);
    EXPECT_TRUE(splash.Okno()->isVisible());
    EXPECT_EQ(splash.Okno()->size(), size);
    EXPECT_TRUE(splash.Okno()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.Okno()->windowFlags() & Qt::WindowStaysOnTopHint);
    splash.Zmiz();
    EXPECT_EQ(splash.Okno(), nullptr);
  }
}

TEST_F(SplashTest, ZmizCallsOnCloseAndFreesTheComponentFromItsOwner) {
  QObject owner;
  QPointer<TStartDialogTar> splash = new TStartDialogTar(&owner);
  splash->Bitmap = White();
  int closed = 0;
  splash->OnClose = [&] { ++closed; };
  splash->Zobraz();
  splash->Zmiz();
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(owner.children().isEmpty());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
}

TEST_F(SplashTest, AutoZmizIgnoresZmizAndClosesOnceIdle) {
  TStartDialogTar splash;
  splash.FreeOnClose = false;
  splash.AutoZmiz = true;
  splash.Bitmap = White();
  splash.Zobraz();
  splash.Zmiz();
  EXPECT_NE(splash.Okno(), nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(splash.Okno(), nullptr);
}

}  // namespace
}  // namespace zarn
