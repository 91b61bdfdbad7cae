#include "register/fdoxls.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/widgets/form_storage.h"
#include "platform/widgets/message_box.h"
#include "platform/widgets/wait_cursor.h"
#include "platform/win1250.h"
#include "register/list_export.h"
#include "services/query.h"

namespace zarn {
namespace {

constexpr int kWidth = 260;
constexpr int kHeight = 513;

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

std::filesystem::path PathOf(const QString& text) { return std::filesystem::path(text.toStdU16String()); }

// Closes the work query however the export ends.
struct CloseOnExit {
  TServerQuery& query;
  ~CloseOnExit() { query.Close(); }
};

}  // namespace

XlsWriteResult ExportujZarnXls(TVolbaExportu volba, const std::filesystem::path& folder, TDataSet& list,
                               const QTableView& grid, TServerQuery& work, const TExportProgress& progress) {
  const std::filesystem::path target = folder / "zarn.xls";
  auto write = [&](TDataSet& dataset, std::vector<TExportColumn> columns) {
    const int64_t total = dataset.RowCount();
    if (progress) progress(0, total);
    return ExportDataSetToXls(target, dataset, std::move(columns), [&](int64_t written) {
      if (progress) progress(written, total);
    });
  };
  switch (volba) {
    case TVolbaExportu::VybraneVetyVybranePolozky: return write(list, GridColumns(grid));
    case TVolbaExportu::VybraneVetyVsechnyPolozky: return write(list, AllColumns(list));
    case TVolbaExportu::VsechnyVetyVsechnyPolozky: break;
  }
  work.Close();
  work.Clear();
  work.SQL() = {"select * from zarnzada", "order by rok,ico"};
  work.Open();
  CloseOnExit closer{work};
  return write(work, AllColumns(work));
}

TFdoXLS::TFdoXLS(TDataSet& list, const QTableView& grid, TServerConnection& connection, QWidget* parent)
    : QDialog(parent), list_(list), grid_(grid), ZQuery1(std::make_unique<TServerQuery>(connection)),
      program_folder_(PathOf(QDir::currentPath())) {
  setWindowTitle(T("Export do ZARN.XLS"));
  setFixedSize(kWidth, kHeight);

  auto* choices = new QGroupBox(T("Exportovat"), this);
  choices->setObjectName(QStringLiteral("RadioGroup1"));
  RadioVybraneVybrane = new QRadioButton(T("vybrané věty, vybrané položky"), choices);
  RadioVybraneVsechny = new QRadioButton(T("vybrané věty, všechny položky"), choices);
  RadioVsechnyVsechny = new QRadioButton(T("všechny věty, všechny položky"), choices);
  RadioVybraneVybrane->setChecked(true);
  auto* choices_layout = new QVBoxLayout(choices);
  for (QRadioButton* radio : {RadioVybraneVybrane, RadioVybraneVsechny, RadioVsechnyVsechny})
    choices_layout->addWidget(radio);

  folders_ = new QFileSystemModel(this);
  folders_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
  folders_->setRootPath(QString());
  DirectoryListBox1 = new QTreeView(this);
  DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
  DirectoryListBox1->setModel(folders_);
  DirectoryListBox1->setHeaderHidden(true);
  for (int column = 1; column < folders_->columnCount(); ++column) DirectoryListBox1->hideColumn(column);
  connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) DirectoryListBox1Change(folders_->filePath(current));
          });

  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Label1->setFrameShape(QFrame::StyledPanel);
  Label1->setMinimumHeight(34);
  Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setValue(0);
  ProgressLabel = new QLabel(this);

  suiButton1 = new QPushButton(T("OK"), this);
  suiButton1->setObjectName(QStringLiteral("suiButton1"));
  suiButton1->setDefault(true);
  suiButton2 = new QPushButton(T("Zpět"), this);
  suiButton2->setObjectName(QStringLiteral("suiButton2"));
  connect(suiButton1, &QPushButton::clicked, this, &TFdoXLS::suiButton1Click);
  connect(suiButton2, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(suiButton1);
  buttons->addWidget(suiButton2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(choices);
  layout->addWidget(new QLabel(T("Cílová složka:"), this));
  layout->addWidget(DirectoryListBox1, 1);
  layout->addWidget(Label1);
  layout->addWidget(ProgressBar1);
  layout->addWidget(ProgressLabel);
  layout->addLayout(buttons);

  // The storage writes the program folder's zarn.ini even while the working
  // folder is the export folder.
  FormStorage1 = new TFormStorage(this, (program_folder_ / "zarn.ini").string());
  FormStorage1->StoredProps = {"Label1.Caption"};
  FormStorage1->StorePlacement = true;
}

TFdoXLS::~TFdoXLS() { FormClose(); }

TVolbaExportu TFdoXLS::Volba() const {
  if (RadioVybraneVsechny->isChecked()) return TVolbaExportu::VybraneVetyVsechnyPolozky;
  if (RadioVsechnyVsechny->isChecked()) return TVolbaExportu::VsechnyVetyVsechnyPolozky;
  return TVolbaExportu::VybraneVetyVybranePolozky;
}

// The stored folder when it still exists, otherwise the program folder.
void TFdoXLS::FormShow() {
  QString folder = Label1->text();
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QString::fromStdU16String(program_folder_.u16string());
  const QModelIndex index = folders_->index(QDir(folder).absolutePath());
  DirectoryListBox1->setCurrentIndex(index);
  DirectoryListBox1->scrollTo(index, QAbstractItemView::PositionAtCenter);
  DirectoryListBox1->expand(index);
  DirectoryListBox1Change(QDir(folder).absolutePath());
}

void TFdoXLS::DirectoryListBox1Change(const QString& path) {
  Label1->setText(QDir::toNativeSeparators(path));
  QDir::setCurrent(path);
}

void TFdoXLS::ShowProgress(int64_t written, int64_t total) {
  ProgressBar1->setMaximum(static_cast<int>(std::min<int64_t>(total, INT32_MAX)));
  ProgressBar1->setValue(static_cast<int>(std::min<int64_t>(written, INT32_MAX)));
  ProgressLabel->setText(T("Zapsáno vět: %1 z %2").arg(written).arg(total));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFdoXLS::suiButton1Click() {
  XlsWriteResult result;
  {
    TWaitCursor wait;
    suiButton1->setEnabled(false);
    try {
      result = ExportujZarnXls(Volba(), PathOf(QDir::fromNativeSeparators(Label1->text())), list_, grid_, *ZQuery1,
                               [this](int64_t written, int64_t total) { ShowProgress(written, total); });
    } catch (const std::exception& error) {
      result.message = error.what();
    }
    suiButton1->setEnabled(true);
  }
  if (!result.ok) {
    ShowApplicationError(this, result.message);
    return;
  }
  if (result.sheets > 1) {
    TDotaz dotaz;
    dotaz.Text = ToWin1250(T("Seznam má %1 vět a nevešel se na jeden list sešitu, pokračuje na dalších listech "
                             "(listů celkem: %2).").arg(result.rows).arg(result.sheets));
    dotaz.Ikona = TMsgIcon::Information;
    dotaz.Execute(this);
  }
  accept();
}

void TFdoXLS::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFdoXLS::hideEvent(QHideEvent* event) {
  FormClose();
  QDialog::hideEvent(event);
}

void TFdoXLS::FormClose() { QDir::setCurrent(QString::fromStdU16String(program_folder_.u16string())); }

}  // namespace zarn
