#include "services/connection.h"

#include <errmsg.h>

#include <charconv>
#include <memory>

#include "platform/win1250.h"

namespace zarn {
namespace {

// Client errors after which the session is gone for good.
bool IsConnectionLost(unsigned code) {
  return code == CR_SERVER_GONE_ERROR || code == CR_SERVER_LOST || code == CR_SERVER_LOST_EXTENDED ||
         code == CR_CONNECTION_ERROR || code == CR_CONN_HOST_ERROR;
}

struct ResultDeleter {
  void operator()(MYSQL_RES* result) const { mysql_free_result(result); }
};
using ResultHandle = std::unique_ptr<MYSQL_RES, ResultDeleter>;

}  // namespace

int PortFromText(std::string_view text) {
  int port = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535) {
    throw EConvertError(Utf8ToWin1250("Port '") + std::string(text) + Utf8ToWin1250("' není platné celé číslo."));
  }
  return port;
}

TServerConnection::~TServerConnection() { Disconnect(); }

void TServerConnection::Connect() {
  if (Connected()) return;
  MYSQL* handle = mysql_init(nullptr);
  if (handle == nullptr) throw EServerError(CR_OUT_OF_MEMORY, Utf8ToWin1250("Nedostatek paměti pro spojení se serverem."));
  mysql_optionsv(handle, MYSQL_SET_CHARSET_NAME, "cp1250");
  mysql_optionsv(handle, MYSQL_OPT_CONNECT_TIMEOUT, &settings_.ConnectTimeoutSeconds);
  if (settings_.Compress) mysql_optionsv(handle, MYSQL_OPT_COMPRESS, nullptr);
  const TConnectionSettings& s = settings_;
  if (mysql_real_connect(handle, s.HostName.c_str(), s.User.c_str(), s.Password.c_str(), s.Database.c_str(),
                         static_cast<unsigned>(s.Port), nullptr, 0) == nullptr ||
      mysql_autocommit(handle, 1) != 0) {
    const EServerError error(mysql_errno(handle), mysql_error(handle));
    mysql_close(handle);
    throw error;
  }
  handle_ = handle;
}

void TServerConnection::Disconnect() {
  if (handle_ == nullptr) return;
  mysql_close(handle_);
  handle_ = nullptr;
}

void TServerConnection::RunConnectionSetup() {
  Execute("set @@session.sql_mode=\"\"");
  Execute("SET names cp1250;");
}

uint64_t TServerConnection::Execute(std::string_view sql) {
  Send(sql);
  if (mysql_field_count(handle_) != 0) {
    ResultHandle rows(mysql_store_result(handle_));
    if (!rows) RaiseLastError();
    return mysql_num_rows(rows.get());
  }
  return mysql_affected_rows(handle_);
}

// Reads the rows as the server streams them rather than storing the raw
// result first: the decoded copy is the only one held, and the rows are
// decoded while the next ones arrive.
QueryResult TServerConnection::Query(std::string_view sql) {
  Send(sql);
  ResultHandle rows(mysql_use_result(handle_));
  if (!rows) {
    if (mysql_field_count(handle_) != 0) RaiseLastError();
    throw EServerError(0, Utf8ToWin1250("Příkaz nevrátil žádná data: ") + std::string(sql));
  }
  QueryResult result(rows.get());
  if (mysql_errno(handle_) != 0) RaiseLastError();
  return result;
}

unsigned long TServerConnection::ServerThreadId() const {
  RequireConnected();
  return mysql_thread_id(handle_);
}

void TServerConnection::Send(std::string_view sql) {
  RequireConnected();
  if (mysql_real_query(handle_, sql.data(), sql.size()) != 0) RaiseLastError();
}

// Raises the session's last error; a lost session is closed first, so the
// caller sees a disconnected link and can connect again.
void TServerConnection::RaiseLastError() {
  const EServerError error(mysql_errno(handle_), mysql_error(handle_));
  if (IsConnectionLost(error.Code())) Disconnect();
  throw error;
}

void TServerConnection::RequireConnected() const {
  if (!Connected()) throw EServerError(0, Utf8ToWin1250("Spojení se serverem není otevřeno."));
}

}  // namespace zarn
