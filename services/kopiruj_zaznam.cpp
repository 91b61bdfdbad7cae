#include "services/kopiruj_zaznam.h"

#include "platform/dataset/record_copy.h"

namespace zarn {

void KopirujZaznam(TDataSet& source, TDataSet& target, bool by_name) { CopyRecordValues(source, target, by_name); }

}  // namespace zarn
