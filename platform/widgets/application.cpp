#include "platform/widgets/application.h"

#include <exception>

#include "platform/widgets/message_box.h"
#include "platform/win1250.h"

namespace zarn {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowApplicationError(activeWindow(), error.what());
  } catch (...) {
    ShowApplicationError(activeWindow(), Utf8ToWin1250("Neznámá chyba"));
  }
  return false;
}

}  // namespace zarn
