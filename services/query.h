// TServerQuery is a read-only dataset over the rows of one statement sent to
// the server. Opening runs the statement and reads every row at once, each
// value decoded into its field's kind, so moving through the records, and a
// grid reading any row, never goes back to the server. A work query is used
// over and over: set the text, open (or ExecSQL a statement without rows),
// close, clear.
#pragma once

#include <string>
#include <vector>

#include "platform/dataset/dataset.h"
#include "services/connection.h"
#include "services/query_result.h"

namespace zarn {

class TServerQuery : public TDataSet {
 public:
  explicit TServerQuery(TServerConnection& connection) : connection_(connection) {}
  ~TServerQuery() override;

  TServerConnection& Connection() const { return connection_; }

  // The statement, line by line.
  std::vector<std::string>& SQL() { return sql_; }
  // The lines joined by line breaks.
  std::string Text() const;
  // Replaces the statement by one text.
  void SetText(std::string text);
  // Forgets the statement (the query must be closed first to reuse it).
  void Clear() { sql_.clear(); }

  // Runs the statement as one that returns no rows; returns the rows it
  // changed. The query itself stays closed.
  uint64_t ExecSQL();

  // The longest value in bytes of the field's column in the open result.
  unsigned long LongestValue(const TField& field) const;

  bool CanModify() const override { return false; }

  int RowCount() override { return static_cast<int>(result_.RowCount()); }
  Variant RowValue(int row, const TField& field) override;
  int CurrentRow() override;
  void GotoRow(int row) override;
  void SetRecNo(int rec_no) override { GotoRow(rec_no - 1); }

  bool GetFieldData(const TField& field, Variant& value) override;
  // Only calculated fields take values; data fields are read-only.
  void SetFieldData(TField& field, const Variant& value) override;
  std::unique_ptr<TStream> CreateBlobStream(TField& field, TBlobStreamMode mode) override;

 protected:
  TRecordBuffer AllocRecordBuffer() override;
  void FreeRecordBuffer(TRecordBuffer& buffer) override;
  TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool check) override;
  void InternalInitFieldDefs() override;
  void InternalOpen() override;
  void InternalClose() override;
  void InternalFirst() override { cursor_ = -1; }
  void InternalLast() override { cursor_ = RowCount(); }
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
  bool IsCursorOpen() const override { return open_; }
  void ClearCalcFields(TRecordBuffer buffer) override;
  int GetRecNo() override;
  int GetRecordCount() override { return RowCount(); }

 private:
  // A record buffer: the row it shows, then the calculated-field area.
  struct RecordHeader {
    int row;
    TBookmarkFlag flag;
  };
  static RecordHeader& Header(TRecordBuffer buffer) { return *reinterpret_cast<RecordHeader*>(buffer); }
  static char* CalcArea(TRecordBuffer buffer) { return buffer + sizeof(RecordHeader); }

  // Field definitions, one per result column, in column order.
  void DefineFields(const QueryResult& result);

  TServerConnection& connection_;
  std::vector<std::string> sql_;
  QueryResult result_;
  bool open_ = false;
  int cursor_ = -1;  // row under the cursor; -1 before the first, RowCount() after the last
};

}  // namespace zarn
