// The picture behind the register's splash: 500 x 300 pixels, silver, with a
// few ears of grain on the left; the splash writes its texts onto the right.
#pragma once

#include <QPixmap>

namespace zarn {

QPixmap SplashPicture();

}  // namespace zarn
