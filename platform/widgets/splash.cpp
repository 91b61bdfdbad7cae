#include "platform/widgets/splash.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/win1250.h"

namespace zarn {
namespace {

constexpr int kRightMargin = 20;
constexpr int kFramePixels = 2;  // per side

QFont SplashFont(int points, bool bold) {
  QFont font(QStringLiteral("Tahoma"), points, bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

// Draws `text` with its top left corner at (x, y); x == 0 right-aligns it.
void DrawLine(QPainter& painter, int picture_width, const QString& text, int x, int y,
              const QFont& font, const QColor& color) {
  painter.setFont(font);
  painter.setPen(color);
  const QFontMetrics metrics(font);
  if (x == 0) x = picture_width - metrics.horizontalAdvance(text) - kRightMargin;
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

}  // namespace

TStartDialogTar::TStartDialogTar(QObject* owner) : QObject(owner), Verze(ZARN_VERSION_TEXT) {}

TStartDialogTar::~TStartDialogTar() { delete window_; }

QWidget* TStartDialogTar::Okno() const { return window_.data(); }

QPixmap TStartDialogTar::SlozenyObraz() const {
  QPixmap picture = Bitmap.copy();
  if (picture.isNull()) return picture;
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int width = picture.width();
  DrawLine(painter, width, FromWin1250(Text1), Text1x, Text1y, SplashFont(25, true), Text1Color);
  DrawLine(painter, width, FromWin1250(Text2), Text2x, Text2y, SplashFont(15, false), Text2Color);
  if (Vypisverze)
    DrawLine(painter, width, QStringLiteral("Verze") + FromWin1250(Verze), 12, 10, SplashFont(7, false),
             Text1Color);
  return picture;
}

void TStartDialogTar::Zobraz() {
  delete window_;
  window_ = new QFrame(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  window_->setObjectName(QStringLiteral("StartDialogTar"));
  window_->setAttribute(Qt::WA_DeleteOnClose, false);
  const int frame = Ramecek == TRamecek::None ? 0 : kFramePixels;
  if (Ramecek != TRamecek::None) {
    window_->setFrameShape(QFrame::Panel);
    window_->setFrameShadow(Ramecek == TRamecek::Lowered ? QFrame::Sunken : QFrame::Raised);
    window_->setLineWidth(kFramePixels);
  }
  auto* picture = new QLabel(window_);
  picture->setPixmap(SlozenyObraz());
  picture->setGeometry(frame, frame, Bitmap.width(), Bitmap.height());
  window_->setFixedSize(Bitmap.width() + 2 * frame, Bitmap.height() + 2 * frame);
  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  window_->move(screen.center() - window_->rect().center());
  window_->show();
  window_->repaint();
  QApplication::processEvents();
  if (AutoZmiz) QTimer::singleShot(0, this, &TStartDialogTar::ZavriOkno);
}

void TStartDialogTar::Zmiz() {
  if (AutoZmiz) return;
  ZavriOkno();
}

void TStartDialogTar::ZavriOkno() {
  if (OnClose) OnClose();
  delete window_;
  if (FreeOnClose) {
    setParent(nullptr);
    deleteLater();
  }
}

}  // namespace zarn
