#include "platform/dataset/dataset.h"

#include <algorithm>
#include <cstring>

#include "platform/dataset/db_consts.h"

namespace zarn {

TDataSet::TDataSet() : field_defs_(this) {}

TDataSet::~TDataSet() {
  // Links learn that the dataset is gone (a model drops its columns).
  const std::vector<TDataLink*> links = links_;
  links_.clear();
  for (TDataLink* link : links) {
    link->dataset_ = nullptr;
    link->DataEvent(deLayoutChange, nullptr);
  }
}

// --- opening and closing ---

void TDataSet::SetActive(bool active) {
  if (active) Open();
  else Close();
}

void TDataSet::Open() {
  if (Active()) return;
  Notify(BeforeOpen);
  default_fields_ = fields_.Count() == 0;
  SetState(dsOpening);
  try {
    OpenCursor(false);
    AllocateBuffers();
  } catch (...) {
    SetState(dsInactive);
    CloseCursor();
    throw;
  }
  SetState(dsBrowse);
  ClearBuffers();
  InternalFirst();
  FetchRecord(gmNext);
  bof_ = true;
  eof_ = !has_record_;
  DataEvent(deLayoutChange);
  DataEvent(deDataSetChange);
  Notify(AfterOpen);
  if (has_record_) DoAfterScroll();
}

void TDataSet::Close() {
  if (!Active()) return;
  Notify(BeforeClose);
  FreeFieldBuffers();
  SetState(dsInactive);
  CloseCursor();
  DataEvent(deDataSetChange);
  Notify(AfterClose);
}

void TDataSet::OpenCursor(bool info_query) {
  if (info_query) InternalInitFieldDefs();
  else InternalOpen();
}

void TDataSet::CloseCursor() {
  ClearBuffers();
  FreeBuffers();
  InternalClose();
}

void TDataSet::InitFieldDefs() {
  InternalInitFieldDefs();
  field_defs_.SetUpdated(true);
}

void TDataSet::AllocateBuffers() {
  active_buffer_ = AllocRecordBuffer();
  temp_buffer_ = AllocRecordBuffer();
}

void TDataSet::FreeBuffers() {
  if (active_buffer_) FreeRecordBuffer(active_buffer_);
  if (temp_buffer_) FreeRecordBuffer(temp_buffer_);
  active_buffer_ = temp_buffer_ = calc_buffer_ = nullptr;
}

void TDataSet::SetState(TDataSetState state) {
  if (state_ == state) return;
  state_ = state;
  modified_ = false;
  DataEvent(deUpdateState);
}

TDataSetState TDataSet::SetTempState(TDataSetState state) {
  const TDataSetState previous = state_;
  state_ = state;
  return previous;
}

void TDataSet::CheckActive() const {
  if (!Active()) DatabaseError(kSDataSetClosed);
}

void TDataSet::CheckInactive() const {
  if (Active()) DatabaseError(kSDataSetOpen);
}

// --- cursor and buffers ---

void TDataSet::ClearBuffers() {
  has_record_ = false;
  cursor_synced_ = true;
  bof_ = eof_ = true;
}

void TDataSet::UpdateCursorPos() {
  if (cursor_synced_ || !has_record_ || state_ == dsInsert) return;
  switch (GetBookmarkFlag(active_buffer_)) {
    case bfCurrent: case bfInserted: InternalSetToRecord(active_buffer_); break;
    case bfBOF: InternalFirst(); break;
    case bfEOF: InternalLast(); break;
  }
  cursor_synced_ = true;
}

bool TDataSet::FetchRecord(TGetMode mode) {
  UpdateCursorPos();
  if (GetRecord(temp_buffer_, mode, true) == grOK) {
    std::swap(active_buffer_, temp_buffer_);
    has_record_ = true;
    cursor_synced_ = true;
    return true;
  }
  // The cursor has left the active record; the next move brings it back.
  cursor_synced_ = !has_record_;
  return false;
}

TRecordBuffer TDataSet::StateBuffer() const {
  switch (state_) {
    case dsBrowse: return has_record_ ? active_buffer_ : nullptr;
    case dsEdit: case dsInsert: case dsBlockRead: return active_buffer_;
    case dsCalcFields: case dsInternalCalc: return calc_buffer_;
    case dsFilter: return temp_buffer_;
    default: return nullptr;
  }
}

// --- navigation ---

void TDataSet::DoBeforeScroll() { Notify(BeforeScroll); }
void TDataSet::DoAfterScroll() { Notify(AfterScroll); }

void TDataSet::First() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  InternalFirst();
  FetchRecord(gmNext);
  bof_ = true;
  eof_ = !has_record_;
  DataEvent(deDataSetChange);
  DoAfterScroll();
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  InternalLast();
  FetchRecord(gmPrior);
  eof_ = true;
  bof_ = !has_record_;
  DataEvent(deDataSetChange);
  DoAfterScroll();
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  int moved = 0;
  if ((distance > 0 && !eof_) || (distance < 0 && !bof_)) {
    bof_ = eof_ = false;
    DoBeforeScroll();
    for (; distance > 0; --distance, ++moved)
      if (!FetchRecord(gmNext)) {
        eof_ = true;
        break;
      }
    for (; distance < 0; ++distance, --moved)
      if (!FetchRecord(gmPrior)) {
        bof_ = true;
        break;
      }
    DataEvent(deDataSetScroll);
    DoAfterScroll();
  }
  return moved;
}

void TDataSet::Resync(bool exact) {
  TGetResult result = GetRecord(temp_buffer_, gmCurrent, false);
  if (result != grOK && exact) DatabaseError(kSRecordNotFound);
  if (result != grOK) result = GetRecord(temp_buffer_, gmNext, false);
  if (result != grOK) result = GetRecord(temp_buffer_, gmPrior, false);
  if (result == grOK) {
    std::swap(active_buffer_, temp_buffer_);
    has_record_ = true;
    cursor_synced_ = true;
    bof_ = eof_ = false;
  } else {
    ClearBuffers();
  }
  DataEvent(deDataSetChange);
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  UpdateCursorPos();
  InternalRefresh();
  Resync(false);
}

// --- editing ---

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  if (state_ == dsEdit || state_ == dsInsert) {
    UpdateRecord();
    if (modified_) Post();
    else Cancel();
  } else if (state_ == dsSetKey) {
    Post();
  }
}

void TDataSet::CheckEditOrInsert() const {
  if (state_ != dsEdit && state_ != dsInsert && state_ != dsSetKey) DatabaseError(kSNotEditing);
}

void TDataSet::UpdateRecord() {
  CheckEditOrInsert();
  DataEvent(deUpdateRecord);
}

void TDataSet::CheckOperation(const std::function<void()>& op, const TDataSetErrorEvent& on_error) {
  for (;;) {
    try {
      op();
      return;
    } catch (EDatabaseError& error) {
      TDataAction action = daFail;
      if (on_error) on_error(*this, error, action);
      if (action == daFail) throw;
      if (action == daAbort) throw EAbort();
    }
  }
}

void TDataSet::Edit() {
  if (state_ == dsEdit || state_ == dsInsert) return;
  if (!has_record_) {
    Insert();
    return;
  }
  CheckBrowseMode();
  if (!CanModify()) DatabaseError(kSDataSetReadOnly);
  Notify(BeforeEdit);
  UpdateCursorPos();
  CheckOperation([this] { InternalEdit(); }, OnEditError);
  GetCalcFields(active_buffer_);
  SetState(dsEdit);
  DataEvent(deRecordChange);
  Notify(AfterEdit);
}

void TDataSet::InitRecord(TRecordBuffer buffer) {
  InternalInitRecord(buffer);
  ClearCalcFields(buffer);
  SetBookmarkFlag(buffer, bfInserted);
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  if (!CanModify()) DatabaseError(kSDataSetReadOnly);
  Notify(BeforeInsert);
  DoBeforeScroll();
}

void TDataSet::EndInsertAppend() {
  SetState(dsInsert);
  DataEvent(deDataSetChange);
  Notify(OnNewRecord);
  Notify(AfterInsert);
  DoAfterScroll();
}

void TDataSet::Insert() {
  BeginInsertAppend();
  UpdateCursorPos();
  const bool was_empty = !has_record_;
  InitRecord(active_buffer_);
  if (was_empty) SetBookmarkFlag(active_buffer_, bfBOF);
  InternalInsert();
  has_record_ = true;
  bof_ = eof_ = false;
  EndInsertAppend();
}

void TDataSet::Append() {
  BeginInsertAppend();
  ClearBuffers();
  InternalLast();
  InitRecord(active_buffer_);
  SetBookmarkFlag(active_buffer_, bfEOF);
  has_record_ = true;
  bof_ = eof_ = false;
  EndInsertAppend();
}

void TDataSet::CheckRequiredFields() {
  for (const auto& field : fields_)
    if (field->Required() && !field->ReadOnly() && field->FieldKind() == fkData && field->IsNull())
      DatabaseErrorFmt(kSFieldRequired, {field->DisplayName()});
}

void TDataSet::FreeFieldBuffers() {
  for (const auto& field : fields_)
    if (field->Modified()) {
      CloseBlob(*field);
      field->SetModified(false);
    }
}

void TDataSet::Post() {
  UpdateRecord();
  if (state_ != dsEdit && state_ != dsInsert) return;
  DataEvent(deCheckBrowseMode);
  Notify(BeforePost);
  CheckRequiredFields();
  UpdateCursorPos();
  CheckOperation([this] { InternalPost(); }, OnPostError);
  cursor_synced_ = true;
  FreeFieldBuffers();
  SetState(dsBrowse);
  Resync(false);
  Notify(AfterPost);
}

void TDataSet::Cancel() {
  if (state_ != dsEdit && state_ != dsInsert) return;
  DataEvent(deCheckBrowseMode);
  Notify(BeforeCancel);
  UpdateCursorPos();
  InternalCancel();
  FreeFieldBuffers();
  SetState(dsBrowse);
  Resync(false);
  Notify(AfterCancel);
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert || state_ == dsSetKey) {
    Cancel();
    return;
  }
  if (!has_record_) DatabaseError(kSDataSetEmpty);
  DataEvent(deCheckBrowseMode);
  Notify(BeforeDelete);
  DoBeforeScroll();
  UpdateCursorPos();
  CheckOperation([this] { InternalDelete(); }, OnDeleteError);
  cursor_synced_ = true;
  FreeFieldBuffers();
  SetState(dsBrowse);
  Resync(false);
  Notify(AfterDelete);
  DoAfterScroll();
}

// --- bookmarks ---

TBookmark TDataSet::GetBookmark() {
  const bool available = (state_ == dsBrowse || state_ == dsEdit || state_ == dsInsert) && has_record_ &&
                         bookmark_size_ > 0 && GetBookmarkFlag(active_buffer_) == bfCurrent;
  if (!available) return {};
  TBookmark bookmark(bookmark_size_);
  GetBookmarkData(active_buffer_, bookmark.data());
  return bookmark;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  if (bookmark.empty()) return;
  CheckBrowseMode();
  DoBeforeScroll();
  InternalGotoBookmark(bookmark.data());
  Resync(true);
  DoAfterScroll();
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) {
  (void)bookmark;
  return false;
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) {
  if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : (a.empty() ? -1 : 1);
  return a == b ? 0 : (a < b ? -1 : 1);
}

bool TDataSet::FindRecord(bool restart, bool go_forward) {
  (void)restart;
  (void)go_forward;
  found_ = false;
  return false;
}

std::unique_ptr<TStream> TDataSet::CreateBlobStream(TField& field, TBlobStreamMode mode) {
  (void)mode;
  DatabaseErrorFmt(kSBlobNotSupported, {field.DisplayName()});
}

// --- controls and links ---

void TDataSet::DisableControls() {
  if (disable_count_++ == 0) held_events_ = 0;
}

void TDataSet::EnableControls() {
  if (disable_count_ == 0 || --disable_count_ > 0) return;
  const unsigned held = held_events_;
  held_events_ = 0;
  if (held & (1u << deLayoutChange)) DataEvent(deLayoutChange);
  if (held) DataEvent(deDataSetChange);
  if (held & (1u << deUpdateState)) DataEvent(deUpdateState);
}

void TDataSet::DataEvent(TDataEvent event, TField* field) {
  if (event == deFieldChange && field) {
    if (field->FieldKind() == fkData || field->FieldKind() == fkInternalCalc) {
      modified_ = true;
      if (auto_calc_fields_ && calc_fields_size_ > 0 && (state_ == dsEdit || state_ == dsInsert))
        GetCalcFields(active_buffer_);
    }
  }
  if (disable_count_ > 0) {
    held_events_ |= 1u << event;
  } else {
    const std::vector<TDataLink*> links = links_;  // a link may detach itself
    for (TDataLink* link : links) link->DataEvent(event, field);
  }
  if (event == deFieldChange && field && field->OnChange) field->OnChange(*field);
}

void TDataSet::AddLink(TDataLink* link) { links_.push_back(link); }

void TDataSet::RemoveLink(TDataLink* link) { links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end()); }

TDataLink::~TDataLink() { SetDataSet(nullptr); }

void TDataLink::SetDataSet(TDataSet* dataset) {
  if (dataset_ == dataset) return;
  if (dataset_) dataset_->RemoveLink(this);
  dataset_ = dataset;
  if (dataset_) dataset_->AddLink(this);
}

}  // namespace zarn
