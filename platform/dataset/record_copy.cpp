#include "platform/dataset/record_copy.h"

#include <algorithm>

#include "platform/dataset/dataset.h"

namespace zarn {

void CopyRecordValues(TDataSet& source, TDataSet& target, bool by_name) {
  target.CheckEditOrInsert();
  if (by_name) {
    for (const auto& field : source.Fields())
      if (TField* counterpart = target.FindField(field->FieldName())) counterpart->SetAsVariant(field->AsVariant());
    return;
  }
  const int count = std::min(source.FieldDefs().Count(), target.FieldDefs().Count());
  for (int i = 0; i < count; ++i) {
    TField* from = source.FindField(source.FieldDefs()[i].Name());
    TField* to = target.FindField(target.FieldDefs()[i].Name());
    if (from && to) to->SetAsVariant(from->AsVariant());
  }
}

}  // namespace zarn
