#include "platform/widgets/skin.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <array>

namespace zarn {
namespace {

// The theme's colour table. Only a few entries are given a meaning by the
// programs (15: panel background, 31: splitter bar); the others are shades of
// the same silver ramp so that any number asked for still fits the look.
constexpr std::array<QRgb, 32> kThemeColors = {
    0xFFFFFF, 0xF7F8FA, 0xEEF0F4, 0xE6E9EF, 0xDDE1E8, 0xD5D9E1, 0xCDD2DB, 0xC4CAD4,
    0xBCC2CD, 0xB4BAC6, 0xABB2BF, 0xA3AAB8, 0x9AA2B1, 0x929AAA, 0x8A92A3, 0xE3E6EC,
    0x818A9C, 0x798295, 0x717A8E, 0x687287, 0x606A80, 0x586279, 0x4F5A72, 0x47526B,
    0x3F4A64, 0x36425D, 0x2E3A56, 0x26324F, 0x1D2A48, 0x152241, 0x0D1A3A, 0x9EA7B7};

constexpr char kStyleSheet[] = R"(
QMainWindow, QDialog { background: #e3e6ec; }
QMenuBar {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfcfd, stop:1 #d5d9e1);
  border-bottom: 1px solid #9ea7b7;
}
QMenuBar::item { padding: 3px 8px; background: transparent; }
QMenuBar::item:selected { background: #c4d3e8; border: 1px solid #7d93b5; }
QMenu { background: #f7f8fa; border: 1px solid #8a92a3; }
QMenu::item { padding: 4px 24px 4px 22px; }
QMenu::item:selected { background: #c4d3e8; color: #000000; }
QMenu::item:disabled { color: #9aa2b1; }
QMenu::separator { height: 1px; background: #bcc2cd; margin: 3px 6px; }
QPushButton, QToolButton {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:0.5 #e6e9ef, stop:1 #cdd2db);
  border: 1px solid #8a92a3; border-radius: 3px; padding: 3px 10px; min-height: 18px;
}
QToolButton { padding: 1px 3px; }
QPushButton:hover, QToolButton:hover { border-color: #5b7bb0; background: #eef3fa; }
QPushButton:pressed, QToolButton:pressed, QToolButton:checked { background: #c4cad4; }
QPushButton:disabled { color: #9aa2b1; border-color: #bcc2cd; }
QLineEdit, QComboBox, QPlainTextEdit, QTextEdit {
  background: #ffffff; border: 1px solid #9aa2b1; border-radius: 2px; padding: 1px 3px;
  selection-background-color: #6f8fc0;
}
QLineEdit:focus, QComboBox:focus, QPlainTextEdit:focus { border: 1px solid #4a6fa8; background: #fffff0; }
QLineEdit:read-only { background: #eef0f4; }
QLineEdit[invalidDate="true"] { background: #ffe0e0; }
QTableView {
  background: #ffffff; alternate-background-color: #f3f5f8; gridline-color: #cdd2db;
  border: 1px solid #8a92a3; selection-background-color: #6f8fc0; selection-color: #ffffff;
}
QHeaderView::section {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfcfd, stop:1 #cdd2db);
  border: 0px; border-right: 1px solid #9aa2b1; border-bottom: 1px solid #9aa2b1; padding: 2px 4px;
}
QTabWidget::pane { border: 1px solid #8a92a3; background: #eef0f4; }
QTabBar::tab {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d5d9e1);
  border: 1px solid #8a92a3; border-bottom: 0px; padding: 3px 8px; margin-right: 1px;
}
QTabBar::tab:selected { background: #eef0f4; }
QGroupBox { border: 1px solid #9aa2b1; border-radius: 3px; margin-top: 8px; padding-top: 4px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #1d2a48; }
QSplitter::handle { background: #9ea7b7; }
QCalendarWidget QToolButton { background: transparent; border: none; color: #ffffff; font-weight: bold; }
QCalendarWidget QToolButton:hover { background: #55698f; }
QLabel[skinRole="caption"] {
  color: #ffffff; padding: 2px 6px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8a9ab8, stop:1 #55698f);
}
QLabel[skinRole="totals"] { color: #1d2a48; }
)";

}  // namespace

void ApplySilverSkin(QApplication& app) {
  app.setStyle(QStyleFactory::create("Fusion"));
  QPalette palette = app.style()->standardPalette();
  palette.setColor(QPalette::Window, SkinThemeColor(15));
  palette.setColor(QPalette::Button, SkinThemeColor(3));
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::AlternateBase, SkinThemeColor(1));
  palette.setColor(QPalette::Highlight, QColor(0x6f8fc0));
  app.setPalette(palette);
  app.setStyleSheet(kStyleSheet);
}

QColor SkinThemeColor(int index) {
  if (index < 0 || index >= static_cast<int>(kThemeColors.size())) return QColor(kThemeColors[15]);
  return QColor(kThemeColors[index]);
}

}  // namespace zarn
