#include "platform/widgets/message_box.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

#include "platform/widgets/test_application.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

class DotazTest : public ::testing::Test {
 protected:
  void SetUp() override { TestApplication(); }
};

TEST_F(DotazTest, ScriptAnswersInOrderRecordsEachBoxAndThenAnswersCancel) {
  TScriptedDotaz script({mrNo, mrOk});
  TDotaz box;
  box.Text = Utf8ToWin1250("Zapsat provedené změny?");
  box.PocetTlacitek = 2;
  box.Ikona = TMsgIcon::Help;
  EXPECT_EQ(box.Execute(nullptr), mrNo);
  EXPECT_EQ(box.Execute(nullptr), mrOk);
  EXPECT_EQ(box.Execute(nullptr), mrCancel);
  ASSERT_EQ(script.Shown().size(), 3u);
  EXPECT_EQ(script.Shown()[0].text, Utf8ToWin1250("Zapsat provedené změny?"));
  EXPECT_EQ(script.Shown()[0].icon, TMsgIcon::Help);
  EXPECT_EQ(script.Shown()[0].buttons, (std::vector<std::string>{"OK", Utf8ToWin1250("Zpět")}));
  EXPECT_EQ(script.AnswersLeft(), 0u);
}

TEST_F(DotazTest, ApplicationErrorIsAStopBoxWithOneOkButton) {
  TScriptedDotaz script;
  ShowApplicationError(nullptr, "Access denied for user 'x'");
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].text, "Access denied for user 'x'");
  EXPECT_EQ(script.Shown()[0].icon, TMsgIcon::Stop);
  EXPECT_EQ(script.Shown()[0].buttons, std::vector<std::string>{"OK"});
}

// Shows the real box and, once it is up, acts on it as a person would.
TModalResult RunRealBox(const TDotaz& box, std::function<void(QDialog&)> act, QString* seen_text = nullptr,
                        int* seen_buttons = nullptr) {
  QWidget owner;
  owner.resize(400, 300);
  owner.show();
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tarvol05"));
    if (seen_text) *seen_text = dialog->findChild<QLabel*>(QStringLiteral("dotazText"))->text();
    if (seen_buttons) *seen_buttons = dialog->findChildren<QPushButton*>().size();
    act(*dialog);
  });
  return box.Execute(&owner);
}

void Click(QDialog& dialog, const char* name) { dialog.findChild<QPushButton*>(QLatin1String(name))->click(); }

TEST_F(DotazTest, RealBoxReturnsOkNoOrCancelByHowItIsClosed) {
  TDotaz box;
  box.Text = Utf8ToWin1250("Opravdu zrušit záznam?");
  box.PocetTlacitek = 2;
  const struct {
    const char* how;
    std::function<void(QDialog&)> act;
    TModalResult expected;
  } cases[] = {
      {"first button", [](QDialog& d) { Click(d, "dotazTlacitko1"); }, mrOk},
      {"second button", [](QDialog& d) { Click(d, "dotazTlacitko2"); }, mrNo},
      {"Escape",
       [](QDialog& d) {
         QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
         QApplication::sendEvent(&d, &escape);
       },
       mrCancel},
      {"title bar close", [](QDialog& d) { d.close(); }, mrCancel},
  };
  for (const auto& c : cases) EXPECT_EQ(RunRealBox(box, c.act), c.expected) << c.how;
}

TEST_F(DotazTest, RealBoxShowsTheTextAndOnlyTheAskedButtons) {
  TDotaz box;
  box.Text = Utf8ToWin1250("Kod žadatele 0123 nenalezen!");
  box.Ikona = TMsgIcon::Warning;
  QString text;
  int buttons = 0;
  EXPECT_EQ(RunRealBox(box, [](QDialog& d) { Click(d, "dotazTlacitko1"); }, &text, &buttons), mrOk);
  EXPECT_EQ(text, QString::fromUtf8("Kod žadatele 0123 nenalezen!"));
  EXPECT_EQ(buttons, 1);
}

}  // namespace
}  // namespace zarn
