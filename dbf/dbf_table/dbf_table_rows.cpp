// TDsDbfTable: the row interface that grids read, served by the row cache.
#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/dbf_table_errors.h"
#include "dbf/dbf_table/record_value.h"

namespace zarn {

int TDsDbfTable::RowCount() {
  if (!handle_) return 0;
  return rows_.Count(handle_.get());
}

Variant TDsDbfTable::RowValue(int row, const TField& field) {
  const char* image = rows_.Image(handle_.get(), row);
  Variant value;
  if (IsBlobType(field.DataType())) {
    std::string text;
    CheckDbfCode(ReadMemoText(handle_.get(), field.FieldNo(), image, &text));
    if (text.empty()) return Variant::Null();
    return field.DataType() == ftMemo || field.DataType() == ftFmtMemo ? Variant(std::move(text))
                                                                       : Variant::FromBytes(std::move(text));
  }
  return ReadRecordValue(handle_.get(), field.FieldNo(), image, &value) ? value : Variant::Null();
}

int TDsDbfTable::CurrentRow() {
  if (!handle_ || IsEmpty() || State() == dsInsert) return -1;
  const RecordInfo& info = InfoOf(ActiveBuffer());
  if (info.flag != bfCurrent) return -1;
  return rows_.RowOf(handle_.get(), info.record_no);
}

void TDsDbfTable::GotoRow(int row) {
  CheckBrowseMode();
  const int32_t record_no = rows_.RecordNoOf(handle_.get(), row);
  DoBeforeScroll();
  SetPosition(handle_.get(), record_no);
  Resync(false);
  DoAfterScroll();
}

}  // namespace zarn
