#include "dbf/memtable/row_sorter.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>

#include "dbf/memtable/collation_prefix.h"
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

// One QCollator per key field for a whole sort: opening a collator costs
// far more than a comparison.
QCollator CollatorFor(const TMemFieldPlace& place, bool case_insensitive) {
  QCollator collator;  // the user's default locale
  collator.setCaseSensitivity(case_insensitive || place.type == ftGuid ? Qt::CaseInsensitive : Qt::CaseSensitive);
  return collator;
}

// The key field's values of `rows`, by their index in `rows`.
KeyColumn MakeColumn(const TMemFieldPlace& place, const std::vector<const TMemoryRecord*>& rows,
                     const QCollator& collator) {
  KeyColumn column;
  column.kind = KindOf(place.type);
  column.present.resize(rows.size());
  switch (column.kind) {
    case KeyKind::Text: column.texts.reserve(rows.size()); break;
    case KeyKind::Integer: column.integers.resize(rows.size()); break;
    case KeyKind::Float: column.floats.resize(rows.size()); break;
    case KeyKind::Unordered: break;
  }
  const QCollatorSortKey no_text = collator.sortKey(QString());
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

// The collation prefix of the first key for every row when that key is a
// text (0 for a null, which sorts first), or nothing when the rows cannot be
// told apart that way: the first key is no text, or prefixes are not
// available. Prefixes read only the beginning of each text.
std::vector<uint64_t> FirstKeyPrefixes(const TMemFieldPlace& place, const std::vector<TMemoryRecord::Ptr>& rows,
                                       bool case_insensitive) {
  if (KindOf(place.type) != KeyKind::Text) return {};
  const TCollationPrefix prefix(case_insensitive || place.type == ftGuid);
  if (!prefix.Available()) return {};
  std::vector<uint64_t> prefixes(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const TMemoryRecord& row = *rows[i];
    if (!PlaceHasValue(place, row.Data(), row.BlobTexts(), row.VariantValues())) continue;
    prefixes[i] = prefix.Of(TextOf(place, row.Data() + place.offset + 1));
    if (prefixes[i] == 0) return {};  // a text without a key: let the full keys decide everything
  }
  return prefixes;
}

}  // namespace

TRowSorter::TRowSorter(std::vector<const TMemFieldPlace*> keys, bool case_insensitive, bool descending)
    : keys_(std::move(keys)), case_insensitive_(case_insensitive), descending_(descending) {}

// Rows are first ordered on the collation prefix of a text first key; each
// run of rows with equal prefixes (the whole table when there are none) is
// then ordered on all keys and the record ids, with the keys made for that
// run only. A run's rows are near each other in the order, so its keys are
// compared while they are in the cache.
void TRowSorter::Sort(std::vector<TMemoryRecord::Ptr>& rows) const {
  const int sign = descending_ ? -1 : 1;
  std::vector<uint32_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0u);
  const std::vector<uint64_t> prefixes =
      keys_.empty() ? std::vector<uint64_t>() : FirstKeyPrefixes(*keys_.front(), rows, case_insensitive_);
  if (!prefixes.empty())
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
      return descending_ ? prefixes[a] > prefixes[b] : prefixes[a] < prefixes[b];
    });

  std::vector<QCollator> collators;
  for (const TMemFieldPlace* key : keys_) collators.push_back(CollatorFor(*key, case_insensitive_));
  std::vector<const TMemoryRecord*> run_rows;
  std::vector<uint32_t> run_order;
  for (size_t begin = 0, end; begin < order.size(); begin = end) {
    end = begin + 1;
    while (end < order.size() && (prefixes.empty() || prefixes[order[end]] == prefixes[order[begin]])) ++end;
    if (end - begin < 2) continue;
    run_rows.clear();
    for (size_t i = begin; i < end; ++i) run_rows.push_back(rows[order[i]].get());
    std::vector<KeyColumn> columns;
    for (size_t k = 0; k < keys_.size(); ++k) columns.push_back(MakeColumn(*keys_[k], run_rows, collators[k]));
    run_order.resize(run_rows.size());
    std::iota(run_order.begin(), run_order.end(), 0u);
    std::sort(run_order.begin(), run_order.end(), [&](uint32_t a, uint32_t b) {
      for (const KeyColumn& column : columns)
        if (const int result = column.Compare(a, b)) return sign * result < 0;
      const int32_t id_a = run_rows[a]->Id(), id_b = run_rows[b]->Id();
      return sign * ((id_a > id_b) - (id_a < id_b)) < 0;
    });
    std::vector<uint32_t> sorted_run(run_order.size());
    for (size_t i = 0; i < run_order.size(); ++i) sorted_run[i] = order[begin + run_order[i]];
    std::copy(sorted_run.begin(), sorted_run.end(), order.begin() + static_cast<std::ptrdiff_t>(begin));
  }

  std::vector<TMemoryRecord::Ptr> sorted;
  sorted.reserve(rows.size());
  for (uint32_t index : order) sorted.push_back(std::move(rows[index]));
  rows = std::move(sorted);
}

}  // namespace zarn
