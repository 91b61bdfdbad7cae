#include "updater/message_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

#include "platform/win1250.h"

namespace zarn {

namespace {

// The shared box always titles itself "Tarvol05"; while one of our messages
// is up, this filter gives the box our caption the moment it is shown.
class TCaptionFilter : public QObject {
 public:
  explicit TCaptionFilter(const QString& caption) : caption_(caption) { qApp->installEventFilter(this); }
  ~TCaptionFilter() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("dotaz")) {
      if (auto* box = qobject_cast<QDialog*>(watched)) box->setWindowTitle(caption_);
    }
    return false;
  }

 private:
  QString caption_;
};

}  // namespace

void TMessageDialog::ShowMessage(QWidget* parent, const std::string& text, TMsgIcon icon) const {
  TDotaz box;
  box.Text = text;
  box.Ikona = icon;
  TCaptionFilter caption(FromWin1250(caption_));
  box.Execute(parent);
}

}  // namespace zarn
