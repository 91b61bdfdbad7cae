// The cell formats (XF records) that the worksheets refer to. The workbook
// globals write the XF table in this order; the first 15 entries are the
// style formats Excel expects before any cell format.
#pragma once

#include <cstdint>

namespace zarn {

enum XlsCellStyle : uint16_t {
  kXfGeneral = 15,   // text and numbers as Excel shows them by default
  kXfHeader = 16,    // the column titles, in bold
  kXfDate = 17,      // "d.m.yyyy"
  kXfDateTime = 18,  // "d.m.yyyy h:mm:ss", for dates with a time of day
  kXfTime = 19,      // "h:mm:ss", for a time of day without a date
};

}  // namespace zarn
