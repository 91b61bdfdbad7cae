// TDsCustomMemTable: the filter properties and the record test.
#include "dbf/memtable/custom_mem_table.h"

namespace zarn {

void TDsCustomMemTable::ApplyFilter(const std::string& text, TFilterOptions options, bool on) {
  filter_.ApplyFilter(text, options, on);
  RowsChanged();
}

void TDsCustomMemTable::SetFilterText(const std::string& text) {
  if (Active()) {
    CheckBrowseMode();
    if (text == Filter()) return;
    ApplyFilter(text, FilterOptions(), Filtered());
  }
  TDataSet::SetFilterText(text);
  if (Active()) DataEvent(deDataSetChange);
}

void TDsCustomMemTable::SetFilterOptions(TFilterOptions options) {
  if (Active()) {
    CheckBrowseMode();
    if (options == FilterOptions()) return;
    ApplyFilter(Filter(), options, Filtered());
  }
  TDataSet::SetFilterOptions(options);
  if (Active()) DataEvent(deDataSetChange);
}

void TDsCustomMemTable::SetFiltered(bool value) {
  if (Active()) {
    CheckBrowseMode();
    if (value == Filtered()) return;
    ApplyFilter(Filter(), FilterOptions(), value);
  }
  TDataSet::SetFiltered(value);
  if (Active()) First();
}

void TDsCustomMemTable::SetOnFilterRecord(TFilterRecordEvent handler) {
  if (Active()) CheckBrowseMode();
  TDataSet::SetOnFilterRecord(std::move(handler));
  RowsChanged();
  if (Active() && Filtered()) First();
}

bool TDsCustomMemTable::RecordPassesFilter() {
  if (position_ < 0 || position_ >= static_cast<int>(rows_.size())) return false;
  bool accept = true;
  const TDataSetState saved = SetTempState(dsFilter);
  try {
    RowToBuffer(*rows_[position_], TempBuffer());
    accept = filter_.Passes();
    if (accept && OnFilterRecord()) OnFilterRecord()(*this, accept);
  } catch (...) {
    HandleCurrentException();
  }
  RestoreState(saved);
  return accept;
}

}  // namespace zarn
