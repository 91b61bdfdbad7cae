#include "register/fmozno.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "platform/ini_file.h"
#include "platform/widgets/form_storage.h"
#include "platform/widgets/message_box.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

constexpr int kWidth = 420;
constexpr int kHeaderHeight = 22;

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

const char* const kObdobiFile = "obdobi.dtx";

std::vector<std::string> LinesOfText(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (lines.back().isEmpty()) lines.removeLast();
  std::vector<std::string> result;
  for (const QString& line : lines) result.push_back(ToWin1250(line));
  return result;
}

TFmozno::TFmozno(QWidget* parent) : QDialog(parent) {
  setWindowTitle(T("Tarvol05 - servis"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setFixedSize(kWidth, kFmoznoCollapsedHeight);

  Memo1 = new QPlainTextEdit;
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  suiButton1 = new QPushButton(T("OK"));
  suiButton1->setObjectName(QStringLiteral("suiButton1"));
  connect(suiButton1, &QPushButton::clicked, this, &TFmozno::suiButton1Click);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(2);
  layout->addWidget(BuildGroup(0, "Číslo PC, vystavuje", BuildWorkstationGroup()));
  layout->addWidget(BuildGroup(1, "Identifikace střediska", BuildCentreGroup()));
  layout->addWidget(BuildGroup(2, "Období", Memo1));
  layout->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(suiButton1);
  layout->addLayout(buttons);

  FormStorage1 = new TFormStorage(this);
  for (QLineEdit* edit : findChildren<QLineEdit*>())
    FormStorage1->StoredProps.push_back(edit->objectName().toStdString() + ".Text");
  FormStorage1->StoredProps.push_back("suiCheckBoxCentrum.Checked");
  FormStorage1->StoredProps.push_back("suiCheckBoxTestVerze.Checked");
}

QLineEdit* TFmozno::AddEdit(const char* name, int max_length) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromLatin1(name));
  if (max_length > 0) edit->setMaxLength(max_length);
  return edit;
}

QWidget* TFmozno::BuildGroup(int index, const char* caption, QWidget* body) {
  auto* group = new QWidget;
  group->setObjectName(QStringLiteral("suiPanel%1").arg(index + 1));
  auto* header = new QToolButton(group);
  header->setText(T(caption));
  header->setCheckable(true);
  header->setArrowType(Qt::RightArrow);
  header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  header->setFixedHeight(kHeaderHeight);
  body->setParent(group);
  body->setFixedHeight(kFmoznoGroupHeights[index] - kHeaderHeight);
  body->hide();
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(header);
  layout->addWidget(body);
  groups_[index] = {header, body};
  void (TFmozno::*const pops[3])() = {&TFmozno::suiPanel1Pop, &TFmozno::suiPanel2Pop, &TFmozno::suiPanel3Pop};
  connect(header, &QToolButton::clicked, this, [this, pop = pops[index]](bool checked) {
    if (checked) (this->*pop)();
    else Expand(-1);
  });
  return group;
}

QWidget* TFmozno::BuildWorkstationGroup() {
  auto* body = new QWidget;
  EditcisloPC = AddEdit("EditcisloPC", 2);
  EditcisloPC->setReadOnly(true);
  EditcisloPC->setFixedWidth(40);
  EditcisloPC->setText(QStringLiteral("00"));
  EditIP = AddEdit("EditIP");
  EditIP->setReadOnly(true);
  EditIP->setText(QStringLiteral("localhost"));
  suiEdit1 = AddEdit("suiEdit1");
  suiCheckBoxCentrum = new QCheckBox(T("režim CENTRUM"));
  suiCheckBoxCentrum->setObjectName(QStringLiteral("suiCheckBoxCentrum"));
  suiCheckBoxTestVerze = new QCheckBox(T("test verze při spuštění"));
  suiCheckBoxTestVerze->setObjectName(QStringLiteral("suiCheckBoxTestVerze"));
  suiCheckBoxTestVerze->setChecked(true);

  auto* layout = new QGridLayout(body);
  layout->setContentsMargins(8, 4, 8, 4);
  layout->setVerticalSpacing(4);
  layout->addWidget(new QLabel(T("číslo počítače")), 0, 0);
  layout->addWidget(EditcisloPC, 0, 1);
  layout->addWidget(new QLabel(T("IP serveru")), 0, 2);
  layout->addWidget(EditIP, 0, 3);
  layout->addWidget(new QLabel(T("vystavuje")), 1, 0);
  layout->addWidget(suiEdit1, 1, 1, 1, 3);
  layout->addWidget(suiCheckBoxCentrum, 2, 0, 1, 2);
  layout->addWidget(suiCheckBoxTestVerze, 2, 2, 1, 2);
  layout->setColumnStretch(3, 1);
  return body;
}

QWidget* TFmozno::BuildCentreGroup() {
  auto* body = new QWidget;
  Editpodnik = AddEdit("Editpodnik", 4);
  EditICO = AddEdit("EditICO", 10);
  EditDIC = AddEdit("EditDIC", 10);
  Editnazev = AddEdit("Editnazev");
  Editsidlo = AddEdit("Editsidlo");
  Editulice = AddEdit("Editulice");
  EditPSC = AddEdit("EditPSC", 6);
  Editposta = AddEdit("Editposta");
  EditBANKA = AddEdit("EditBANKA");
  EditUCET = AddEdit("EditUCET");
  EditTelefon = AddEdit("EditTelefon", 24);
  EditFax = AddEdit("EditFax", 24);
  EditOR = AddEdit("EditOR");
  EditEmail = AddEdit("EditEmail");
  Editkdevysta = AddEdit("Editkdevysta");
  Editpodnik->setFixedWidth(60);
  EditPSC->setFixedWidth(70);
  auto pair = [](QLineEdit* first, QLineEdit* second) {
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(second);
    return row;
  };
  auto* layout = new QFormLayout(body);
  layout->setContentsMargins(8, 3, 8, 3);
  layout->setVerticalSpacing(2);
  layout->setLabelAlignment(Qt::AlignRight);
  layout->addRow(T("Číslo žadatele"), Editpodnik);
  layout->addRow(T("IČO, DIČ"), pair(EditICO, EditDIC));
  layout->addRow(T("Název podniku"), Editnazev);
  layout->addRow(T("Sídlo"), Editsidlo);
  layout->addRow(T("Ulice a číslo"), Editulice);
  layout->addRow(T("PSČ, pošta"), pair(EditPSC, Editposta));
  layout->addRow(T("Banka"), EditBANKA);
  layout->addRow(T("Účet"), EditUCET);
  layout->addRow(T("Telefon, fax"), pair(EditTelefon, EditFax));
  layout->addRow(T("Firma zapsána"), EditOR);
  layout->addRow(T("Email"), EditEmail);
  layout->addRow(T("Místo vystavení"), Editkdevysta);
  return body;
}

// The stored values are already in the controls (the storage restores them
// before this runs). A period list that cannot be read is reported and the
// window closes without touching the file.
void TFmozno::FormShow() {
  Expand(-1);
  std::vector<std::string> lines;
  periods_loaded_ = ReadTextLines(kObdobiFile, &lines);
  if (!periods_loaded_) {
    ShowApplicationError(this, Utf8ToWin1250("Nelze otevřít soubor ") + kObdobiFile);
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    return;
  }
  QStringList text;
  for (const std::string& line : lines) text.push_back(FromWin1250(line));
  Memo1->setPlainText(text.join(QLatin1Char('\n')));
}

namespace {

// Writes the new list beside the old one and renames it over: a write that
// fails half way (a full disk, a file that cannot be replaced) leaves the
// old list whole instead of cut short.
bool ReplacePeriodList(const std::vector<std::string>& lines) {
  const std::string temporary = std::string(kObdobiFile) + ".tmp";
  std::error_code error;
  if (WriteTextLines(temporary, lines)) {
    std::filesystem::rename(temporary, kObdobiFile, error);
    if (!error) return true;
  }
  // Only a half-written copy of ours goes; whatever else has the name stays.
  if (std::filesystem::is_regular_file(temporary, error)) std::filesystem::remove(temporary, error);
  return false;
}

}  // namespace

void TFmozno::FormClose() {
  if (!periods_loaded_) return;
  if (!ReplacePeriodList(LinesOfText(Memo1->toPlainText())))
    ShowApplicationError(this, Utf8ToWin1250("Nelze zapsat do souboru ") + kObdobiFile +
                                   Utf8ToWin1250(". Seznam období zůstal beze změny."));
}

void TFmozno::suiPanel1Pop() { Expand(0); }
void TFmozno::suiPanel2Pop() { Expand(1); }
void TFmozno::suiPanel3Pop() { Expand(2); }
void TFmozno::suiButton1Click() { close(); }

int TFmozno::OpenGroup() const {
  for (int i = 0; i < 3; ++i)
    if (groups_[i].header->isChecked()) return i;
  return -1;
}

void TFmozno::Expand(int index) {
  for (int i = 0; i < 3; ++i) {
    groups_[i].header->setChecked(i == index);
    groups_[i].header->setArrowType(i == index ? Qt::DownArrow : Qt::RightArrow);
    groups_[i].body->setVisible(i == index);
  }
  setFixedHeight(index < 0 ? kFmoznoCollapsedHeight : kFmoznoGroupHeights[index] + kFmoznoBesideGroup);
}

void TFmozno::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFmozno::hideEvent(QHideEvent* event) {
  FormClose();
  QDialog::hideEvent(event);
}

}  // namespace zarn
