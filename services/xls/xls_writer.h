// Export of a list into an Excel 97-2003 workbook (.xls): BIFF8 records in an
// OLE compound file, readable by every spreadsheet program. The titles fill
// the first row in bold; numbers are numbers, dates are date serials with the
// format "d.m.yyyy" ("d.m.yyyy h:mm:ss" when they carry a time of day,
// "h:mm:ss" for a time without a date; dates before 1900 stay empty), texts
// go through the shared string table. A list longer than one worksheet holds
// (kXlsMaxDataRowsPerSheet data rows) continues on further worksheets named
// after XlsSheetName.
//
// Memory: the rows are streamed. The compound file needs the stream's size and
// the globals need every worksheet's position before the first worksheet, so
// the worksheets go to a scratch file beside the target first, and are copied
// behind the globals when the list ends. What stays in memory is the shared
// string table (each distinct text once) and one row of records.
//
// Nothing half-written is ever left under the target name: the workbook is
// written to "<target>.tmp" in the same folder and renamed over the target
// only when complete; the scratch files are removed whatever happens.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "services/xls/xls_row_source.h"

namespace zarn {

constexpr size_t kXlsMaxColumns = 256;
// Rows between two progress reports.
constexpr int64_t kXlsProgressStep = 1000;

// Called with the number of data rows written so far.
using XlsProgress = std::function<void(int64_t rows_written)>;

struct XlsWriteResult {
  bool ok = false;
  std::string message;  // Windows-1250 Czech text of the failure; empty when ok
  int64_t rows = 0;     // data rows written
  int sheets = 0;       // worksheets in the workbook; more than one when the list spilled over
};

// Writes every row of `source` into the workbook `target`, replacing a file of
// that name, on worksheets named after `sheet_name` (Windows-1250).
// `progress`, when set, is called every kXlsProgressStep rows and once at the
// end. On failure (folder missing, disk full, target held by another program,
// too many columns, a source that throws) returns !ok with a message that
// includes the system's own, and leaves the target as it was.
XlsWriteResult WriteXlsWorkbook(const std::filesystem::path& target, std::string_view sheet_name,
                                XlsRowSource& source, const XlsProgress& progress = {});

}  // namespace zarn
