// TDsDbfTable is one DBF table of a data folder as a dataset. It opens the
// file through the table function layer, makes field definitions from the
// DBF fields, keeps the DBF record image as its record buffer, navigates,
// posts, appends and deletes, locates records through the handle's
// evaluator, filters with the expression language, creates new tables from
// field definitions and empties tables. Grids read its rows through the row
// interface, served from a cache of record numbers and record images, so
// moving the selection does not re-read the file.
//
// Record buffer, in this order: the DBF record image (deletion flag first);
// the calculated-field area; one text slot per blob field (the blob cache);
// the record info (record number, status, bookmark flag); the bookmark (the
// record number, 4 bytes).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/dbf_table/ds_database.h"
#include "dbf/dbf_table/row_cache.h"
#include "dbf/table_api.h"
#include "platform/dataset/dataset.h"

namespace zarn {

class TBlobStream;

class TDsDbfTable : public TDataSet {
 public:
  TDsDbfTable() = default;
  ~TDsDbfTable() override;

  // --- properties; those marked "closed" raise on an open table ---
  TDsDatabase* Database() const { return database_; }
  void SetDatabase(TDsDatabase* database);  // closed
  const std::string& TableName() const { return table_name_; }
  void SetTableName(std::string name);  // closed
  bool Exclusive() const { return exclusive_; }
  void SetExclusive(bool exclusive);  // closed; forced on by the folder's flag
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);  // closed; forced on by the folder's flag
  int BufferRecords() const { return buffer_records_; }
  void SetBufferRecords(int records);  // closed; values below 1 are ignored
  bool ShowDeleted() const { return show_deleted_; }
  void SetShowDeleted(bool show);  // open: the records are read again
  CP_TYPE CodePage() const { return code_page_; }
  void SetCodePage(CP_TYPE code_page);  // open: the dataset is refreshed
  // The file of the table: folder + table name with ".dbf".
  std::string TablePathName() const;

  // --- operations ---
  // Creates (replaces) the file from FieldDefs (from the persistent fields
  // when there are no definitions): table level 4, CodePage. The table must
  // be closed; Database and TableName must be set. Types a new table cannot
  // hold raise "Invalid field type" before the file is touched.
  void CreateTable();
  // Cuts the open table to no records; needs Exclusive and not ReadOnly
  // ("Table is busy", "Table is read only"). Does nothing while closed.
  void EmptyTable();
  // Finds the first visible record whose key fields equal the key values
  // (through the handle's expression evaluator) and makes it current.
  // Names that are not fields are skipped; values that do not fit the key
  // fields count as not found. A pending edit is posted first.
  bool Locate(std::string_view key_fields, const Variant& key_values, TLocateOptions options) override;
  // Locate without options; the values of result_fields of the record found
  // (an array for several), null when none is found. The cursor stays on the
  // record found.
  Variant Lookup(std::string_view key_fields, const Variant& key_values, std::string_view result_fields) override;
  bool IsSequenced() const { return false; }
  // The table handle, null while closed.
  TDbfHandle* Handle() const { return handle_.get(); }

  // --- filter properties: applied at once while open ---
  void SetFilterText(const std::string& text) override;
  void SetFiltered(bool value) override;
  void SetFilterOptions(TFilterOptions options) override;

  // --- dataset behaviour ---
  bool CanModify() const override { return !EffectiveReadOnly(); }
  void SetRecNo(int rec_no) override;
  bool BookmarkValid(const TBookmark& bookmark) override;
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) override;
  bool GetFieldData(const TField& field, Variant& value) override;
  void SetFieldData(TField& field, const Variant& value) override;
  std::unique_ptr<TStream> CreateBlobStream(TField& field, TBlobStreamMode mode) override;
  void CloseBlob(TField& field) override;
  // Re-reads the current record into buffer; false for an empty table or
  // when the active buffer holds no current record.
  bool GetCurrentRecord(TRecordBuffer buffer);

  // --- row interface for grids: the records the cursor would visit ---
  int RowCount() override;
  Variant RowValue(int row, const TField& field) override;
  int CurrentRow() override;
  void GotoRow(int row) override;

 protected:
  TRecordBuffer AllocRecordBuffer() override;
  void FreeRecordBuffer(TRecordBuffer& buffer) override;
  TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool check) override;
  void InternalInitFieldDefs() override;
  void OpenCursor(bool info_query) override;
  void InternalOpen() override;
  void InternalClose() override;
  void InternalFirst() override;
  void InternalLast() override;
  void InternalPost() override;
  void InternalDelete() override;
  void InternalAddRecord(TRecordBuffer buffer, bool append) override;
  void InternalInitRecord(TRecordBuffer buffer) override;
  void InternalInsert() override { CursorPosChanged(); }
  void InternalRefresh() override { rows_.Invalidate(); }
  void InternalGotoBookmark(const char* bookmark) override;
  void InternalSetToRecord(TRecordBuffer buffer) override;
  void GetBookmarkData(TRecordBuffer buffer, char* data) override;
  void SetBookmarkData(TRecordBuffer buffer, const char* data) override;
  TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) override;
  void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) override;
  bool IsCursorOpen() const override { return handle_ != nullptr; }
  void ClearCalcFields(TRecordBuffer buffer) override;
  int GetRecNo() override;
  int GetRecordCount() override;
  bool FindRecord(bool restart, bool go_forward) override;

 private:
  friend class TDsDatabase;
  friend class TBlobStream;

  // The record info section of a record buffer.
  struct RecordInfo {
    int32_t record_no;
    uint8_t status;  // 0 live, 3 deleted, 2 new
    uint8_t flag;    // TBookmarkFlag
  };
  static constexpr uint8_t kStatusNew = 2;

  // The folder was destroyed: the table forgets it.
  void DatabaseDestroyed();
  // Raises for a missing Database or TableName.
  void CheckTableProperties() const;
  bool EffectiveExclusive() const { return exclusive_ || (database_ && database_->Exclusive()); }
  bool EffectiveReadOnly() const { return read_only_ || (database_ && database_->ReadOnly()); }
  TDbfOpenOptions OpenOptions() const;
  // Buffer sections.
  RecordInfo& InfoOf(TRecordBuffer buffer) const;
  std::string* BlobSlotsOf(TRecordBuffer buffer) const;
  std::string* BlobSlotOf(TRecordBuffer buffer, const TField& field) const;
  void ClearBlobSlots(TRecordBuffer buffer) const;
  // Computes the section offsets for the bound fields; once per opening.
  void ComputeBufferLayout();
  // The apply step: the handle's filter from the given values, then the
  // first record when the table is browsing. A refused text raises "Invalid
  // filter expression." and keeps the filter in force.
  void ApplyFilter(const std::string& text, TFilterOptions options, bool on);
  // Reads the handle's read result into a buffer's sections.
  TGetResult FinishRead(int code, TRecordBuffer buffer, const TDbfRecordInfo& info, bool check);
  // Resynchronises on the record the handle stands on, with the scroll events.
  void ScrollToHandleRecord();

  TDsDatabase* database_ = nullptr;
  std::string table_name_;
  bool exclusive_ = false;
  bool read_only_ = false;
  int buffer_records_ = 10;
  bool show_deleted_ = false;
  CP_TYPE code_page_ = ascii_ANSI;
  TDbfHandlePtr handle_;

  // Buffer layout.
  int record_size_ = 0;
  int calc_start_ = 0, blobs_start_ = 0, info_start_ = 0, bookmark_start_ = 0, buffer_size_ = 0;
  // Blob slot index by field number - 1 (-1 for fields without a slot).
  std::vector<int> blob_slot_by_field_no_;
  int blob_count_ = 0;

  TDbfRowCache rows_;
};

}  // namespace zarn
