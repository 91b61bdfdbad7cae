#include "platform/widgets/message_box.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cassert>

#include "platform/win1250.h"

namespace zarn {
namespace {

TScriptedDotaz* g_script = nullptr;

QStyle::StandardPixmap PixmapOf(TMsgIcon icon) {
  switch (icon) {
    case TMsgIcon::Help: return QStyle::SP_MessageBoxQuestion;
    case TMsgIcon::Information: return QStyle::SP_MessageBoxInformation;
    case TMsgIcon::Stop: return QStyle::SP_MessageBoxCritical;
    case TMsgIcon::Warning: return QStyle::SP_MessageBoxWarning;
  }
  return QStyle::SP_MessageBoxInformation;
}

// Line breaks of the texts are CR LF or LF; the label wants LF only.
QString LabelText(const std::string& text) {
  return FromWin1250(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Builds the box's window: icon and text side by side, the buttons centred
// below them. The buttons end the dialog with mrOk and mrNo.
void BuildBox(QDialog& box, const TDotaz& dotaz, const std::vector<std::string>& captions) {
  box.setWindowTitle(FromWin1250(dotaz.Titulek));
  box.setObjectName(QStringLiteral("dotaz"));
  auto* icon = new QLabel;
  const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
  icon->setPixmap(box.style()->standardIcon(PixmapOf(dotaz.Ikona)).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);
  auto* text = new QLabel(LabelText(dotaz.Text));
  text->setObjectName(QStringLiteral("dotazText"));
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);
  text->setMinimumWidth(220);
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(10);
  top->addWidget(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  const TModalResult results[] = {mrOk, mrNo};
  for (size_t i = 0; i < captions.size(); ++i) {
    auto* button = new QPushButton(FromWin1250(captions[i]));
    button->setObjectName(QStringLiteral("dotazTlacitko%1").arg(i + 1));
    button->setMinimumWidth(75);
    const TModalResult result = results[i];
    QObject::connect(button, &QPushButton::clicked, &box, [&box, result] { box.done(result); });
    buttons->addWidget(button);
    if (i == 0) button->setDefault(true);
  }
  buttons->addStretch();
  auto* layout = new QVBoxLayout(&box);
  layout->setContentsMargins(14, 14, 14, 10);
  layout->addLayout(top);
  layout->addSpacing(10);
  layout->addLayout(buttons);
  box.setFixedSize(box.sizeHint());
}

}  // namespace

TDotaz::TDotaz() : Titulek("Tarvol05"), Tlacitko1("OK"), Tlacitko2(Utf8ToWin1250("Zpět")) {}

TModalResult TDotaz::Execute(QWidget* parent) const {
  if (g_script != nullptr) return g_script->Answer(*this);
  std::vector<std::string> captions = {Tlacitko1};
  if (PocetTlacitek >= 2) captions.push_back(Tlacitko2);
  QDialog box(parent != nullptr ? parent->window() : nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  BuildBox(box, *this, captions);
  // reject() (Escape, the title bar) gives QDialog::Rejected, which is 0.
  const int result = box.exec();
  return result == mrOk || result == mrNo ? static_cast<TModalResult>(result) : mrCancel;
}

void ShowApplicationError(QWidget* parent, const std::string& message) {
  TDotaz box;
  box.Text = message;
  box.Ikona = TMsgIcon::Stop;
  box.Execute(parent);
}

TScriptedDotaz::TScriptedDotaz(std::deque<TModalResult> answers) : answers_(std::move(answers)) {
  assert(g_script == nullptr);
  g_script = this;
}

TScriptedDotaz::~TScriptedDotaz() { g_script = nullptr; }

TModalResult TScriptedDotaz::Answer(const TDotaz& box) {
  TDotazShown shown{box.Text, box.Ikona, {box.Tlacitko1}};
  if (box.PocetTlacitek >= 2) shown.buttons.push_back(box.Tlacitko2);
  shown_.push_back(std::move(shown));
  if (answers_.empty()) return mrCancel;
  const TModalResult answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace zarn
