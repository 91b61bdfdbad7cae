// TDsDbfTable: the filter properties, Locate, Lookup and FindRecord, all
// carried out by the table handle and its expression evaluator.

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/dbf_table_errors.h"
#include "dbf/errors.h"
#include "platform/dataset/db_consts.h"

namespace zarn {
namespace {

TLocateValue LocateValueOf(const Variant& value) {
  TLocateValue key;
  switch (value.Type()) {
    case VarType::Empty: case VarType::Null: key.kind = TLocateValue::kNull; break;
    case VarType::Boolean: key.kind = TLocateValue::kBoolean; key.boolean = value.ToBool(); break;
    case VarType::Integer: case VarType::Int64: key.kind = TLocateValue::kInteger; key.number = value.ToDouble(); break;
    case VarType::Double: key.kind = TLocateValue::kFloat; key.number = value.ToDouble(); break;
    case VarType::Date: key.kind = TLocateValue::kDate; key.number = value.ToDateTime(); break;
    default: key.kind = TLocateValue::kText; key.text = value.ToString(); break;
  }
  return key;
}

TLocateKeys LocateKeysOf(const Variant& key_values) {
  TLocateKeys keys;
  keys.is_array = key_values.IsArray();
  if (!keys.is_array) {
    keys.values.push_back(LocateValueOf(key_values));
    return keys;
  }
  for (const Variant& element : key_values.Elements()) keys.values.push_back(LocateValueOf(element));
  return keys;
}

int LocateOptionBits(TLocateOptions options) {
  return ((options & loCaseInsensitive) ? kLocateCaseInsensitive : 0) |
         ((options & loPartialKey) ? kLocatePartialKey : 0);
}

}  // namespace

// --- filter ---

void TDsDbfTable::ApplyFilter(const std::string& text, TFilterOptions options, bool on) {
  if (!text.empty() && on) {
    const int code = SetFilter(handle_.get(), text, options.Bits());
    if (code == kDbfInvalidExpression) DatabaseError(kSInvalidFilter);
    CheckDbfCode(code);
  } else {
    ClearFilter(handle_.get());
  }
  rows_.Invalidate();
  if (State() == dsBrowse) First();
}

void TDsDbfTable::SetFilterText(const std::string& text) {
  if (!Active()) {
    TDataSet::SetFilterText(text);
    return;
  }
  CheckBrowseMode();
  if (text == Filter()) return;
  ApplyFilter(text, FilterOptions(), Filtered());
  TDataSet::SetFilterText(text);
}

void TDsDbfTable::SetFiltered(bool value) {
  if (!Active()) {
    TDataSet::SetFiltered(value);
    return;
  }
  CheckBrowseMode();
  if (value == Filtered()) return;
  ApplyFilter(Filter(), FilterOptions(), value);
  TDataSet::SetFiltered(value);
}

void TDsDbfTable::SetFilterOptions(TFilterOptions options) {
  if (!Active()) {
    TDataSet::SetFilterOptions(options);
    return;
  }
  CheckBrowseMode();
  if (options == FilterOptions()) return;
  ApplyFilter(Filter(), options, Filtered());
  TDataSet::SetFilterOptions(options);
}

// --- searching ---

void TDsDbfTable::ScrollToHandleRecord() {
  Resync(true);
  DoAfterScroll();
}

bool TDsDbfTable::Locate(std::string_view key_fields, const Variant& key_values, TLocateOptions options) {
  CheckBrowseMode();
  UpdateCursorPos();
  DoBeforeScroll();
  const int code = LocateRecord(handle_.get(), key_fields, LocateKeysOf(key_values), LocateOptionBits(options));
  if (code == kDbfRecordNotFound || code == kDbfInvalidParameter) return false;
  CheckDbfCode(code);
  ScrollToHandleRecord();
  return true;
}

Variant TDsDbfTable::Lookup(std::string_view key_fields, const Variant& key_values, std::string_view result_fields) {
  const std::vector<TField*> results = GetFieldList(result_fields);
  if (!Locate(key_fields, key_values, 0)) return Variant::Null();
  std::vector<Variant> values;
  for (TField* field : results) values.push_back(field->AsVariant());
  return values.size() == 1 ? values.front() : Variant::Array(std::move(values));
}

bool TDsDbfTable::FindRecord(bool restart, bool go_forward) {
  CheckBrowseMode();
  DoBeforeScroll();
  SetFound(false);
  UpdateCursorPos();
  CursorPosChanged();
  int code;
  if (go_forward) {
    if (restart) MoveFirst(handle_.get());
    code = ReadNext(handle_.get(), nullptr, nullptr);
  } else {
    if (restart) MoveLast(handle_.get());
    code = ReadPrior(handle_.get(), nullptr, nullptr);
  }
  if (code == kDbfBeginOfFile || code == kDbfEndOfFile) return false;
  CheckDbfCode(code);
  ScrollToHandleRecord();
  SetFound(true);
  return true;
}

}  // namespace zarn
