// The application object that the window tests need: the programs' own
// TApplication, created on first use, kept for the whole test program and
// skinned like the programs. Tests run with
// QT_QPA_PLATFORM=offscreen.
#pragma once

#include "platform/widgets/application.h"
#include "platform/widgets/skin.h"

namespace zarn {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "widget-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* created = new TApplication(argc, argv);
    ApplySilverSkin(*created);
    return created;
  }();
  return *app;
}

}  // namespace zarn
