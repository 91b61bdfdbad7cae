// TDsCustomMemTable: sorting the rows on key fields.
#include "dbf/memtable/custom_mem_table.h"
#include "dbf/memtable/row_sorter.h"
#include "platform/dataset/db_consts.h"

namespace zarn {
namespace {

// Raises the type mismatch of a key field that a sort cannot order on: a
// calculated or lookup field, or a data field without a slot (the blob types).
void CheckSortable(const TField& field) {
  if (field.FieldKind() != fkData)
    DatabaseErrorFmt(kSFieldTypeMismatch, {field.DisplayName(), "data field", "calculated field"});
  if (!HasMemSlot(field.DataType()))
    DatabaseErrorFmt(kSFieldTypeMismatch, {field.DisplayName(), "data field of a sortable type",
                                           FieldTypeName(field.DataType())});
}

}  // namespace

void TDsCustomMemTable::DropSortKeys() {
  if (!sort_keys_) return;
  for (TField* field : *sort_keys_) field->SetIndexField(false);
  sort_keys_.reset();
}

void TDsCustomMemTable::SortByFields(std::string_view field_names, bool case_insensitive, bool descending) {
  DropSortKeys();
  std::vector<TField*> keys = GetFieldList(field_names);
  for (const TField* field : keys) CheckSortable(*field);
  for (TField* field : keys) field->SetIndexField(true);
  sort_keys_ = std::move(keys);
  sort_case_insensitive_ = case_insensitive;
  sort_descending_ = descending;
  try {
    Resort();
  } catch (...) {
    DropSortKeys();
    throw;
  }
}

void TDsCustomMemTable::Resort() {
  if (!Active() || rows_.empty() || !sort_keys_) return;
  CheckBrowseMode();
  const TBookmark current = GetBookmark();
  std::vector<const TMemFieldPlace*> places;
  for (const TField* field : *sort_keys_) places.push_back(PlaceOf(*field));
  TRowSorter(std::move(places), sort_case_insensitive_, sort_descending_).Sort(rows_);
  RowsChanged();
  if (!current.empty()) InternalGotoBookmark(current.data());
  Resync(false);
}

}  // namespace zarn
