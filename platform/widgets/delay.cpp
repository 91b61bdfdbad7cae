#include "platform/widgets/delay.h"

#include <QEventLoop>
#include <QTimer>

namespace zarn {

void Delay(int msecs) {
  QEventLoop loop;
  QTimer::singleShot(msecs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace zarn
