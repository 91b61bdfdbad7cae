#include "dbf/dbf_table/ds_database.h"

#include <algorithm>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/dbf_table_errors.h"
#include "platform/dataset/errors.h"

namespace zarn {

TDsDatabase::~TDsDatabase() {
  try {
    SetConnected(false);
  } catch (...) {
    HandleCurrentException();
  }
  const std::vector<TDsDbfTable*> tables = tables_;
  tables_.clear();
  for (TDsDbfTable* table : tables) table->DatabaseDestroyed();
}

void TDsDatabase::SetConnected(bool connected) {
  if (connected == Connected()) return;
  if (connected) {
    if (database_name_.empty()) DatabaseError(kSDatabaseNameMissing);
    Notify(BeforeConnect);
    handle_ = std::make_unique<TDsDbHandle>(database_name_);
    Notify(AfterConnect);
    return;
  }
  Notify(BeforeDisconnect);
  const std::vector<TDsDbfTable*> tables = tables_;  // closing never unregisters, but be safe
  for (TDsDbfTable* table : tables) table->Close();
  handle_.reset();
  Notify(AfterDisconnect);
}

void TDsDatabase::SetDatabaseName(std::string name) {
  database_name_ = std::move(name);
  if (handle_) handle_->SetFolder(database_name_);
}

void TDsDatabase::SetExclusive(bool exclusive) {
  if (exclusive == exclusive_) return;
  SetConnected(false);
  exclusive_ = exclusive;
}

void TDsDatabase::SetReadOnly(bool read_only) {
  if (read_only == read_only_) return;
  SetConnected(false);
  read_only_ = read_only;
}

void TDsDatabase::RegisterTable(TDsDbfTable* table) {
  if (std::find(tables_.begin(), tables_.end(), table) == tables_.end()) tables_.push_back(table);
}

void TDsDatabase::UnregisterTable(TDsDbfTable* table) {
  tables_.erase(std::remove(tables_.begin(), tables_.end(), table), tables_.end());
}

}  // namespace zarn
