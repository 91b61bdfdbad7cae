// TFdoXLS: the export window "Export do ZARN.XLS". The user picks what to
// export (the list's rows and columns, the list's rows with every column, or
// the whole table) and the target folder; "OK" writes zarn.xls there. While
// the user browses, the folder shown is the program's working folder, and
// closing the window, for any reason, makes the program folder the working
// folder again, since the rest of the program opens its files by relative
// name.
#pragma once

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "services/xls/xls_writer.h"

class QFileSystemModel;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;
class QTreeView;

namespace zarn {

class TDataSet;
class TFormStorage;
class TServerConnection;
class TServerQuery;

// The three choices of the window, in their order.
enum class TVolbaExportu {
  VybraneVetyVybranePolozky,  // the listed records, the grid's visible columns and titles
  VybraneVetyVsechnyPolozky,  // the listed records, every column by name
  VsechnyVetyVsechnyPolozky,  // every record of zarnzada by rok and ico, every column
};

// Called while writing with the rows written and the rows to write.
using TExportProgress = std::function<void(int64_t written, int64_t total)>;

// The export behind "OK": writes `folder`/zarn.xls. `list` is the record
// list that `grid` shows (the first choice takes the grid's columns); the
// third choice runs "select * from zarnzada" / "order by rok,ico" on `work`
// and closes it again. Server errors propagate as EServerError; a failure of
// writing comes back in the result.
XlsWriteResult ExportujZarnXls(TVolbaExportu volba, const std::filesystem::path& folder, TDataSet& list,
                               const QTableView& grid, TServerQuery& work, const TExportProgress& progress = {});

class TFdoXLS : public QDialog {
  Q_OBJECT

 public:
  // `list` and `grid` are the main window's record list (ZQuery1) and its
  // grid; the window's own work query runs over `connection`. The working
  // folder at construction is taken as the program folder.
  TFdoXLS(TDataSet& list, const QTableView& grid, TServerConnection& connection, QWidget* parent = nullptr);
  ~TFdoXLS() override;

  void FormShow();
  void suiButton1Click();  // "OK"
  void FormClose();
  // The folder list moved to `path`: the label shows it and it becomes the
  // working folder.
  void DirectoryListBox1Change(const QString& path);

  const std::filesystem::path& ProgramFolder() const { return program_folder_; }
  TVolbaExportu Volba() const;

  QRadioButton* RadioVybraneVybrane;
  QRadioButton* RadioVybraneVsechny;
  QRadioButton* RadioVsechnyVsechny;
  QTreeView* DirectoryListBox1;
  QLabel* Label1;  // the chosen folder's path, kept in zarn.ini
  QProgressBar* ProgressBar1;
  QLabel* ProgressLabel;
  QPushButton* suiButton1;  // "OK"
  QPushButton* suiButton2;  // "Zpět"

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ShowProgress(int64_t written, int64_t total);

  TDataSet& list_;
  const QTableView& grid_;
  std::unique_ptr<TServerQuery> ZQuery1;
  std::filesystem::path program_folder_;
  QFileSystemModel* folders_;
  TFormStorage* FormStorage1;
};

}  // namespace zarn
