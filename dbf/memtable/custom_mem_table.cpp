// TDsCustomMemTable: opening and closing, record buffers, fetching, field
// values, editing, bookmarks and the row interface.
#include "dbf/memtable/custom_mem_table.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "dbf/memtable/mem_blob_stream.h"
#include "dbf/memtable/slot_value.h"
#include "platform/dataset/db_consts.h"
#include "platform/dataset/text_compare.h"

namespace zarn {
namespace {

constexpr int AlignUp(int offset, int alignment) { return (offset + alignment - 1) / alignment * alignment; }

}  // namespace

TDsCustomMemTable::TDsCustomMemTable() : filter_(Fields()) {}

TDsCustomMemTable::~TDsCustomMemTable() { Close(); }

void TDsCustomMemTable::SetCapacity(int capacity) {
  if (capacity > static_cast<int>(rows_.size())) rows_.reserve(capacity);
  else rows_.shrink_to_fit();
}

// --- opening and closing ---

void TDsCustomMemTable::InternalInitFieldDefs() {
  // The table owns its structure: the definitions are what was given, or,
  // with none given, those of its field objects.
  if (FieldDefs().Count() == 0 && FieldCount() > 0) DefsFromFields();
}

void TDsCustomMemTable::DefsFromFields() {
  struct Kept {
    std::string name;
    int precision;
    TFieldAttributes attributes;
  };
  std::vector<Kept> kept;
  for (const auto& def : FieldDefs()) kept.push_back({def->Name(), def->Precision(), def->Attributes()});
  InitFieldDefsFromFields();
  for (const Kept& old : kept)
    if (TFieldDef* def = FieldDefs().FindDef(old.name)) {
      def->SetPrecision(old.precision);
      def->SetAttributes(def->Attributes() | old.attributes);
    }
}

void TDsCustomMemTable::OpenCursor(bool info_query) {
  if (!info_query) {
    if (FieldCount() > 0) {
      if (FieldDefs().Count() == 0)
        for (const auto& field : Fields())
          if (field->FieldKind() == fkData && !IsSupportedMemType(field->DataType()))
            DatabaseErrorFmt(kSUnknownFieldType, {field->DisplayName()});
      DefsFromFields();
    }
    DropSortKeys();
    cursor_open_ = true;
  }
  try {
    TDataSet::OpenCursor(info_query);
  } catch (...) {
    cursor_open_ = false;
    throw;
  }
}

void TDsCustomMemTable::InternalOpen() {
  SetBookmarkSize(sizeof(int32_t));
  if (DefaultFields()) CreateFields();
  BindFields(true);
  BindPlaces();
  calc_start_ = layout_.Shape().data_size;
  bookmark_start_ = AlignUp(calc_start_ + CalcFieldsSize(), alignof(BookmarkInfo));
  blobs_start_ = AlignUp(bookmark_start_ + static_cast<int>(sizeof(BookmarkInfo)), alignof(std::string));
  variants_start_ = blobs_start_ + layout_.Shape().blob_count * static_cast<int>(sizeof(std::string));
  buffer_size_ = variants_start_ + layout_.Shape().variant_count * static_cast<int>(sizeof(Variant));
  position_ = -1;
  RowsChanged();
  filter_.FieldsChanged();
  ApplyFilter(Filter(), FilterOptions(), Filtered());
}

void TDsCustomMemTable::BindPlaces() {
  const std::vector<const TFieldDef*> defs = FieldDefList();
  layout_.Build(defs);
  places_by_number_.assign(defs.size(), nullptr);
  auto_inc_places_.clear();
  for (const auto& field : Fields()) {
    if (field->FieldKind() != fkData) continue;
    for (size_t i = 0; i < defs.size(); ++i)
      if (SameText(defs[i]->FullName(), field->FullName())) {
        field->SetFieldNo(static_cast<int>(i) + 1);
        places_by_number_[i] = &layout_.At(static_cast<int>(i));
        if (field->DataType() == ftAutoInc) auto_inc_places_.push_back(places_by_number_[i]);
        break;
      }
  }
}

void TDsCustomMemTable::InternalClose() {
  rows_.clear();
  RowsChanged();
  last_id_ = kNoRecordId;
  position_ = -1;
  auto_inc_ = 1;
  DropSortKeys();
  BindFields(false);
  places_by_number_.clear();
  auto_inc_places_.clear();
  if (DefaultFields()) DestroyFields();
  cursor_open_ = false;
}

// --- record buffers ---

TDsCustomMemTable::BookmarkInfo& TDsCustomMemTable::InfoOf(TRecordBuffer buffer) const {
  return *reinterpret_cast<BookmarkInfo*>(buffer + bookmark_start_);
}

std::string* TDsCustomMemTable::BlobsOf(TRecordBuffer buffer) const {
  return reinterpret_cast<std::string*>(buffer + blobs_start_);
}

Variant* TDsCustomMemTable::VariantsOf(TRecordBuffer buffer) const {
  return reinterpret_cast<Variant*>(buffer + variants_start_);
}

TRecordBuffer TDsCustomMemTable::AllocRecordBuffer() {
  // operator new returns memory aligned for any of the sections.
  auto* buffer = static_cast<TRecordBuffer>(::operator new(buffer_size_));
  std::memset(buffer, 0, blobs_start_);
  for (int i = 0; i < layout_.Shape().blob_count; ++i) new (BlobsOf(buffer) + i) std::string();
  for (int i = 0; i < layout_.Shape().variant_count; ++i) new (VariantsOf(buffer) + i) Variant();
  return buffer;
}

void TDsCustomMemTable::FreeRecordBuffer(TRecordBuffer& buffer) {
  for (int i = 0; i < layout_.Shape().blob_count; ++i) BlobsOf(buffer)[i].~basic_string();
  for (int i = 0; i < layout_.Shape().variant_count; ++i) VariantsOf(buffer)[i].~Variant();
  ::operator delete(buffer);
  buffer = nullptr;
}

void TDsCustomMemTable::InternalInitRecord(TRecordBuffer buffer) {
  std::memset(buffer, 0, bookmark_start_ + sizeof(BookmarkInfo));
  for (int i = 0; i < layout_.Shape().blob_count; ++i) BlobsOf(buffer)[i].clear();
  for (int i = 0; i < layout_.Shape().variant_count; ++i) VariantsOf(buffer)[i] = Variant();
  InfoOf(buffer).id = kNoRecordId;
}

void TDsCustomMemTable::ClearCalcFields(TRecordBuffer buffer) {
  std::memset(buffer + calc_start_, 0, CalcFieldsSize());
}

void TDsCustomMemTable::RowToBuffer(const TMemoryRecord& row, TRecordBuffer buffer) const {
  std::memcpy(buffer, row.Data(), layout_.Shape().data_size);
  InfoOf(buffer) = {row.Id(), bfCurrent};
  for (int i = 0; i < layout_.Shape().blob_count; ++i) BlobsOf(buffer)[i] = row.Blob(i);
  for (int i = 0; i < layout_.Shape().variant_count; ++i) VariantsOf(buffer)[i] = row.VariantValue(i);
}

void TDsCustomMemTable::BufferToRow(TRecordBuffer buffer, TMemoryRecord& row) const {
  std::memcpy(row.Data(), buffer, layout_.Shape().data_size);
  for (int i = 0; i < layout_.Shape().blob_count; ++i) row.Blob(i) = BlobsOf(buffer)[i];
  for (int i = 0; i < layout_.Shape().variant_count; ++i) row.VariantValue(i) = VariantsOf(buffer)[i];
}

TMemoryRecord::Ptr TDsCustomMemTable::NewRowFrom(TRecordBuffer buffer) {
  TMemoryRecord::Ptr row = TMemoryRecord::Create(layout_.Shape(), ++last_id_);
  BufferToRow(buffer, *row);
  return row;
}

void TDsCustomMemTable::FillAutoIncFields(char* data) {
  if (auto_inc_places_.empty()) return;
  for (const TMemFieldPlace* place : auto_inc_places_) WritePlace(*place, Variant(auto_inc_), data, nullptr);
  ++auto_inc_;
}

// --- fetching ---

TGetResult TDsCustomMemTable::GetRecord(TRecordBuffer buffer, TGetMode mode, bool check) {
  const int count = static_cast<int>(rows_.size());
  TGetResult result = grOK;
  switch (mode) {
    case gmCurrent:
      if (position_ < 0 || position_ >= count || !RowAccepted()) result = grError;
      break;
    case gmNext:
      if (position_ >= count - 1) {
        result = grEOF;
        break;
      }
      do ++position_;
      while (position_ < count && !RowAccepted());
      if (position_ >= count) {
        position_ = count - 1;
        result = grEOF;
      }
      break;
    case gmPrior:
      if (position_ <= 0) {
        position_ = -1;
        result = grBOF;
        break;
      }
      do --position_;
      while (position_ >= 0 && !RowAccepted());
      if (position_ < 0) {
        position_ = -1;
        result = grBOF;
      }
      break;
  }
  if (result == grOK) {
    RowToBuffer(*rows_[position_], buffer);
    GetCalcFields(buffer);
  } else if (result == grError && check) {
    DatabaseError(kSNoDataFound);
  }
  return result;
}

void TDsCustomMemTable::InternalFirst() { position_ = -1; }

void TDsCustomMemTable::InternalLast() { position_ = static_cast<int>(rows_.size()); }

// --- field values ---

const TMemFieldPlace* TDsCustomMemTable::PlaceOf(const TField& field) const {
  const int number = field.FieldNo();
  if (number <= 0 || number > static_cast<int>(places_by_number_.size())) return nullptr;
  return places_by_number_[number - 1];
}

bool TDsCustomMemTable::GetFieldData(const TField& field, Variant& value) {
  TRecordBuffer buffer = StateBuffer();
  if (!buffer) return false;
  if (field.IsCalculated()) {
    switch (State()) {
      case dsBrowse: case dsEdit: case dsInsert: case dsCalcFields:
        return ReadCalcField(buffer + calc_start_, field, value);
      default:
        return false;
    }
  }
  const TMemFieldPlace* place = PlaceOf(field);
  if (!place || place->offset < 0) return false;
  return ReadPlace(*place, buffer, BlobsOf(buffer), VariantsOf(buffer), &value);
}

void TDsCustomMemTable::SetFieldData(TField& field, const Variant& value) {
  CheckFieldWrite(field, value);
  TRecordBuffer buffer = StateBuffer();
  if (!buffer) return;
  if (field.IsCalculated()) {
    WriteCalcField(buffer + calc_start_, field, value);
  } else if (const TMemFieldPlace* place = PlaceOf(field); place && place->offset >= 0) {
    WritePlace(*place, value, buffer, VariantsOf(buffer));
  }
  FieldChanged(field);
}

void TDsCustomMemTable::CheckNotFiltering() const {
  if (State() == dsFilter) DatabaseError(kSNotEditing);
}

// --- editing ---

void TDsCustomMemTable::InternalPost() {
  CheckNotFiltering();
  TRecordBuffer buffer = ActiveBuffer();
  const int count = static_cast<int>(rows_.size());
  if (State() == dsEdit) {
    BufferToRow(buffer, *rows_.at(position_));
  } else {
    FillAutoIncFields(buffer);
    if (position_ >= count) {
      rows_.push_back(NewRowFrom(buffer));
      position_ = count;
    } else {
      position_ = std::max(position_, 0);
      rows_.insert(rows_.begin() + position_, NewRowFrom(buffer));
    }
  }
  RowsChanged();
}

void TDsCustomMemTable::InternalAddRecord(TRecordBuffer buffer, bool append) {
  if (append) {
    position_ = static_cast<int>(rows_.size());
    rows_.push_back(nullptr);
  } else {
    position_ = std::max(position_, 0);
    rows_.insert(rows_.begin() + position_, nullptr);
  }
  FillAutoIncFields(buffer);
  rows_[position_] = NewRowFrom(buffer);
  RowsChanged();
}

void TDsCustomMemTable::InternalDelete() {
  rows_.erase(rows_.begin() + position_);
  RowsChanged();
  if (position_ >= static_cast<int>(rows_.size())) --position_;
  while (position_ >= 0 && !RowAccepted()) --position_;
  if (rows_.empty()) last_id_ = kNoRecordId;
}

// --- bookmarks and record numbers ---

void TDsCustomMemTable::GetBookmarkData(TRecordBuffer buffer, char* data) {
  std::memcpy(data, &InfoOf(buffer).id, sizeof(int32_t));
}

void TDsCustomMemTable::SetBookmarkData(TRecordBuffer buffer, const char* data) {
  std::memcpy(&InfoOf(buffer).id, data, sizeof(int32_t));
}

TBookmarkFlag TDsCustomMemTable::GetBookmarkFlag(TRecordBuffer buffer) {
  return static_cast<TBookmarkFlag>(InfoOf(buffer).flag);
}

void TDsCustomMemTable::SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) { InfoOf(buffer).flag = flag; }

namespace {

int32_t IdOfBookmark(const char* data) {
  int32_t id;
  std::memcpy(&id, data, sizeof id);
  return id;
}

}  // namespace

int TDsCustomMemTable::IndexOfId(int32_t id) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i]->Id() == id) return static_cast<int>(i);
  return -1;
}

bool TDsCustomMemTable::BookmarkValid(const TBookmark& bookmark) {
  if (!cursor_open_ || bookmark.size() != sizeof(int32_t)) return false;
  const int32_t id = IdOfBookmark(bookmark.data());
  return id != kNoRecordId && id <= last_id_;
}

int TDsCustomMemTable::CompareBookmarks(const TBookmark& a, const TBookmark& b) {
  if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : (a.empty() ? -1 : 1);
  const int32_t x = IdOfBookmark(a.data()), y = IdOfBookmark(b.data());
  return x < y ? -1 : x > y ? 1 : 0;
}

void TDsCustomMemTable::InternalGotoBookmark(const char* bookmark) {
  const int index = IndexOfId(IdOfBookmark(bookmark));
  if (index < 0) return;
  const int previous = position_;
  position_ = index;
  if (!RowAccepted()) position_ = previous;
}

void TDsCustomMemTable::InternalSetToRecord(TRecordBuffer buffer) {
  InternalGotoBookmark(reinterpret_cast<const char*>(&InfoOf(buffer).id));
}

int TDsCustomMemTable::GetRecNo() {
  UpdateCursorPos();
  if (position_ == -1 && !rows_.empty()) return 1;
  return position_ + 1;
}

void TDsCustomMemTable::SetRecNo(int rec_no) {
  if (rec_no < 1 || rec_no > static_cast<int>(rows_.size())) return;
  CheckBrowseMode();
  DoBeforeScroll();
  position_ = rec_no - 1;
  Resync(false);
  DoAfterScroll();
}

// --- blobs ---

std::unique_ptr<TStream> TDsCustomMemTable::CreateBlobStream(TField& field, TBlobStreamMode mode) {
  return std::make_unique<TMemBlobStream>(*this, field, mode);
}

void TDsCustomMemTable::CloseBlob(TField& field) {
  const TMemFieldPlace* place = PlaceOf(field);
  TRecordBuffer buffer = ActiveBuffer();
  if (!place || place->blob < 0 || !buffer) return;
  std::string& text = BlobsOf(buffer)[place->blob];
  if (State() == dsEdit && position_ >= 0 && position_ < static_cast<int>(rows_.size()))
    text = rows_[position_]->Blob(place->blob);
  else
    text.clear();
}

// --- row interface ---

const std::vector<int>& TDsCustomMemTable::VisibleRows() {
  if (!visible_rows_) {
    std::vector<int> visible;
    const int saved = position_;
    for (position_ = 0; position_ < static_cast<int>(rows_.size()); ++position_)
      if (RowAccepted()) visible.push_back(position_);
    position_ = saved;
    visible_rows_ = std::move(visible);
  }
  return *visible_rows_;
}

int TDsCustomMemTable::RowCount() {
  if (!Active()) return 0;
  return Filtered() ? static_cast<int>(VisibleRows().size()) : static_cast<int>(rows_.size());
}

Variant TDsCustomMemTable::RowValue(int row, const TField& field) {
  const int index = Filtered() ? VisibleRows().at(row) : row;
  const TMemoryRecord& record = *rows_.at(index);
  const TMemFieldPlace* place = PlaceOf(field);
  Variant value;
  if (!place || !ReadPlace(*place, record.Data(), record.BlobTexts(), record.VariantValues(), &value))
    return Variant::Null();
  return value;
}

int TDsCustomMemTable::CurrentRow() {
  if (!Active() || IsEmpty() || State() == dsInsert) return -1;
  const int32_t id = InfoOf(ActiveBuffer()).id;
  const bool at_position = position_ >= 0 && position_ < static_cast<int>(rows_.size()) && rows_[position_]->Id() == id;
  const int index = at_position ? position_ : IndexOfId(id);
  if (index < 0 || !Filtered()) return index;
  const std::vector<int>& visible = VisibleRows();
  const auto found = std::lower_bound(visible.begin(), visible.end(), index);
  return found != visible.end() && *found == index ? static_cast<int>(found - visible.begin()) : -1;
}

void TDsCustomMemTable::GotoRow(int row) {
  CheckBrowseMode();
  const int index = Filtered() ? VisibleRows().at(row) : row;
  if (index < 0 || index >= static_cast<int>(rows_.size())) return;
  DoBeforeScroll();
  position_ = index;
  Resync(false);
  DoAfterScroll();
}

void TDsCustomMemTable::SortRows(TField& field, bool descending) { SortByFields(field.FieldName(), false, descending); }

}  // namespace zarn
