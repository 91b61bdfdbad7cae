// TDsCustomMemTable: the copy loop that stores rows straight into the row
// list. Field pairs are worked out once per copy; each row is then filled
// by the cheapest means that gives what a field write would store:
//
//   - from another memory table, slots of the same type and size are copied
//     as bytes out of the source's active record, adjacent ones as one run
//     (a table copied with its own structure copies its record image whole);
//   - from a DBF table, C, N and D fields are decoded from the record image
//     into their slots (TDbfSlotDecoder);
//   - every other pair passes its value through the fields: read as a
//     Variant, converted to the destination field's type, written to the slot.
#include <algorithm>
#include <cstring>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/memtable/custom_mem_table.h"
#include "dbf/memtable/dbf_slot_decoder.h"
#include "dbf/memtable/slot_value.h"
#include "platform/dataset/field_buffer.h"

namespace zarn {
namespace {

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

// Bytes of a source record buffer copied to the same number of bytes of a
// row's data block.
struct SlotRun {
  int from, to, length;
};

// True when the slots hold the same value the same way: same type and size,
// and the value in the slot itself (a variant's value and a structured
// field's children live elsewhere). A text whose presence byte is set but
// whose text is empty is copied as it is; it reads as null either way.
bool SameSlot(const TMemFieldPlace& from, const TMemFieldPlace& to) {
  return from.offset >= 0 && to.offset >= 0 && from.type == to.type && from.size == to.size &&
         from.type != ftVariant && from.type != ftADT;
}

// The slot runs sorted by source offset, with runs that continue each other
// in both the source and the row joined into one.
std::vector<SlotRun> JoinRuns(std::vector<SlotRun> runs) {
  std::sort(runs.begin(), runs.end(), [](const SlotRun& a, const SlotRun& b) { return a.from < b.from; });
  std::vector<SlotRun> joined;
  for (const SlotRun& run : runs)
    if (!joined.empty() && joined.back().from + joined.back().length == run.from &&
        joined.back().to + joined.back().length == run.to)
      joined.back().length += run.length;
    else
      joined.push_back(run);
  return joined;
}

}  // namespace

bool TDsCustomMemTable::CanAppendRowsDirectly() const {
  if (BeforeInsert || AfterInsert || OnNewRecord || BeforePost || AfterPost || OnPostError || BeforeCancel ||
      AfterCancel || BeforeScroll || AfterScroll || OnCalcFields)
    return false;
  for (const auto& field : Fields())
    if (field->FieldKind() != fkData || field->ReadOnly() || field->Required() || field->OnValidate || field->OnChange)
      return false;
  return true;
}

int32_t TDsCustomMemTable::AppendRowsDirectly(TDataSet& source, int32_t limit, bool from_first) {
  auto* memory = dynamic_cast<TDsCustomMemTable*>(&source);
  TDbfHandle* images = from_first ? HandleReadingEachRow(source) : nullptr;
  std::vector<SlotRun> runs;
  std::vector<TDbfSlotDecoder> decoders;
  std::vector<PlacePair> pairs;
  for (const auto& field : source.Fields()) {
    const TField* counterpart = FindField(field->FieldName());
    if (!counterpart) continue;
    const TMemFieldPlace* place = PlaceOf(*counterpart);
    const TMemFieldPlace* from_place = memory && place ? memory->PlaceOf(*field) : nullptr;
    const TDbfField* dbf_field = images && place ? images->Header()->FieldByNumber(field->FieldNo()) : nullptr;
    if (from_place && SameSlot(*from_place, *place))
      runs.push_back({from_place->offset, place->offset, 1 + FieldDataSize(place->type, place->size)});
    else if (dbf_field && TDbfSlotDecoder::Fits(*dbf_field, *place))
      decoders.emplace_back(*dbf_field, *place);
    else
      pairs.push_back({field.get(), counterpart, place});
  }
  runs = JoinRuns(std::move(runs));
  // The state notices of Append and Post, which the disabled controls get
  // as one when they are enabled again.
  if (!source.Eof()) DataEvent(deUpdateState);
  std::vector<char> scratch;
  int32_t count = 0;
  while (!source.Eof()) {
    TMemoryRecord::Ptr row = TMemoryRecord::Create(layout_.Shape(), last_id_ + 1);
    for (const SlotRun& run : runs) std::memcpy(row->Data() + run.to, memory->ActiveBuffer() + run.from, run.length);
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

}  // namespace zarn
