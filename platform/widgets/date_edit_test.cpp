#include "platform/widgets/date_edit.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include "platform/format_settings.h"
#include "platform/widgets/test_application.h"

namespace zarn {
namespace {

class DateEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    saved = FormatSettings();
    FormatSettings() = CzechFormatSettings();
  }
  void TearDown() override { FormatSettings() = saved; }
  TFormatSettings saved;
};

TEST_F(DateEditTest, ShowsTheShortDateAndReadsTypedDates) {
  TDateEdit edit;
  edit.SetDate(EncodeDate(2006, 3, 5));
  EXPECT_EQ(edit.Edit()->text(), "5.3.2006");
  edit.Edit()->setText("10.11.1999");
  EXPECT_EQ(edit.Date(), EncodeDate(1999, 11, 10));
  EXPECT_TRUE(edit.IsValid());
}

TEST_F(DateEditTest, ZeroDateIsAnEmptyFieldAndBadTextIsKeptButMarked) {
  TDateEdit edit;
  edit.SetDate(0);
  EXPECT_TRUE(edit.IsEmpty());
  EXPECT_EQ(edit.Date(), 0);
  edit.Edit()->setText("31.2.2006");
  EXPECT_FALSE(edit.IsValid());
  EXPECT_EQ(edit.Date(), 0);
  EXPECT_EQ(edit.Edit()->text(), "31.2.2006");
  EXPECT_TRUE(edit.Edit()->property("invalidDate").toBool());
  edit.Edit()->setText("28.2.2006");
  EXPECT_FALSE(edit.Edit()->property("invalidDate").toBool());
}

TEST_F(DateEditTest, CalendarOpensOnTheFieldsDateAndAPickedDayIsTaken) {
  TDateEdit edit;
  edit.show();
  edit.SetDate(EncodeDate(2006, 3, 5));
  TDateTime changed = -1;
  QObject::connect(&edit, &TDateEdit::DateChanged, [&](TDateTime d) { changed = d; });
  edit.Button()->click();
  ASSERT_NE(edit.Calendar(), nullptr);
  EXPECT_EQ(edit.Calendar()->selectedDate(), QDate(2006, 3, 5));
  emit edit.Calendar()->clicked(QDate(2007, 7, 6));
  EXPECT_EQ(edit.Date(), EncodeDate(2007, 7, 6));
  EXPECT_EQ(changed, EncodeDate(2007, 7, 6));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(edit.Calendar(), nullptr);
}

TEST_F(DateEditTest, LeavingTheFieldIsReportedOnce) {
  QWidget window;
  auto* date = new TDateEdit(&window);
  auto* next = new QLineEdit(&window);
  next->move(0, 40);
  window.show();
  QApplication::setActiveWindow(&window);
  int exits = 0;
  QObject::connect(date, &TDateEdit::Exited, [&] { ++exits; });
  date->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), date->Edit());
  next->setFocus();
  EXPECT_EQ(exits, 1);
}

}  // namespace
}  // namespace zarn
