// TDsDbfTable: creating a table file from field definitions and emptying
// an open table.
#include "dbf/dbf_table/dbf_field_defs.h"
#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/dbf_table_errors.h"
#include "dbf/errors.h"

namespace zarn {
namespace {

// New tables are dBASE IV tables.
constexpr int16_t kNewTableLevel = 4;

}  // namespace

void TDsDbfTable::CreateTable() {
  CheckTableProperties();
  CheckInactive();
  if (FieldDefs().Count() == 0) InitFieldDefsFromFields();
  // Checked first, so that a refused definition leaves an existing file whole.
  CheckCreatableDefs(FieldDefs());
  TDbfOpenOptions options;
  options.create = true;
  options.table_level = kNewTableLevel;
  options.code_page = code_page_;
  TDbfHandlePtr creator = std::make_unique<TDbfHandle>(TablePathName(), false, true, &options);
  DefineDbfFields(creator.get(), FieldDefs());
  const int code = WriteNewTable(creator.get());
  CloseTable(&creator);
  CheckDbfCode(code);
}

void TDsDbfTable::EmptyTable() {
  if (!Active()) return;
  CheckBrowseMode();
  CheckDbfCode(zarn::EmptyTable(handle_.get()));
  rows_.Invalidate();
  ClearBuffers();
  DataEvent(deDataSetChange);
}

}  // namespace zarn
