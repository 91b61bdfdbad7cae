#include "register/splash_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zarn {
namespace {

// One ear of grain: a stalk from `base` leaning by `lean` and pairs of grains
// along its upper part.
void DrawEar(QPainter& painter, QPointF base, double height, double lean) {
  const QPointF top(base.x() + lean, base.y() - height);
  painter.setPen(QPen(QColor(0x8C7A3E), 2.0));
  QPainterPath stalk(base);
  stalk.quadTo(QPointF(base.x() + lean * 0.2, base.y() - height * 0.5), top);
  painter.drawPath(stalk);
  painter.setPen(QPen(QColor(0x7A6328), 1.0));
  painter.setBrush(QColor(0xD9B85C));
  for (int i = 0; i < 7; ++i) {
    const double t = 0.45 + i * 0.08;
    const QPointF at = stalk.pointAtPercent(t);
    for (int side : {-1, 1}) {
      painter.save();
      painter.translate(at);
      painter.rotate(side * 35.0 + lean * 0.3);
      painter.drawEllipse(QRectF(side > 0 ? 0 : -12, -4, 12, 8));
      painter.restore();
    }
  }
}

}  // namespace

QPixmap SplashPicture() {
  QPixmap picture(500, 300);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient silver(0, 0, 500, 300);
  silver.setColorAt(0.0, QColor(0xFBFCFD));
  silver.setColorAt(0.55, QColor(0xD5D9E1));
  silver.setColorAt(1.0, QColor(0x9EA7B7));
  painter.fillRect(picture.rect(), silver);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 90));
  painter.drawEllipse(QPointF(90, 260), 190, 120);
  for (int i = 0; i < 5; ++i) DrawEar(painter, QPointF(50 + i * 28, 290), 170 + (i % 2) * 30, -20 + i * 10);
  painter.setPen(QPen(QColor(0x55698F), 2));
  painter.drawLine(QPointF(220, 190), QPointF(480, 190));
  painter.setPen(QPen(QColor(0x55698F), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
  return picture;
}

}  // namespace zarn
