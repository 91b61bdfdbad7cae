// TServerConnection is the programs' one session with the central database
// server: the address it connects to, the connected state, and the statements
// sent over it. Every failure is raised as EServerError with the server's (or
// the client library's) message; a session that the server dropped is closed
// at once, so that no later call works on a dead handle.
#pragma once

#include <mysql.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dataset/errors.h"
#include "services/query_result.h"

namespace zarn {

// A failure of the server link, a database error like those of the datasets.
// what() is the message to show; Code() the server's or client library's
// error number (0 for the link's own checks).
class EServerError : public EDatabaseError {
 public:
  EServerError(unsigned code, const std::string& message) : EDatabaseError(message), code_(code) {}
  unsigned Code() const { return code_; }

 private:
  unsigned code_;
};

// Where and how to connect. A change takes effect at the next Connect().
struct TConnectionSettings {
  std::string HostName = "localhost";
  int Port = 3306;
  std::string User;
  std::string Password;
  std::string Database;
  bool Compress = false;           // compressed protocol (the updater asks for it)
  unsigned ConnectTimeoutSeconds = 15;
};

// The port of a decimal text such as "3306" from the settings. Raises
// EConvertError for anything that is not a whole number from 0 to 65535.
int PortFromText(std::string_view text);

class TServerConnection {
 public:
  TServerConnection() = default;
  ~TServerConnection();
  TServerConnection(const TServerConnection&) = delete;
  TServerConnection& operator=(const TServerConnection&) = delete;

  TConnectionSettings& Settings() { return settings_; }
  const TConnectionSettings& Settings() const { return settings_; }

  // Opens the session with the current settings: text in Windows-1250,
  // AutoCommit on. Does nothing when already connected. On failure raises
  // EServerError and stays disconnected.
  void Connect();
  // Closes the session; harmless when not connected.
  void Disconnect();
  bool Connected() const { return handle_ != nullptr; }

  // The two statements every session runs right after connecting: an empty
  // sql_mode and the Windows-1250 character set.
  void RunConnectionSetup();

  // Runs one statement that returns no rows (rows it does return are read and
  // dropped) and returns the number of rows it changed.
  uint64_t Execute(std::string_view sql);
  // Runs one statement that returns rows and reads them all into memory,
  // each value decoded once. A statement without rows raises EServerError,
  // and so does a result that breaks off on the way.
  QueryResult Query(std::string_view sql);

  // The server's id of this session (as KILL takes it).
  unsigned long ServerThreadId() const;

 private:
  void Send(std::string_view sql);
  [[noreturn]] void RaiseLastError();
  void RequireConnected() const;

  TConnectionSettings settings_;
  MYSQL* handle_ = nullptr;
};

}  // namespace zarn
