// The silver skin: the look of every window of the programs, as one Qt style
// sheet in the grey-blue tones of the "tx_assilver" theme, plus the theme
// colours that windows ask for by number.
#pragma once

#include <QColor>

class QApplication;

namespace zarn {

// Sets the Fusion style, the silver palette and the skin's style sheet on the
// whole application. Call once, after the QApplication exists.
void ApplySilverSkin(QApplication& app);

// Colour number `index` of the skin theme. The register uses colour 15 for the
// background of its record form and control panel and colour 31 for the
// splitter bar; a number outside the theme's table gives the window colour.
QColor SkinThemeColor(int index);

}  // namespace zarn
