// TDbfIndex is the DBF implementation of TDsCustomIndex. The DBF engine
// reads and writes no index: the header's index flag is reported
// (TDbfHeader::HasIndexFile) but nothing is built from it, so this class
// exists only to name the DBF side of the API and has no state or operations
// of its own.
#pragma once

#include "dbf/custom_index.h"

namespace zarn {

class TDbfIndex final : public TDsCustomIndex {};

}  // namespace zarn
