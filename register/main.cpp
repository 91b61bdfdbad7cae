// zarn: the register of licence fees for certified seed.
#include <QDir>

#include "platform/format_settings.h"
#include "platform/widgets/application.h"
#include "platform/widgets/skin.h"
#include "register/zarhla.h"

int main(int argc, char** argv) {
  zarn::TApplication app(argc, argv);
  // Every file of the program is opened by a name relative to the program
  // folder, so that folder is made the working folder however we were started.
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  zarn::InitFormatSettingsFromLocale();
  zarn::ApplySilverSkin(app);
  zarn::TForm1 form;
  form.showMaximized();
  return app.exec();
}
