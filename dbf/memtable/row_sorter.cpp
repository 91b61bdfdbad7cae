#include "dbf/memtable/row_sorter.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>

#include "dbf/memtable/slot_value.h"
#include "platform/dataset/field_buffer.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

template <typename T>
T Get(const char* src) {
  T value;
  std::memcpy(&value, src, sizeof value);
  return value;
}

enum class KeyKind { Text, Integer, Float, Unordered };

KeyKind KindOf(TFieldType type) {
  switch (type) {
    case ftString: case ftFixedChar: case ftWideString: case ftGuid: return KeyKind::Text;
    case ftSmallint: case ftWord: case ftInteger: case ftDate: case ftTime: case ftAutoInc: case ftLargeint:
    case ftBoolean:
      return KeyKind::Integer;
    case ftFloat: case ftCurrency: case ftDateTime: return KeyKind::Float;
    default: return KeyKind::Unordered;
  }
}

// The value of an integer-like slot, widened; booleans order false before true.
int64_t IntegerOf(TFieldType type, const char* value) {
  switch (type) {
    case ftSmallint: return Get<int16_t>(value);
    case ftWord: return Get<uint16_t>(value);
    case ftBoolean: return Get<int16_t>(value) != 0;
    case ftLargeint: return Get<int64_t>(value);
    default: return Get<int32_t>(value);
  }
}

// The Windows-1250 text of a text slot.
QString TextOf(const TMemFieldPlace& place, const char* value) {
  if (place.type == ftWideString) return FromWin1250(DecodeFieldValue(place.type, place.size, value).ToString());
  return FromWin1250(std::string_view(value, strnlen(value, FieldDataSize(place.type, place.size))));
}

// One key field's values for every row, by row index.
struct KeyColumn {
  KeyKind kind = KeyKind::Unordered;
  std::vector<uint8_t> present;
  std::vector<QCollatorSortKey> texts;
  std::vector<int64_t> integers;
  std::vector<double> floats;

  int Compare(uint32_t a, uint32_t b) const {
    if (!present[a] || !present[b]) return present[a] - present[b];
    switch (kind) {
      case KeyKind::Text: {
        const int order = texts[a].compare(texts[b]);
        return (order > 0) - (order < 0);
      }
      case KeyKind::Integer: return (integers[a] > integers[b]) - (integers[a] < integers[b]);
      case KeyKind::Float: return (floats[a] > floats[b]) - (floats[a] < floats[b]);
      case KeyKind::Unordered: return 0;
    }
    return 0;
  }
};

KeyColumn MakeColumn(const TMemFieldPlace& place, const std::vector<TMemoryRecord::Ptr>& rows, bool case_insensitive) {
  KeyColumn column;
  column.kind = KindOf(place.type);
  column.present.resize(rows.size());
  QCollator collator;  // the user's default locale
  collator.setCaseSensitivity(case_insensitive || place.type == ftGuid ? Qt::CaseInsensitive : Qt::CaseSensitive);
  const QCollatorSortKey no_text = collator.sortKey(QString());
  switch (column.kind) {
    case KeyKind::Text: column.texts.reserve(rows.size()); break;
    case KeyKind::Integer: column.integers.resize(rows.size()); break;
    case KeyKind::Float: column.floats.resize(rows.size()); break;
    case KeyKind::Unordered: break;
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    const TMemoryRecord& row = *rows[i];
    const bool present = PlaceHasValue(place, row.Data(), row.BlobTexts(), row.VariantValues());
    column.present[i] = present;
    const char* value = row.Data() + place.offset + 1;
    switch (column.kind) {
      case KeyKind::Text: column.texts.push_back(present ? collator.sortKey(TextOf(place, value)) : no_text); break;
      case KeyKind::Integer: column.integers[i] = present ? IntegerOf(place.type, value) : 0; break;
      case KeyKind::Float: column.floats[i] = present ? Get<double>(value) : 0; break;
      case KeyKind::Unordered: break;
    }
  }
  return column;
}

}  // namespace

TRowSorter::TRowSorter(std::vector<const TMemFieldPlace*> keys, bool case_insensitive, bool descending)
    : keys_(std::move(keys)), case_insensitive_(case_insensitive), descending_(descending) {}

void TRowSorter::Sort(std::vector<TMemoryRecord::Ptr>& rows) const {
  std::vector<KeyColumn> columns;
  columns.reserve(keys_.size());
  for (const TMemFieldPlace* key : keys_) columns.push_back(MakeColumn(*key, rows, case_insensitive_));
  std::vector<int32_t> ids(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) ids[i] = rows[i]->Id();

  const int sign = descending_ ? -1 : 1;
  std::vector<uint32_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    for (const KeyColumn& column : columns)
      if (const int result = column.Compare(a, b)) return sign * result < 0;
    return sign * ((ids[a] > ids[b]) - (ids[a] < ids[b])) < 0;
  });

  std::vector<TMemoryRecord::Ptr> sorted;
  sorted.reserve(rows.size());
  for (uint32_t index : order) sorted.push_back(std::move(rows[index]));
  rows = std::move(sorted);
}

}  // namespace zarn
