// TDataSet: the base of every dataset (DBF table, memory table, server
// query). It owns the field definitions and field objects, keeps the state
// (browse, edit, insert …), one active record buffer plus a temporary and a
// calculation buffer, and turns navigation and editing into calls of the
// protected hooks that each dataset implements over its own storage. Grids do
// not page through the cursor: a dataset shown in a grid also answers the
// row interface (RowCount, RowValue) and TDataSetModel reads that.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dataset/blob_stream.h"
#include "platform/dataset/data_link.h"
#include "platform/dataset/errors.h"
#include "platform/dataset/field.h"
#include "platform/dataset/field_defs.h"
#include "platform/dataset/fields.h"
#include "platform/dataset/filter_options.h"
#include "platform/dataset/variant.h"

namespace zarn {

enum TDataSetState {
  dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsNewValue,
  dsOldValue, dsCurValue, dsBlockRead, dsInternalCalc, dsOpening
};

enum TGetMode { gmCurrent, gmNext, gmPrior };
enum TGetResult { grOK, grBOF, grEOF, grError };
enum TBookmarkFlag { bfCurrent, bfBOF, bfEOF, bfInserted };
enum TDataAction { daFail, daAbort, daRetry };

enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;

// A record buffer: bytes laid out by the dataset that allocated it.
using TRecordBuffer = char*;
// A bookmark: BookmarkSize() bytes copied out of a record buffer.
using TBookmark = std::vector<char>;

class TDataSet {
 public:
  using TDataSetNotifyEvent = std::function<void(TDataSet&)>;
  using TFilterRecordEvent = std::function<void(TDataSet&, bool& accept)>;
  using TDataSetErrorEvent = std::function<void(TDataSet&, EDatabaseError&, TDataAction&)>;

  TDataSet();
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;
  // A derived dataset closes itself in its own destructor (Close calls its
  // hooks); the base only detaches links and frees fields.
  virtual ~TDataSet();

  // --- opening and state ---
  void Open();
  void Close();
  bool Active() const { return state_ != dsInactive; }
  void SetActive(bool active);
  TDataSetState State() const { return state_; }
  bool Modified() const { return modified_; }
  bool AutoCalcFields() const { return auto_calc_fields_; }
  void SetAutoCalcFields(bool value) { auto_calc_fields_ = value; }

  // --- navigation ---
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Moves up to |distance| records; returns the signed number moved.
  int MoveBy(int distance);
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  bool IsEmpty() const { return !has_record_; }
  // Re-reads the current record from the cursor; exact: raise "Record not
  // found" when it is gone instead of moving to a neighbour.
  void Resync(bool exact = false);
  void Refresh();
  // Record number of the current record (dataset-defined, -1 when unknown).
  int RecNo() { return GetRecNo(); }
  // Moves to the record number (datasets that number their records override it).
  virtual void SetRecNo(int rec_no) { (void)rec_no; }
  int RecordCount() { return GetRecordCount(); }

  // --- editing ---
  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();
  // Posts an edit in progress; raises when the dataset is closed.
  void CheckBrowseMode();
  // Raises "Dataset not in edit or insert mode" outside edit, insert and set-key.
  void CheckEditOrInsert() const;
  // Asks the links to write pending edits into the fields.
  void UpdateRecord();
  virtual bool CanModify() const { return true; }

  // --- fields ---
  TFieldDefs& FieldDefs() { return field_defs_; }
  const TFieldDefs& FieldDefs() const { return field_defs_; }
  // The definitions with their child definitions, flattened.
  std::vector<const TFieldDef*> FieldDefList() const { return FlattenFieldDefs(field_defs_); }
  TFields& Fields() { return fields_; }
  const TFields& Fields() const { return fields_; }
  int FieldCount() const { return fields_.Count(); }
  TField* FindField(std::string_view name) const { return fields_.FindField(name); }
  // Raises "Field '%s' not found".
  TField& FieldByName(std::string_view name) const { return fields_.FieldByName(name); }
  // The fields named in a list separated by semicolons; raises for a missing one.
  std::vector<TField*> GetFieldList(std::string_view names) const;
  // Creates a persistent field (before opening): data fields bind to the
  // definition of the same name; calculated and lookup fields get a place
  // in the calculated-field area.
  TField& AddField(std::string name, TFieldType type, int size = 0, TFieldKind kind = fkData);
  // True while the field objects were made from the definitions at opening
  // (they are freed at closing).
  bool DefaultFields() const { return default_fields_; }
  // Bytes of the calculated-field area: a presence byte and the value of
  // each calculated or lookup field.
  int CalcFieldsSize() const { return calc_fields_size_; }

  // --- bookmarks ---
  TBookmark GetBookmark();
  void GotoBookmark(const TBookmark& bookmark);
  virtual bool BookmarkValid(const TBookmark& bookmark);
  // -1, 0 or 1; empty bookmarks compare equal to each other and lower than others.
  virtual int CompareBookmarks(const TBookmark& a, const TBookmark& b);
  int BookmarkSize() const { return bookmark_size_; }

  // --- searching ---
  // Key fields separated by semicolons; key values one value or an array
  // with one element per key field. Scans from the current record, then from
  // the first; the record found becomes current, otherwise nothing moves.
  virtual bool Locate(std::string_view key_fields, const Variant& key_values, TLocateOptions options);
  // The value(s) of result_fields in the record that matches the keys, or
  // null; the current record is kept.
  virtual Variant Lookup(std::string_view key_fields, const Variant& key_values, std::string_view result_fields);
  bool FindFirst() { return FindRecord(true, true); }
  bool FindLast() { return FindRecord(true, false); }
  bool FindNext() { return FindRecord(false, true); }
  bool FindPrior() { return FindRecord(false, false); }
  bool Found() const { return found_; }

  // --- filter (datasets give these their own meaning) ---
  const std::string& Filter() const { return filter_text_; }
  virtual void SetFilterText(const std::string& text) { filter_text_ = text; }
  bool Filtered() const { return filtered_; }
  virtual void SetFiltered(bool value) { filtered_ = value; }
  TFilterOptions FilterOptions() const { return filter_options_; }
  virtual void SetFilterOptions(TFilterOptions options) { filter_options_ = options; }
  const TFilterRecordEvent& OnFilterRecord() const { return on_filter_record_; }
  virtual void SetOnFilterRecord(TFilterRecordEvent handler) { on_filter_record_ = std::move(handler); }

  // --- blobs ---
  // A stream over the blob field of the record of the current state.
  virtual std::unique_ptr<TStream> CreateBlobStream(TField& field, TBlobStreamMode mode);
  // The field lets go of blob data it holds (after Cancel, at closing).
  virtual void CloseBlob(TField& field) { (void)field; }

  // --- controls ---
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disable_count_ > 0; }
  // Sends the event to every link (held back while controls are disabled,
  // then replaced by one deDataSetChange).
  void DataEvent(TDataEvent event, TField* field = nullptr);

  // --- row interface for grids ---
  // A dataset shown in a grid overrides these four; they read rows the
  // dataset already holds and never move the cursor. The base has no rows.
  // Rows are numbered from 0 in the order the grid shows them.
  virtual int RowCount() { return 0; }
  // The value of a data field in the row (null when it has none).
  virtual Variant RowValue(int row, const TField& field) { (void)row; (void)field; return Variant::Null(); }
  // The row of the current record, or -1.
  virtual int CurrentRow() { return -1; }
  // Makes the row the current record (posting an edit first).
  virtual void GotoRow(int row) { (void)row; }
  // Reorders the rows on one field, when the dataset can; the model calls it
  // for a click on a column title.
  virtual void SortRows(TField& field, bool descending) { (void)field; (void)descending; }

  // --- events ---
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent OnNewRecord, OnCalcFields;
  TDataSetErrorEvent OnPostError, OnEditError, OnDeleteError;

  // --- field values: TField calls these ---
  // Reads the field's value from the record buffer of the current state.
  // Returns false (and leaves value alone) for null. Values come in the
  // field type's own kind: String for text, Integer or Int64 for integers,
  // Double for floats, Date for dates and times, Boolean, Bytes.
  virtual bool GetFieldData(const TField& field, Variant& value) = 0;
  // Stores the value (already converted by the field, null to clear) into
  // the record buffer of the current state. Implementations call
  // CheckFieldWrite first and FieldChanged after storing.
  virtual void SetFieldData(TField& field, const Variant& value) = 0;

 protected:
  friend class TFieldDefs;

  // --- hooks every dataset implements ---
  virtual TRecordBuffer AllocRecordBuffer() = 0;
  virtual void FreeRecordBuffer(TRecordBuffer& buffer) = 0;
  // Reads the current, next or prior record of the cursor into the buffer and
  // computes its calculated fields (GetCalcFields). check: raise instead of
  // returning grError.
  virtual TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool check) = 0;
  // Fills field_defs_ from the storage (the open one or, closed, its structure).
  virtual void InternalInitFieldDefs() = 0;
  // Opens the storage: field definitions, fields (CreateFields when
  // DefaultFields), BindFields(true), buffer layout, BookmarkSize.
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  // Puts the cursor before the first / after the last record.
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  // Stores the active buffer (State() says edit or insert).
  virtual void InternalPost() = 0;
  // Deletes the record under the cursor and leaves the cursor on a neighbour.
  virtual void InternalDelete() = 0;
  // Adds the buffer as a new record directly (append: at the end).
  virtual void InternalAddRecord(TRecordBuffer buffer, bool append) = 0;
  virtual void InternalInitRecord(TRecordBuffer buffer) = 0;
  virtual void InternalGotoBookmark(const char* bookmark) = 0;
  // Puts the cursor on the record held in the buffer.
  virtual void InternalSetToRecord(TRecordBuffer buffer) = 0;
  virtual void GetBookmarkData(TRecordBuffer buffer, char* data) = 0;
  virtual void SetBookmarkData(TRecordBuffer buffer, const char* data) = 0;
  virtual TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) = 0;
  virtual void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) = 0;
  virtual bool IsCursorOpen() const = 0;

  // --- hooks with a default ---
  // Passes the exception being handled to the application's handler.
  virtual void InternalHandleException() { HandleCurrentException(); }
  virtual void InternalEdit() {}
  virtual void InternalInsert() {}
  virtual void InternalCancel() {}
  virtual void InternalRefresh() {}
  virtual int GetRecNo() { return -1; }
  virtual int GetRecordCount() { return -1; }
  // Finds the first/last (restart) or next/prior record; the DBF table
  // overrides it. The base finds nothing.
  virtual bool FindRecord(bool restart, bool go_forward);
  // InternalInitRecord, ClearCalcFields, flag bfInserted.
  virtual void InitRecord(TRecordBuffer buffer);
  virtual void ClearCalcFields(TRecordBuffer buffer) { (void)buffer; }
  // Opens the cursor: info_query asks only for the structure.
  virtual void OpenCursor(bool info_query);
  virtual void CloseCursor();
  // Refreshes the definitions; the dataset's own FieldDefs().Update() lands here.
  virtual void InitFieldDefs();
  // Lookup values, then OnCalcFields, in dsCalcFields on the given buffer.
  virtual void CalculateFields(TRecordBuffer buffer);

  // --- services for the hooks ---
  TRecordBuffer ActiveBuffer() const { return active_buffer_; }
  TRecordBuffer TempBuffer() const { return temp_buffer_; }
  TRecordBuffer CalcBuffer() const { return calc_buffer_; }
  // The buffer that field values of the current state live in: the active
  // buffer while browsing a non-empty dataset or editing, the calculation
  // buffer while calculating, the temporary buffer while filtering, else none.
  TRecordBuffer StateBuffer() const;
  // Computes the calculated fields of a freshly read buffer (GetRecord calls it).
  void GetCalcFields(TRecordBuffer buffer);
  // The standard checks before a field's value is stored: a writing state
  // (data fields not while calculating or filtering), not read-only; then
  // the field's validation of the value.
  void CheckFieldWrite(TField& field, const Variant& value) const;
  // Notifies links (and OnChange, recalculation) that a field's value changed.
  void FieldChanged(TField& field);
  // Calculated-field values in a buffer's calculated-field area.
  bool ReadCalcField(const char* calc_area, const TField& field, Variant& value) const;
  void WriteCalcField(char* calc_area, const TField& field, const Variant& value) const;
  // Fields from the definitions (default fields); field numbers from the
  // definitions; calculated-field offsets and CalcFieldsSize.
  void CreateFields();
  void BindFields(bool binding);
  void DestroyFields();
  // Definitions rebuilt from the data fields (datasets that own their structure).
  void InitFieldDefsFromFields();
  void SetBookmarkSize(int size) { bookmark_size_ = size; }
  void SetFound(bool found) { found_ = found; }
  // Temporarily enters a state without events (filter tests, calculations);
  // returns the previous state for RestoreState.
  TDataSetState SetTempState(TDataSetState state);
  void RestoreState(TDataSetState state) { state_ = state; }
  // The cursor no longer sits on the active record / bring it back there.
  void CursorPosChanged() { cursor_synced_ = false; }
  void UpdateCursorPos();
  // Forgets the records held in the buffers (the dataset looks empty until the next fetch).
  void ClearBuffers();
  void CheckActive() const;
  void CheckInactive() const;
  // True when every key field matches its key value (Locate's rules).
  bool RecordMatchesKeys(const std::vector<TField*>& fields, const Variant& key_values, TLocateOptions options) const;
  void DoBeforeScroll();
  void DoAfterScroll();

 private:
  void SetState(TDataSetState state);
  void AllocateBuffers();
  void FreeBuffers();
  // Fetches into the temporary buffer and makes it the active one on success.
  bool FetchRecord(TGetMode mode);
  // Runs op and lets the error event retry, abort or fail it.
  void CheckOperation(const std::function<void()>& op, const TDataSetErrorEvent& on_error);
  void BeginInsertAppend();
  void EndInsertAppend();
  void CheckRequiredFields();
  void FreeFieldBuffers();
  void CalculateLookupField(TField& field);
  // Scans from the first record for one that matches; leaves it active.
  bool ScanForKeys(const std::vector<TField*>& fields, const Variant& key_values, TLocateOptions options);
  // Goes back to the bookmarked record (to a neighbour without a bookmark).
  void ReturnToBookmark(const TBookmark& bookmark);
  void Notify(TDataSetNotifyEvent& event) {
    if (event) event(*this);
  }

  friend class TDataLink;
  void AddLink(TDataLink* link);
  void RemoveLink(TDataLink* link);

  TDataSetState state_ = dsInactive;
  TFieldDefs field_defs_;
  TFields fields_;
  bool default_fields_ = false;
  int calc_fields_size_ = 0;
  int bookmark_size_ = 0;
  TRecordBuffer active_buffer_ = nullptr;
  TRecordBuffer temp_buffer_ = nullptr;
  TRecordBuffer calc_buffer_ = nullptr;
  bool has_record_ = false;     // the active buffer holds a record
  bool cursor_synced_ = true;   // the cursor sits where the active record was read
  bool bof_ = true, eof_ = true;
  bool modified_ = false;
  bool found_ = false;
  bool auto_calc_fields_ = true;
  std::string filter_text_;
  bool filtered_ = false;
  TFilterOptions filter_options_;
  TFilterRecordEvent on_filter_record_;
  int disable_count_ = 0;
  unsigned held_events_ = 0;  // bit per TDataEvent held back while disabled
  std::vector<TDataLink*> links_;
};

}  // namespace zarn
