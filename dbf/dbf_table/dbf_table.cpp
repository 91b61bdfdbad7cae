#include "dbf/dbf_table/dbf_table.h"

#include <cstring>
#include <new>

#include "dbf/dbf_table/dbf_blob_stream.h"
#include "dbf/dbf_table/dbf_field_defs.h"
#include "dbf/dbf_table/dbf_table_errors.h"
#include "dbf/dbf_table/record_value.h"
#include "dbf/dbf_table/table_path.h"
#include "dbf/errors.h"
#include "platform/dataset/db_consts.h"

namespace zarn {
namespace {

int AlignUp(int offset, int alignment) { return (offset + alignment - 1) / alignment * alignment; }

}  // namespace

TDsDbfTable::~TDsDbfTable() {
  try {
    Close();
  } catch (...) {
    HandleCurrentException();
  }
  if (database_) database_->UnregisterTable(this);
}

// --- properties ---

void TDsDbfTable::SetDatabase(TDsDatabase* database) {
  CheckInactive();
  if (database == database_) return;
  if (database_) database_->UnregisterTable(this);
  database_ = database;
  if (database_) database_->RegisterTable(this);
}

void TDsDbfTable::DatabaseDestroyed() { database_ = nullptr; }

void TDsDbfTable::SetTableName(std::string name) {
  CheckInactive();
  table_name_ = std::move(name);
  FieldDefs().SetUpdated(false);
  DataEvent(deLayoutChange);
}

void TDsDbfTable::SetExclusive(bool exclusive) {
  CheckInactive();
  exclusive_ = exclusive || (database_ && database_->Exclusive());
}

void TDsDbfTable::SetReadOnly(bool read_only) {
  CheckInactive();
  read_only_ = read_only || (database_ && database_->ReadOnly());
}

void TDsDbfTable::SetBufferRecords(int records) {
  CheckInactive();
  if (records >= 1) buffer_records_ = records;
}

void TDsDbfTable::SetShowDeleted(bool show) {
  if (show == show_deleted_) return;
  show_deleted_ = show;
  if (!handle_) return;
  CheckBrowseMode();
  handle_->SetShowDeleted(show);
  rows_.Invalidate();
  UpdateCursorPos();
  Resync(false);
}

void TDsDbfTable::SetCodePage(CP_TYPE code_page) {
  if (code_page == code_page_) return;
  code_page_ = code_page;
  if (!handle_) return;
  handle_->SetCodePage(code_page);
  rows_.Invalidate();
  Refresh();
}

std::string TDsDbfTable::TablePathName() const {
  return TablePath(database_ ? database_->DatabaseName() : std::string(), table_name_);
}

void TDsDbfTable::CheckTableProperties() const {
  if (!database_) DatabaseError(kSMissingDatabase);
  if (table_name_.empty()) DatabaseError(kSMissingTableName);
}

TDbfOpenOptions TDsDbfTable::OpenOptions() const {
  TDbfOpenOptions options;
  options.cache_capacity = buffer_records_;
  options.show_deleted = show_deleted_;
  options.code_page = code_page_;
  return options;
}

// --- opening and closing ---

void TDsDbfTable::OpenCursor(bool info_query) {
  if (!handle_) {
    CheckTableProperties();
    database_->Open();
    const TDbfOpenOptions options = OpenOptions();
    CheckDbfCode(OpenTable(TablePathName(), EffectiveReadOnly(), EffectiveExclusive(), &options, &handle_));
    if (!handle_) throw ENoResultSet(kSNoCursorHandle);
  }
  TDataSet::OpenCursor(info_query);
}

void TDsDbfTable::InternalInitFieldDefs() {
  if (handle_) {
    LoadFieldDefs(*handle_->Header(), FieldDefs());
    FieldDefs().SetUpdated(true);
    return;
  }
  CheckTableProperties();
  TDbfHandlePtr probe;
  if (OpenTable(TablePathName(), true, false, nullptr, &probe) != kDbfOk) return;
  LoadFieldDefs(*probe->Header(), FieldDefs());
  FieldDefs().SetUpdated(true);
  CloseTable(&probe);
}

void TDsDbfTable::InternalOpen() {
  record_size_ = handle_->GetRecordSize();
  SetBookmarkSize(handle_->GetBookmarkSize());
  InternalInitFieldDefs();
  if (DefaultFields()) CreateFields();
  BindFields(true);
  ComputeBufferLayout();
  rows_.Invalidate();
  ApplyFilter(Filter(), FilterOptions(), Filtered());
}

void TDsDbfTable::InternalClose() {
  BindFields(false);
  if (DefaultFields()) DestroyFields();
  rows_.Invalidate();
  CloseTable(&handle_);
}

// --- record buffers ---

void TDsDbfTable::ComputeBufferLayout() {
  blob_slot_by_field_no_.assign(static_cast<size_t>(handle_->Header()->FieldCount()), -1);
  blob_count_ = 0;
  for (const auto& field : Fields()) {
    const int number = field->FieldNo();
    if (field->FieldKind() == fkData && IsBlobType(field->DataType()) && number >= 1 &&
        number <= static_cast<int>(blob_slot_by_field_no_.size()))
      blob_slot_by_field_no_[static_cast<size_t>(number - 1)] = blob_count_++;
  }
  calc_start_ = record_size_;
  blobs_start_ = AlignUp(calc_start_ + CalcFieldsSize(), alignof(std::string));
  info_start_ = AlignUp(blobs_start_ + blob_count_ * static_cast<int>(sizeof(std::string)), alignof(RecordInfo));
  bookmark_start_ = info_start_ + static_cast<int>(sizeof(RecordInfo));
  buffer_size_ = bookmark_start_ + static_cast<int>(sizeof(int32_t));
}

TRecordBuffer TDsDbfTable::AllocRecordBuffer() {
  TRecordBuffer buffer = new char[static_cast<size_t>(buffer_size_)]();
  for (int i = 0; i < blob_count_; ++i) new (BlobSlotsOf(buffer) + i) std::string();
  return buffer;
}

void TDsDbfTable::FreeRecordBuffer(TRecordBuffer& buffer) {
  using std::string;
  for (int i = 0; i < blob_count_; ++i) BlobSlotsOf(buffer)[i].~string();
  delete[] buffer;
  buffer = nullptr;
}

TDsDbfTable::RecordInfo& TDsDbfTable::InfoOf(TRecordBuffer buffer) const {
  return *std::launder(reinterpret_cast<RecordInfo*>(buffer + info_start_));
}

std::string* TDsDbfTable::BlobSlotsOf(TRecordBuffer buffer) const {
  return std::launder(reinterpret_cast<std::string*>(buffer + blobs_start_));
}

std::string* TDsDbfTable::BlobSlotOf(TRecordBuffer buffer, const TField& field) const {
  const int number = field.FieldNo();
  if (!buffer || number < 1 || number > static_cast<int>(blob_slot_by_field_no_.size())) return nullptr;
  const int slot = blob_slot_by_field_no_[static_cast<size_t>(number - 1)];
  return slot < 0 ? nullptr : BlobSlotsOf(buffer) + slot;
}

void TDsDbfTable::ClearBlobSlots(TRecordBuffer buffer) const {
  for (int i = 0; i < blob_count_; ++i) BlobSlotsOf(buffer)[i].clear();
}

void TDsDbfTable::ClearCalcFields(TRecordBuffer buffer) {
  std::memset(buffer + calc_start_, 0, static_cast<size_t>(CalcFieldsSize()));
}

// --- reading records ---

TGetResult TDsDbfTable::FinishRead(int code, TRecordBuffer buffer, const TDbfRecordInfo& info, bool check) {
  if (code == kDbfBeginOfFile) return grBOF;
  if (code == kDbfEndOfFile) return grEOF;
  if (code != kDbfOk) {
    if (check) CheckDbfCode(code);
    return grError;
  }
  RecordInfo& record_info = InfoOf(buffer);
  record_info.record_no = info.record_no;
  record_info.status = info.status;
  record_info.flag = bfCurrent;
  std::memcpy(buffer + bookmark_start_, &info.record_no, sizeof(int32_t));
  ClearBlobSlots(buffer);
  GetCalcFields(buffer);
  return grOK;
}

TGetResult TDsDbfTable::GetRecord(TRecordBuffer buffer, TGetMode mode, bool check) {
  TDbfRecordInfo info;
  int code;
  switch (mode) {
    case gmCurrent: code = ReadCurrent(handle_.get(), buffer, &info); break;
    case gmNext: code = ReadNext(handle_.get(), buffer, &info); break;
    default: code = ReadPrior(handle_.get(), buffer, &info); break;
  }
  return FinishRead(code, buffer, info, check);
}

bool TDsDbfTable::GetCurrentRecord(TRecordBuffer buffer) {
  if (IsEmpty() || GetBookmarkFlag(ActiveBuffer()) != bfCurrent) return false;
  UpdateCursorPos();
  TDbfRecordInfo info;
  return FinishRead(ReadCurrent(handle_.get(), buffer, &info), buffer, info, false) == grOK;
}

void TDsDbfTable::InternalFirst() { MoveFirst(handle_.get()); }

void TDsDbfTable::InternalLast() { MoveLast(handle_.get()); }

void TDsDbfTable::InternalInitRecord(TRecordBuffer buffer) {
  zarn::InitRecord(handle_.get(), buffer);
  RecordInfo& info = InfoOf(buffer);
  info.record_no = -1;
  info.status = kStatusNew;
  info.flag = bfInserted;
  ClearBlobSlots(buffer);
}

// --- field values ---

bool TDsDbfTable::GetFieldData(const TField& field, Variant& value) {
  TRecordBuffer buffer = StateBuffer();
  if (!buffer) return false;
  if (field.IsCalculated()) {
    switch (State()) {
      case dsBrowse: case dsEdit: case dsInsert: case dsCalcFields: case dsBlockRead:
        return ReadCalcField(buffer + calc_start_, field, value);
      default:
        return false;
    }
  }
  if (State() == dsFilter) return false;
  return ReadRecordValue(handle_.get(), field.FieldNo(), buffer, &value);
}

void TDsDbfTable::SetFieldData(TField& field, const Variant& value) {
  CheckFieldWrite(field, value);
  TRecordBuffer buffer = StateBuffer();
  if (!buffer) return;
  if (field.IsCalculated()) WriteCalcField(buffer + calc_start_, field, value);
  else WriteRecordValue(handle_.get(), field.FieldNo(), buffer, value);
  FieldChanged(field);
}

// --- blobs ---

std::unique_ptr<TStream> TDsDbfTable::CreateBlobStream(TField& field, TBlobStreamMode mode) {
  return std::make_unique<TBlobStream>(*this, field, mode);
}

void TDsDbfTable::CloseBlob(TField& field) {
  TRecordBuffer buffer = ActiveBuffer();
  if (std::string* slot = BlobSlotOf(buffer, field)) slot->clear();
  if (handle_ && buffer) FreeBlob(handle_.get(), buffer, field.FieldNo());
}

// --- editing ---

void TDsDbfTable::InternalPost() {
  TRecordBuffer buffer = ActiveBuffer();
  if (State() == dsEdit) {
    CheckDbfCode(zarn::UpdateRecord(handle_.get(), buffer));
    if (Filtered()) rows_.Invalidate();
    else rows_.ForgetImages();
    return;
  }
  CheckDbfCode(AppendRecord(handle_.get(), buffer));
  if (Filtered()) rows_.Invalidate();
  else rows_.RecordAppended(handle_->GetPosition());
}

void TDsDbfTable::InternalAddRecord(TRecordBuffer buffer, bool append) {
  CheckDbfCode(append ? AppendRecord(handle_.get(), buffer) : InsertRecord(handle_.get(), buffer));
  rows_.Invalidate();
}

void TDsDbfTable::InternalDelete() {
  CheckDbfCode(DeleteRecord(handle_.get()));
  if (show_deleted_) rows_.ForgetImages();
  else rows_.RecordHidden(handle_->GetPosition());
}

// --- bookmarks and record numbers ---

void TDsDbfTable::InternalGotoBookmark(const char* bookmark) {
  int32_t record_no;
  std::memcpy(&record_no, bookmark, sizeof record_no);
  SetPosition(handle_.get(), record_no);
}

void TDsDbfTable::InternalSetToRecord(TRecordBuffer buffer) { InternalGotoBookmark(buffer + bookmark_start_); }

void TDsDbfTable::GetBookmarkData(TRecordBuffer buffer, char* data) {
  std::memcpy(data, buffer + bookmark_start_, sizeof(int32_t));
}

void TDsDbfTable::SetBookmarkData(TRecordBuffer buffer, const char* data) {
  std::memcpy(buffer + bookmark_start_, data, sizeof(int32_t));
}

TBookmarkFlag TDsDbfTable::GetBookmarkFlag(TRecordBuffer buffer) {
  return static_cast<TBookmarkFlag>(InfoOf(buffer).flag);
}

void TDsDbfTable::SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) {
  InfoOf(buffer).flag = static_cast<uint8_t>(flag);
}

bool TDsDbfTable::BookmarkValid(const TBookmark& bookmark) {
  return handle_ != nullptr && bookmark.size() == sizeof(int32_t);
}

int TDsDbfTable::CompareBookmarks(const TBookmark& a, const TBookmark& b) {
  if (a.size() != sizeof(int32_t) || b.size() != sizeof(int32_t)) return TDataSet::CompareBookmarks(a, b);
  int32_t left, right;
  std::memcpy(&left, a.data(), sizeof left);
  std::memcpy(&right, b.data(), sizeof right);
  return left < right ? -1 : (left > right ? 1 : 0);
}

int TDsDbfTable::GetRecNo() {
  TRecordBuffer buffer = State() == dsCalcFields ? CalcBuffer() : ActiveBuffer();
  if (!buffer || (State() != dsCalcFields && IsEmpty())) return -1;
  return InfoOf(buffer).record_no;
}

void TDsDbfTable::SetRecNo(int rec_no) {
  CheckBrowseMode();
  if (rec_no == GetRecNo()) return;
  DoBeforeScroll();
  SetPosition(handle_.get(), rec_no);
  Resync(false);
  DoAfterScroll();
}

int TDsDbfTable::GetRecordCount() {
  CheckActive();
  uint32_t count = 0;
  if (zarn::GetRecordCount(handle_.get(), &count) != kDbfOk) return -1;
  return static_cast<int>(count);
}

}  // namespace zarn
