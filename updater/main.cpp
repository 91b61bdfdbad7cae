// zembu: copies the code lists from the central server into local DBF files.
#include <QDir>
#include <QScreen>
#include <string>
#include <vector>

#include "platform/format_settings.h"
#include "platform/widgets/application.h"
#include "platform/widgets/skin.h"
#include "updater/zembu_form.h"

int main(int argc, char** argv) {
  zarn::TApplication app(argc, argv);
  // Files are opened by names relative to the program folder (zembu.ini,
  // ../Tarvol05.ini, data/), so that folder is the working folder however we
  // were started.
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  zarn::InitFormatSettingsFromLocale();
  zarn::ApplySilverSkin(app);
  zarn::TForm1 form(std::vector<std::string>(argv, argv + argc));
  form.move(form.screen()->availableGeometry().center() - form.rect().center());
  form.show();
  return app.exec();
}
