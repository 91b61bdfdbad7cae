// TDsCustomMemTable: a dataset whose rows live only in memory. Besides the
// dataset behaviour it shares with the DBF table (navigation, editing,
// bookmarks, blobs, filtering) it copies rows in from any dataset and out
// into any dataset, sorts its rows on fields, and finds rows by key values.
// Each row is a TMemoryRecord in one ordered list; moving, inserting and
// sorting rows moves references only. Grids read the rows through the row
// interface without moving the cursor.
//
// Record buffer, sections in this order: the row data block; the calculated
// field area; the bookmark information (record id, bookmark flag); then the
// blob texts and the variant values of the buffer's row.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/memtable/db_filter.h"
#include "dbf/memtable/memory_record.h"
#include "dbf/memtable/row_layout.h"
#include "platform/dataset/dataset.h"

namespace zarn {

enum TCopyMode { cmReplace, cmAppend };

class TMemBlobStream;

class TDsCustomMemTable : public TDataSet {
 public:
  TDsCustomMemTable();
  ~TDsCustomMemTable() override;

  // --- operations of the memory table ---

  // Copies the rows that `source` shows into this table and returns their
  // number. cmReplace takes the source's structure and replaces all rows;
  // cmAppend keeps structure and rows and appends. A limit <= 0 copies every
  // row from the source's first; a positive limit copies at most that many
  // from the source's current row. Copying from this table copies nothing.
  // The source is left open or closed as it was found.
  int32_t CopyFromDataSet(TDataSet& source, int32_t limit, TCopyMode mode);
  // Appends this table's rows to `destination` (opened when closed) and
  // returns their number; the limit works as in CopyFromDataSet.
  int32_t CopyToDataSet(TDataSet& destination, int32_t limit);
  // Adopts the field definitions of `source` (nullptr: none) without the
  // types a memory table cannot hold, and makes field objects from them.
  // Raises "Cannot perform this operation on an open dataset" when open.
  void CopyStructureFrom(TDataSet* source);
  // Sorts the rows on the fields named in the semicolon-separated list; ties
  // keep creation order. A name that is no field raises the field lookup's
  // error, a field that is not a slotted data field raises a type mismatch;
  // either drops the key list and leaves the order as it was.
  void SortByFields(std::string_view field_names, bool case_insensitive = false, bool descending = false);
  // Sorts again on the current key list and flags (open table with rows only).
  void Resort();
  // Copies the values of the current record of `source` into the current
  // record of `destination`, which must be in edit, insert or set-key state.
  static void AssignRecordValues(TDataSet& source, TDataSet& destination, bool by_name);

  // The reserved room of the row list.
  int Capacity() const { return static_cast<int>(rows_.capacity()); }
  void SetCapacity(int capacity);

  // --- filter properties: applied at once while open ---
  void SetFilterText(const std::string& text) override;
  void SetFiltered(bool value) override;
  void SetFilterOptions(TFilterOptions options) override;
  void SetOnFilterRecord(TFilterRecordEvent handler) override;

  // --- dataset behaviour ---
  bool GetFieldData(const TField& field, Variant& value) override;
  void SetFieldData(TField& field, const Variant& value) override;
  std::unique_ptr<TStream> CreateBlobStream(TField& field, TBlobStreamMode mode) override;
  void CloseBlob(TField& field) override;
  bool BookmarkValid(const TBookmark& bookmark) override;
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) override;
  // Moves to the row numbered rec_no (from 1); other numbers are ignored.
  void SetRecNo(int rec_no) override;
  // Record numbers mean physical rows only while no filter is on.
  bool IsSequenced() const { return !Filtered(); }

  // --- row interface for grids (the rows that the filter shows) ---
  int RowCount() override;
  Variant RowValue(int row, const TField& field) override;
  int CurrentRow() override;
  void GotoRow(int row) override;
  void SortRows(TField& field, bool descending) override;

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
  void InternalGotoBookmark(const char* bookmark) override;
  void InternalSetToRecord(TRecordBuffer buffer) override;
  void GetBookmarkData(TRecordBuffer buffer, char* data) override;
  void SetBookmarkData(TRecordBuffer buffer, const char* data) override;
  TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) override;
  void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) override;
  bool IsCursorOpen() const override { return cursor_open_; }
  void ClearCalcFields(TRecordBuffer buffer) override;
  int GetRecNo() override;
  int GetRecordCount() override { return static_cast<int>(rows_.size()); }

 private:
  friend class TMemBlobStream;
  static constexpr int32_t kNoRecordId = std::numeric_limits<int32_t>::min();

  // The bookmark information section of a record buffer.
  struct BookmarkInfo {
    int32_t id;
    int32_t flag;
  };

  // --- record buffers ---
  BookmarkInfo& InfoOf(TRecordBuffer buffer) const;
  std::string* BlobsOf(TRecordBuffer buffer) const;
  Variant* VariantsOf(TRecordBuffer buffer) const;
  // Copies a stored row into a buffer (data block, bookmark, blob texts,
  // variants) and back.
  void RowToBuffer(const TMemoryRecord& row, TRecordBuffer buffer) const;
  void BufferToRow(TRecordBuffer buffer, TMemoryRecord& row) const;
  // A new row filled from the buffer, with the next record id.
  TMemoryRecord::Ptr NewRowFrom(TRecordBuffer buffer);
  // Gives every data field of type ftAutoInc the next value in a data block
  // (a record buffer's or a row's).
  void FillAutoIncFields(char* data);
  // Raises "Dataset not in edit or insert mode" in the filter state.
  void CheckNotFiltering() const;
  const TMemFieldPlace* PlaceOf(const TField& field) const;
  // Numbers the data fields by their flattened definitions and finds their
  // places; once per opening.
  void BindPlaces();
  // Rebuilds the definitions from the field objects, keeping the precision
  // and attributes of definitions that were there under the same name.
  void DefsFromFields();

  // --- filter ---
  // The row at the position passes the filter expression and OnFilterRecord.
  bool RecordPassesFilter();
  bool RowAccepted() { return !Filtered() || RecordPassesFilter(); }
  // The apply step with the given values in place of the stored ones.
  void ApplyFilter(const std::string& text, TFilterOptions options, bool on);
  int IndexOfId(int32_t id) const;
  // The indices of the rows the filter shows, made when first asked for.
  const std::vector<int>& VisibleRows();
  void RowsChanged() { visible_rows_.reset(); }

  // --- sort ---
  void DropSortKeys();

  // --- copy ---
  void RemoveUnsupportedDefs(TFieldDefs& defs);
  // True when a row stored straight into the row list is indistinguishable
  // from one added through Append, field writes and Post (or cancelled when
  // it fails): no dataset event that those raise is set, and no field of
  // this table is calculated, read only, required, or has a validation or
  // change handler.
  bool CanAppendRowsDirectly() const;
  // The copy loop of CopyFromDataSet for such a table: each row of `source`
  // from its current one (at most `limit`) is converted field by field as
  // the fields' writes convert, given the next record id and auto-increment
  // value, and added at the end. A row whose conversion fails is not added.
  // `from_first`: the source was just moved to its first row.
  int32_t AppendRowsDirectly(TDataSet& source, int32_t limit, bool from_first);

  std::vector<TMemoryRecord::Ptr> rows_;
  TMemRowLayout layout_;
  int position_ = -1;
  int32_t last_id_ = kNoRecordId;
  int32_t auto_inc_ = 1;
  bool cursor_open_ = false;
  // Record buffer sections: calculated area, bookmark information, blob
  // texts, variants, and the whole size.
  int calc_start_ = 0, bookmark_start_ = 0, blobs_start_ = 0, variants_start_ = 0, buffer_size_ = 0;
  // Data fields by their field number - 1: their place in a row.
  std::vector<const TMemFieldPlace*> places_by_number_;
  // The places of the data fields of type ftAutoInc.
  std::vector<const TMemFieldPlace*> auto_inc_places_;

  TDsDbFilter filter_;
  std::optional<std::vector<int>> visible_rows_;

  std::optional<std::vector<TField*>> sort_keys_;
  bool sort_case_insensitive_ = false;
  bool sort_descending_ = false;
};

}  // namespace zarn
