// TMemRowLayout: where each field definition of a memory table keeps its
// value inside a row. The slotted types have a presence byte followed by
// their fixed-width value in the row's data block; blob types keep a text
// beside the data block, and ftVariant a variant value, indexed by their own
// counters. The layout is computed once when the table opens and serves every
// read, write, sort and copy of its rows.
#pragma once

#include <vector>

#include "platform/dataset/field_defs.h"
#include "platform/field_type.h"

namespace zarn {

// True for the types a memory table can hold (the blob types included).
bool IsSupportedMemType(TFieldType type);
// True for the supported types that have a slot in the row data block: every
// supported type except the blob types.
bool HasMemSlot(TFieldType type);

struct TMemFieldPlace {
  TFieldType type = ftUnknown;
  int size = 0;
  int offset = -1;   // the presence byte in the data block; -1 without a slot
  int blob = -1;     // index among the row's blob texts
  int variant = -1;  // index among the row's variant values
};

// The counts that size a row and a record buffer.
struct TMemRowShape {
  int data_size = 0;
  int blob_count = 0;
  int variant_count = 0;
};

class TMemRowLayout {
 public:
  // Lays out the flattened definitions in order: a running offset from 0
  // grows by 1 + the value width of each slotted type; blob and variant
  // fields are numbered in the same order.
  void Build(const std::vector<const TFieldDef*>& defs);
  void Clear() { *this = TMemRowLayout(); }

  const TMemRowShape& Shape() const { return shape_; }
  int Count() const { return static_cast<int>(places_.size()); }
  // The place of the index-th flattened definition.
  const TMemFieldPlace& At(int index) const { return places_.at(index); }

 private:
  std::vector<TMemFieldPlace> places_;
  TMemRowShape shape_;
};

}  // namespace zarn
