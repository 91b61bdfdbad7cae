// TApplication: the programs' QApplication. An error that escapes a handler
// abandons that handler's action and is shown by the application's standard
// error display (the shared box with the stop icon), and the program goes on,
// as the windows' handlers expect.
#pragma once

#include <QApplication>

namespace zarn {

class TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace zarn
