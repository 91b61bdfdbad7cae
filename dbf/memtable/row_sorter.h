// TRowSorter: orders the rows of a memory table on key fields. When the
// first key is a text, the rows are first ordered on a number made of the
// first bytes of its collation key; only rows with equal numbers go on to
// the full comparison. For that the keys are computed once per row into
// columns (collation keys of the user's locale for texts, numbers for the
// other types), so the comparisons read contiguous values and never collate
// or decode a row again.
//
// Order of two rows: for each key in turn, a row without a value comes
// before a row with one, two values compare by their type; with `descending`
// every result is reversed. Rows equal on all keys follow their record ids,
// which is creation order (reversed when descending), so the order is total.
#pragma once

#include <vector>

#include "dbf/memtable/memory_record.h"
#include "dbf/memtable/row_layout.h"

namespace zarn {

class TRowSorter {
 public:
  // `keys` are the places of the key fields, all with a slot in the data
  // block. Texts compare case-insensitively with `case_insensitive`
  // (ftGuid always does).
  TRowSorter(std::vector<const TMemFieldPlace*> keys, bool case_insensitive, bool descending);

  // Reorders `rows` in place; only the references move.
  void Sort(std::vector<TMemoryRecord::Ptr>& rows) const;

 private:
  std::vector<const TMemFieldPlace*> keys_;
  bool case_insensitive_;
  bool descending_;
};

}  // namespace zarn
