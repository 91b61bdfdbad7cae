// TDsDatabase names a data folder and groups the DBF tables in it. While
// connected it owns a TDsDbHandle, the folder's connection object; its
// Exclusive and ReadOnly flags force the same flags on every table of the
// folder.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zarn {

class TDsDbfTable;

// The connection object of a connected data folder: a copy of its name.
class TDsDbHandle {
 public:
  explicit TDsDbHandle(std::string folder) : folder_(std::move(folder)) {}
  const std::string& Folder() const { return folder_; }
  void SetFolder(std::string folder) { folder_ = std::move(folder); }

 private:
  std::string folder_;
};

class TDsDatabase {
 public:
  using TNotifyEvent = std::function<void(TDsDatabase&)>;
  using TLoginEvent = std::function<void(TDsDatabase&)>;

  TDsDatabase() = default;
  TDsDatabase(const TDsDatabase&) = delete;
  TDsDatabase& operator=(const TDsDatabase&) = delete;
  // Disconnects (closing the tables) and tells each table that the folder is
  // gone, so that none keeps a dangling Database.
  ~TDsDatabase();

  bool Connected() const { return handle_ != nullptr; }
  // Connecting with an empty DatabaseName raises "Database name missing";
  // disconnecting closes every table of the folder first.
  void SetConnected(bool connected);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }

  const std::string& DatabaseName() const { return database_name_; }
  void SetDatabaseName(std::string name);
  bool Exclusive() const { return exclusive_; }
  // A changed value disconnects first, so the tables reopen under it.
  void SetExclusive(bool exclusive);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);

  // The connection object, null while disconnected.
  const TDsDbHandle* Handle() const { return handle_.get(); }
  const std::vector<TDsDbfTable*>& Tables() const { return tables_; }

  TNotifyEvent BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;
  TLoginEvent OnLogin;

 private:
  friend class TDsDbfTable;
  void RegisterTable(TDsDbfTable* table);
  void UnregisterTable(TDsDbfTable* table);
  void Notify(TNotifyEvent& event) {
    if (event) event(*this);
  }

  std::string database_name_;
  bool exclusive_ = false;
  bool read_only_ = false;
  std::unique_ptr<TDsDbHandle> handle_;
  std::vector<TDsDbfTable*> tables_;
};

}  // namespace zarn
