// The QApplication that the window tests need: created on first use and kept
// for the whole test program, skinned like the programs. Tests run with
// QT_QPA_PLATFORM=offscreen.
#pragma once

#include <QApplication>

#include "platform/widgets/skin.h"

namespace zarn {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "widget-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* created = new QApplication(argc, argv);
    ApplySilverSkin(*created);
    return created;
  }();
  return *app;
}

}  // namespace zarn
