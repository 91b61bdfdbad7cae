#include "platform/widgets/busy_window.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

#include "platform/widgets/gradient_bar.h"
#include "platform/win1250.h"

namespace zarn {

Tpracuji::Tpracuji(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      label_(new QLabel(this)),
      bar_(new TGradientBar(this)) {
  setObjectName(QStringLiteral("pracuji"));
  setFixedSize(243, 66);
  setModal(false);
  setStyleSheet(QStringLiteral("#pracuji { border: 1px solid #55698f; background: #e3e6ec; }"));
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setGeometry(3, 6, 236, 31);
  label_->setAlignment(Qt::AlignCenter);
  label_->setWordWrap(true);
  label_->setTextFormat(Qt::PlainText);
  bar_->setObjectName(QStringLiteral("Gradient"));
  bar_->setGeometry((243 - 161) / 2, 42, 161, 14);
}

void Tpracuji::SetText(const std::string& text) { label_->setText(FromWin1250(text)); }

std::string Tpracuji::Text() const { return ToWin1250(label_->text()); }

void Tpracuji::Ukaz() {
  const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  const QRect area = owner != nullptr ? owner->geometry() : QApplication::primaryScreen()->availableGeometry();
  move(area.center() - rect().center());
  show();
  raise();
  activateWindow();
  repaint();
  QApplication::processEvents();
}

}  // namespace zarn
