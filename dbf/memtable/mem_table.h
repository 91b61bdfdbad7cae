// TDsMemTable: the memory table component that forms hold. All behaviour is
// TDsCustomMemTable's; this is the class that programs create.
//
//   TDsMemTable partners;
//   partners.CopyFromDataSet(adresar, 0, cmReplace);
//   partners.SortByFields("NAZEV");
//   if (partners.Locate("zadatel", Variant("12345"), 0)) ...
#pragma once

#include "dbf/memtable/custom_mem_table.h"

namespace zarn {

class TDsMemTable : public TDsCustomMemTable {};

}  // namespace zarn
