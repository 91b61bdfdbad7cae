// TDataSet: finding records by key values (Locate, Lookup).
#include "platform/dataset/dataset.h"
#include "platform/dataset/text_compare.h"

namespace zarn {

bool TDataSet::RecordMatchesKeys(const std::vector<TField*>& fields, const Variant& key_values,
                                 TLocateOptions options) const {
  const bool one_key = fields.size() == 1 && !(key_values.IsArray() && key_values.Elements().size() == 1);
  if (!one_key && key_values.Elements().size() != fields.size()) return false;
  for (size_t i = 0; i < fields.size(); ++i) {
    const TField& field = *fields[i];
    const Variant& key = one_key ? key_values : key_values.Elements()[i];
    const TFieldType type = field.DataType();
    if (type == ftString || type == ftFixedChar || type == ftWideString) {
      std::string text = field.AsString();
      const std::string key_text = key.ToString();
      if ((options & loPartialKey) && text.size() > key_text.size()) text.resize(key_text.size());
      if (CompareCollated(text, key_text, (options & loCaseInsensitive) != 0) != 0) return false;
    } else if (!(field.AsVariant() == key)) {
      return false;
    }
  }
  return true;
}

void TDataSet::ReturnToBookmark(const TBookmark& bookmark) {
  if (bookmark.empty()) {
    Resync(false);
    return;
  }
  InternalGotoBookmark(bookmark.data());
  Resync(true);
}

bool TDataSet::ScanForKeys(const std::vector<TField*>& fields, const Variant& key_values, TLocateOptions options) {
  ClearBuffers();
  InternalFirst();
  while (FetchRecord(gmNext))
    if (RecordMatchesKeys(fields, key_values, options)) {
      bof_ = eof_ = false;
      return true;
    }
  return false;
}

bool TDataSet::Locate(std::string_view key_fields, const Variant& key_values, TLocateOptions options) {
  CheckBrowseMode();
  if (bof_ && eof_) return false;
  const std::vector<TField*> fields = GetFieldList(key_fields);
  if (RecordMatchesKeys(fields, key_values, options)) return true;
  DoBeforeScroll();
  const TBookmark start = GetBookmark();
  DisableControls();
  bool found = false;
  try {
    found = ScanForKeys(fields, key_values, options);
    if (!found) ReturnToBookmark(start);
  } catch (...) {
    EnableControls();
    throw;
  }
  EnableControls();
  if (found) {
    DataEvent(deDataSetChange);
    DoAfterScroll();
  }
  return found;
}

Variant TDataSet::Lookup(std::string_view key_fields, const Variant& key_values, std::string_view result_fields) {
  CheckBrowseMode();
  if (bof_ && eof_) return Variant::Null();
  const std::vector<TField*> fields = GetFieldList(key_fields);
  const std::vector<TField*> results = GetFieldList(result_fields);
  const TBookmark start = GetBookmark();
  DisableControls();
  Variant result = Variant::Null();
  try {
    if (ScanForKeys(fields, key_values, 0)) {
      std::vector<Variant> values;
      for (TField* field : results) values.push_back(field->AsVariant());
      result = values.size() == 1 ? values.front() : Variant::Array(std::move(values));
    }
    ReturnToBookmark(start);
  } catch (...) {
    EnableControls();
    throw;
  }
  EnableControls();
  return result;
}

}  // namespace zarn
