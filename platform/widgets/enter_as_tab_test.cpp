#include "platform/widgets/enter_as_tab.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "platform/widgets/test_application.h"

namespace zarn {
namespace {

void PressEnter(QWidget* widget) {
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(widget, &enter);
}

TEST(EnterAsTabTest, EnterMovesOnFromEditFieldsOnlyInItsWindow) {
  TestApplication();
  QWidget window;
  auto* first = new QLineEdit(&window);
  auto* second = new QLineEdit(&window);
  auto* memo = new QPlainTextEdit(&window);
  auto* button = new QPushButton("OK", &window);
  auto* layout = new QVBoxLayout(&window);
  for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(second), static_cast<QWidget*>(memo),
                     static_cast<QWidget*>(button)})
    layout->addWidget(w);
  new TEnterAsTab(&window);
  window.show();
  QApplication::setActiveWindow(&window);
  first->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), first);

  PressEnter(first);
  EXPECT_EQ(QApplication::focusWidget(), second);
  PressEnter(second);
  EXPECT_EQ(QApplication::focusWidget(), memo);
  PressEnter(memo);  // a new line, not a move
  EXPECT_EQ(QApplication::focusWidget(), memo);
  EXPECT_EQ(memo->toPlainText(), "\n");

  QWidget other;
  auto* alone = new QLineEdit(&other);
  auto* next = new QLineEdit(&other);
  new QVBoxLayout(&other);
  other.layout()->addWidget(alone);
  other.layout()->addWidget(next);
  other.show();
  QApplication::setActiveWindow(&other);
  alone->setFocus();
  PressEnter(alone);
  EXPECT_EQ(QApplication::focusWidget(), alone);
}

}  // namespace
}  // namespace zarn
