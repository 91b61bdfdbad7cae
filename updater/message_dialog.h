// TMessageDialog: the updater's message dialog, the shared box (so that tests
// answer it through TScriptedDotaz) under a caption of the updater's own.
#pragma once

#include <string>

#include "platform/widgets/message_box.h"

class QWidget;

namespace zarn {

class TMessageDialog {
 public:
  explicit TMessageDialog(std::string caption) : caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }

  // Shows `text` (Windows-1250) modally with `icon` and the one button "OK".
  void ShowMessage(QWidget* parent, const std::string& text, TMsgIcon icon) const;

 private:
  std::string caption_;
};

}  // namespace zarn
