#include "register/hledat.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dataset/dataset.h"
#include "platform/dataset/field.h"
#include "platform/win1250.h"

namespace zarn {

int NajdiVSeznamu(TDataSet& list, const TField& field, const std::string& text, int from) {
  const QString hledany = FromWin1250(text);
  const int rows = list.RowCount();
  for (int row = std::max(from, 0); row < rows; ++row)
    if (FromWin1250(field.TextOf(list.RowValue(row, field), true)).contains(hledany, Qt::CaseInsensitive))
      return row;
  return -1;
}

THledat::THledat(TDataSet& list, std::vector<TField*> columns, const TField* start, QWidget* parent)
    : QDialog(parent), list_(list), columns_(std::move(columns)), start_row_(list.CurrentRow()) {
  setObjectName(QStringLiteral("Hledat"));
  setWindowTitle(QStringLiteral("Hledat"));
  Sloupec = new QComboBox(this);
  for (size_t i = 0; i < columns_.size(); ++i) {
    Sloupec->addItem(FromWin1250(columns_[i]->DisplayLabel()));
    if (columns_[i] == start) Sloupec->setCurrentIndex(static_cast<int>(i));
  }
  Edit = new QLineEdit(this);
  Hodnota = new QLabel(this);
  Dalsi = new QPushButton(QString::fromUtf8("Další"), this);
  OK = new QPushButton(QStringLiteral("OK"), this);
  Zpet = new QPushButton(QString::fromUtf8("Zpět"), this);
  // Enter asks for the next match; the dialog closes only by a button.
  Dalsi->setDefault(true);
  OK->setAutoDefault(false);
  Zpet->setAutoDefault(false);

  auto* fields = new QFormLayout;
  fields->addRow(QString::fromUtf8("Sloupec"), Sloupec);
  fields->addRow(QString::fromUtf8("Hledat"), Edit);
  fields->addRow(QString::fromUtf8("Nalezeno"), Hodnota);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Dalsi);
  buttons->addWidget(OK);
  buttons->addWidget(Zpet);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);

  connect(Edit, &QLineEdit::textChanged, this, &THledat::EditTextChange);
  connect(Sloupec, &QComboBox::currentIndexChanged, this, &THledat::EditTextChange);
  connect(Dalsi, &QPushButton::clicked, this, &THledat::DalsiClick);
  connect(OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(Zpet, &QPushButton::clicked, this, &THledat::ZpetClick);
}

TField* THledat::VybranySloupec() const {
  const int index = Sloupec->currentIndex();
  return index >= 0 && index < static_cast<int>(columns_.size()) ? columns_[index] : nullptr;
}

void THledat::Najdi(int from) {
  TField* field = VybranySloupec();
  found_ = field != nullptr ? NajdiVSeznamu(list_, *field, ToWin1250(Edit->text()), from) : -1;
  if (found_ < 0) {
    Hodnota->setText(QString::fromUtf8("nenalezeno"));
    return;
  }
  Hodnota->setText(FromWin1250(field->TextOf(list_.RowValue(found_, *field), true)));
  list_.GotoRow(found_);
}

void THledat::EditTextChange() { Najdi(0); }

void THledat::DalsiClick() { Najdi(found_ + 1); }

void THledat::ZpetClick() {
  if (start_row_ >= 0) list_.GotoRow(start_row_);
  reject();
}

}  // namespace zarn
