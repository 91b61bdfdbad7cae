// TDbfRowCache serves a grid's rows of a DBF table: the record numbers of
// the records the cursor would visit (live ones unless deleted are shown,
// and only those the filter passes), found in one pass over the file when
// first asked for, and the record images of the few pages of rows a grid
// looked at last. Reading rows moves the handle and puts it back, so the
// dataset's cursor is not disturbed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dbf/handle.h"

namespace zarn {

class TDbfRowCache {
 public:
  // Rows per page of cached images, and the pages kept.
  static constexpr int kPageRows = 128;
  static constexpr size_t kMaxPages = 4;

  // Forgets the rows; the next question scans the file again.
  void Invalidate();
  // Keeps the row list but forgets the images (records were rewritten).
  void ForgetImages() { pages_.clear(); }
  // A record was appended and is visible (no filter is in force).
  void RecordAppended(int32_t record_no);
  // A record left the view (deleted while deleted records are hidden).
  void RecordHidden(int32_t record_no);

  // The number of rows; scans the file when the list is not built. Engine
  // errors are raised.
  int Count(TDbfHandle* handle);
  // The record image of the row (record length bytes); raises for engine
  // errors and std::out_of_range for a row that does not exist.
  const char* Image(TDbfHandle* handle, int row);
  // The row of a record number, or -1.
  int RowOf(TDbfHandle* handle, int32_t record_no);
  int32_t RecordNoOf(TDbfHandle* handle, int row);

 private:
  struct Page {
    int first_row = 0;
    std::string images;
  };

  void Build(TDbfHandle* handle);
  const Page& LoadPage(TDbfHandle* handle, int first_row);

  bool built_ = false;
  std::vector<int32_t> record_nos_;  // ascending: physical order
  std::vector<Page> pages_;          // most recently used first
};

}  // namespace zarn
