// TDsCustomMemTable: copying structure and rows between datasets.
#include <exception>
#include <limits>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/memtable/custom_mem_table.h"
#include "dbf/memtable/dbf_slot_decoder.h"
#include "dbf/memtable/slot_value.h"
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

// A source field and the place in a row of the field of the same name.
struct PlacePair {
  const TField* from;
  const TField* to;
  const TMemFieldPlace* place;  // null for a field without storage
};

// True when `value` already has the kind that a field of `type` converts
// values to, and its slot encoding does what the conversion would (texts are
// cut to the slot's size, dates and times to their part either way), so it
// can be stored without converting. Integers are always converted: the
// conversion checks their range.
bool StoresAsIs(TFieldType type, const Variant& value) {
  switch (FamilyOf(type)) {
    case TFieldFamily::Text: return value.Type() == VarType::String;
    case TFieldFamily::Float: return value.Type() == VarType::Double;
    case TFieldFamily::Date: case TFieldFamily::Time: case TFieldFamily::DateTime: return value.Type() == VarType::Date;
    case TFieldFamily::Boolean: return value.Type() == VarType::Boolean;
    default: return false;
  }
}

// Stores the current value of pair.from into `row` as pair.to's write would:
// blob fields take the value's text, every other field the value converted
// to its type (which raises when it does not fit, stored or not).
void StoreValue(const PlacePair& pair, TMemoryRecord& row) {
  const Variant value = pair.from->AsVariant();
  const TMemFieldPlace* place = pair.place;
  if (place && place->blob >= 0) {
    row.Blob(place->blob) = value.ToString();
  } else if (place && place->offset >= 0 && (value.IsClear() || StoresAsIs(place->type, value))) {
    WritePlace(*place, value, row.Data(), row.VariantValues());
  } else {
    const Variant converted = pair.to->ToFieldValue(value);
    if (place && place->offset >= 0) WritePlace(*place, converted, row.Data(), row.VariantValues());
  }
}

// The handle of `source` when it is a DBF table whose handle's current
// record is, row after row, the record the source shows: nothing but the
// copy moves it, since the source has no after-scroll event and no
// calculated fields that could read on their own. Else null.
TDbfHandle* HandleReadingEachRow(TDataSet& source) {
  auto* table = dynamic_cast<TDsDbfTable*>(&source);
  if (!table || table->AfterScroll || table->OnCalcFields) return nullptr;
  for (const auto& field : table->Fields())
    if (field->FieldKind() != fkData) return nullptr;
  return table->Handle();
}

}  // namespace

bool TDsCustomMemTable::CanAppendRowsDirectly() const {
  if (BeforeInsert || AfterInsert || OnNewRecord || BeforePost || AfterPost || OnPostError || BeforeScroll ||
      AfterScroll || OnCalcFields)
    return false;
  for (const auto& field : Fields())
    if (field->FieldKind() != fkData || field->ReadOnly() || field->Required() || field->OnValidate || field->OnChange)
      return false;
  return true;
}

int32_t TDsCustomMemTable::AppendRowsDirectly(TDataSet& source, int32_t limit, bool from_first) {
  TDbfHandle* images = from_first ? HandleReadingEachRow(source) : nullptr;
  std::vector<TDbfSlotDecoder> decoders;
  std::vector<PlacePair> pairs;
  for (const auto& field : source.Fields()) {
    const TField* counterpart = FindField(field->FieldName());
    if (!counterpart) continue;
    const TMemFieldPlace* place = PlaceOf(*counterpart);
    const TDbfField* dbf_field = images && place ? images->Header()->FieldByNumber(field->FieldNo()) : nullptr;
    if (dbf_field && TDbfSlotDecoder::Fits(*dbf_field, *place)) decoders.emplace_back(*dbf_field, *place);
    else pairs.push_back({field.get(), counterpart, place});
  }
  std::vector<char> scratch;
  int32_t count = 0;
  while (!source.Eof()) {
    TMemoryRecord::Ptr row = TMemoryRecord::Create(layout_.Shape(), last_id_ + 1);
    for (const TDbfSlotDecoder& decoder : decoders) decoder.Decode(images->CurrentRecord(), row->Data(), scratch);
    for (const PlacePair& pair : pairs) StoreValue(pair, *row);
    FillAutoIncFields(row->Data());
    rows_.push_back(std::move(row));
    ++last_id_;
    RowsChanged();
    if (++count >= limit) break;
    source.Next();
  }
  return count;
}

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
    count = CopyRows(*this, destination, limit);
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
