#include "updater/message_dialog.h"

namespace zarn {

void TMessageDialog::ShowMessage(QWidget* parent, const std::string& text, TMsgIcon icon) const {
  TDotaz box;
  box.Text = text;
  box.Ikona = icon;
  box.Titulek = caption_;
  box.Execute(parent);
}

}  // namespace zarn
