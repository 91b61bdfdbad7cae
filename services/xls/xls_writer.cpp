#include "services/xls/xls_writer.h"

#include <system_error>
#include <vector>

#include "platform/win1250.h"
#include "services/xls/compound_file.h"
#include "services/xls/scratch_file.h"
#include "services/xls/shared_strings.h"
#include "services/xls/sheet_name.h"
#include "services/xls/workbook_globals.h"
#include "services/xls/worksheet_body.h"

namespace zarn {
namespace {

// Removes a scratch file when the export ends, however it ends.
class RemoveOnExit {
 public:
  explicit RemoveOnExit(std::filesystem::path path) : path_(std::move(path)) {}
  ~RemoveOnExit() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::filesystem::path WithSuffix(const std::filesystem::path& path, const char* suffix) {
  std::filesystem::path result = path;
  result += suffix;
  return result;
}

std::string PathText(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return Utf8ToWin1250(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

// `czech_utf8` with {path} and the system's {reason_utf8} filled in, as
// Windows-1250.
std::string Message(std::string_view czech_utf8, const std::filesystem::path& path, const std::string& reason_utf8) {
  std::string text = Utf8ToWin1250(czech_utf8);
  text.replace(text.find("{path}"), 6, PathText(path));
  if (const size_t at = text.find("{reason}"); at != std::string::npos) text.replace(at, 8, Utf8ToWin1250(reason_utf8));
  return text;
}

XlsWriteResult Failure(std::string message) {
  XlsWriteResult result;
  result.message = std::move(message);
  return result;
}

constexpr std::string_view kCannotCreate = "Soubor „{path}“ nelze vytvořit: {reason}";
constexpr std::string_view kCannotWrite = "Zápis do souboru „{path}“ selhal: {reason}";
constexpr std::string_view kCannotReplace = "Soubor „{path}“ nelze přepsat: {reason}";
constexpr std::string_view kTooLarge = "Export do souboru „{path}“ je na sešit XLS příliš velký (nejvýše 2 GB).";

}  // namespace

XlsWriteResult WriteXlsWorkbook(const std::filesystem::path& target, std::string_view sheet_name,
                                XlsRowSource& source, const XlsProgress& progress) {
  const std::vector<XlsColumn> columns = source.Columns();
  if (columns.size() > kXlsMaxColumns) {
    return Failure(Utf8ToWin1250("List sešitu XLS pojme nejvýše 256 sloupců, export jich má " +
                                 std::to_string(columns.size()) + "."));
  }
  const RemoveOnExit rows_path(WithSuffix(target, ".rows.tmp"));
  const RemoveOnExit workbook_path(WithSuffix(target, ".tmp"));
  ScratchFile rows_file;
  if (!rows_file.Create(rows_path.path())) return Failure(Message(kCannotCreate, target, rows_file.error()));

  SharedStringTable strings;
  WorksheetBodyWriter sheets(rows_file, strings, columns);
  std::vector<XlsValue> values(columns.size());
  int64_t rows = 0;
  sheets.BeginSheet();
  try {
    while (rows_file.ok() && rows_file.Size() <= kMaxCompoundStreamSize && source.NextRow(values)) {
      if (sheets.DataRowsInSheet() == kXlsMaxDataRowsPerSheet) {
        sheets.EndSheet();
        sheets.BeginSheet();
      }
      sheets.WriteRow(values);
      if (++rows % kXlsProgressStep == 0 && progress) progress(rows);
    }
  } catch (const std::exception& error) {
    return Failure(error.what());
  }
  sheets.EndSheet();
  if (!rows_file.ok()) return Failure(Message(kCannotWrite, target, rows_file.error()));

  std::vector<std::string> names;
  for (size_t i = 0; i < sheets.SheetOffsets().size(); ++i) names.push_back(XlsSheetName(sheet_name, int(i) + 1));
  const std::string globals = BuildWorkbookGlobals(names, sheets.SheetOffsets(), strings);
  const uint64_t content_size = globals.size() + rows_file.Size();
  if (content_size > kMaxCompoundStreamSize) return Failure(Message(kTooLarge, target, ""));

  ScratchFile workbook;
  if (!workbook.Create(workbook_path.path())) return Failure(Message(kCannotCreate, target, workbook.error()));
  const CompoundFileLayout layout = PlanCompoundFile(content_size);
  workbook.Write(CompoundFileHeader(layout));
  workbook.Write(globals);
  rows_file.CopyTo(workbook);
  workbook.WriteZeros(layout.PaddingAfter(content_size));
  workbook.Write(CompoundFileTail(layout));
  if (!rows_file.ok()) return Failure(Message(kCannotWrite, target, rows_file.error()));
  if (!workbook.Close()) return Failure(Message(kCannotWrite, target, workbook.error()));
  rows_file.Close();

  std::error_code renamed;
  std::filesystem::rename(workbook_path.path(), target, renamed);
  if (renamed) return Failure(Message(kCannotReplace, target, renamed.message()));
  if (progress) progress(rows);
  XlsWriteResult result;
  result.ok = true;
  result.rows = rows;
  result.sheets = static_cast<int>(names.size());
  return result;
}

}  // namespace zarn
