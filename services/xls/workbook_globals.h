// The workbook globals substream: the first part of the "Workbook" stream,
// before the worksheets. It holds the fonts, number formats and cell formats,
// one BOUNDSHEET record per worksheet (name and stream position) and the
// shared string table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "services/xls/shared_strings.h"

namespace zarn {

// Builds the globals of a workbook whose worksheets follow them directly in
// the stream. `sheet_names` are Windows-1250 and valid sheet names;
// `sheet_offsets` are the positions of each worksheet's BOF record counted
// from the end of the globals.
std::string BuildWorkbookGlobals(const std::vector<std::string>& sheet_names,
                                 const std::vector<uint64_t>& sheet_offsets, const SharedStringTable& strings);

}  // namespace zarn
