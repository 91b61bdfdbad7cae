// TDsCustomMemTable: copying structure and rows between datasets.
#include <exception>
#include <limits>

#include "dbf/memtable/custom_mem_table.h"
#include "platform/dataset/record_copy.h"

namespace zarn {
namespace {

// The fields of two datasets that share a name (compared without regard to
// case), paired once per copy so that each row only moves values.
class FieldPairs {
 public:
  FieldPairs(const TDataSet& from, const TDataSet& to) {
    for (const auto& field : from.Fields())
      if (TField* counterpart = to.FindField(field->FieldName())) pairs_.push_back({field.get(), counterpart});
  }

  // Copies the values of the current record of `from` into `to`, which is
  // being edited: the by-name rule of AssignRecordValues.
  void Assign() const {
    for (const auto& [from, to] : pairs_) to->SetAsVariant(from->AsVariant());
  }

 private:
  std::vector<std::pair<TField*, TField*>> pairs_;
};

// Appends rows of `from`, from its current row on, to `to` until `from`
// ends or `limit` rows were copied. Returns the number copied. A row that
// fails is cancelled, so that the destination is left browsing the rows
// copied so far rather than holding half a row that its next move would post.
int32_t CopyRows(TDataSet& from, TDataSet& to, int32_t limit) {
  const FieldPairs pairs(from, to);
  int32_t count = 0;
  while (!from.Eof()) {
    to.Append();
    try {
      to.CheckEditOrInsert();
      pairs.Assign();
      to.Post();
    } catch (...) {
      to.Cancel();
      throw;
    }
    if (++count >= limit) break;
    from.Next();
  }
  return count;
}

}  // namespace

void TDsCustomMemTable::AssignRecordValues(TDataSet& source, TDataSet& destination, bool by_name) {
  CopyRecordValues(source, destination, by_name);
}

void TDsCustomMemTable::RemoveUnsupportedDefs(TFieldDefs& defs) {
  for (int i = defs.Count() - 1; i >= 0; --i) {
    if (defs[i].HasChildDefs()) RemoveUnsupportedDefs(defs[i].ChildDefs());
    if (!IsSupportedMemType(defs[i].DataType())) defs.Delete(i);
  }
}

void TDsCustomMemTable::CopyStructureFrom(TDataSet* source) {
  CheckInactive();
  DropSortKeys();
  DestroyFields();
  if (!source) return;
  source->FieldDefs().Update();
  FieldDefs().Assign(source->FieldDefs());
  RemoveUnsupportedDefs(FieldDefs());
  CreateFields();
}

int32_t TDsCustomMemTable::CopyFromDataSet(TDataSet& source, int32_t limit, TCopyMode mode) {
  if (&source == this) return 0;
  const bool source_was_active = source.Active();
  source.DisableControls();
  DisableControls();
  int32_t count = 0;
  std::exception_ptr failure;
  try {
    SetFiltered(false);
    source.Open();
    source.CheckBrowseMode();
    if (mode == cmReplace) {
      Close();
      CopyStructureFrom(&source);
    }
    DropSortKeys();
    Open();
    CheckBrowseMode();
    const bool from_first = limit <= 0;
    if (from_first) {
      source.First();
      limit = std::numeric_limits<int32_t>::max();
    }
    count = CanAppendRowsDirectly() ? AppendRowsDirectly(source, limit, from_first) : CopyRows(source, *this, limit);
  } catch (...) {
    failure = std::current_exception();  // the rows copied so far stay
  }
  if (Active()) First();
  EnableControls();
  if (!source_was_active) source.Close();
  source.EnableControls();
  if (failure) std::rethrow_exception(failure);
  return count;
}

int32_t TDsCustomMemTable::CopyToDataSet(TDataSet& destination, int32_t limit) {
  if (&destination == this) return 0;
  CheckBrowseMode();
  destination.DisableControls();
  DisableControls();
  int32_t count = 0;
  std::exception_ptr failure;
  try {
    if (destination.Active()) destination.CheckBrowseMode();
    else destination.Open();
    if (limit <= 0) {
      First();
      limit = std::numeric_limits<int32_t>::max();
    }
    auto* memory = dynamic_cast<TDsCustomMemTable*>(&destination);
    count = memory && memory->CanAppendRowsDirectly() ? memory->AppendRowsDirectly(*this, limit, false)
                                                      : CopyRows(*this, destination, limit);
  } catch (...) {
    failure = std::current_exception();
  }
  if (destination.Active()) destination.First();
  EnableControls();
  destination.EnableControls();
  if (failure) std::rethrow_exception(failure);
  return count;
}

}  // namespace zarn
