// FtpClient is one FTP session with an update server, built on libcurl: log
// in, send commands whose replies do not matter, and download files in binary
// into local files. Every step waits for its end on the calling thread, calls
// the keep-alive callback about ten times a second meanwhile (so a window can
// go on processing its messages) and gives up after the step time limit.
// TLS is used when the server offers it; plain FTP otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zarn {

// The longest time one step of an update check may take, connection set-up
// included.
inline constexpr long kFtpStepTimeoutSeconds = 15;

struct FtpSettings {
  std::string host;
  std::string port = "21";  // decimal text, as kept in the settings file
  std::string user;
  std::string password;
  bool passive = true;
  // Local address to bind the connections to; empty or "255.255.255.255"
  // (the workstation's address is unknown) leaves the choice to the system.
  std::string local_address;
  long step_timeout_seconds = kFtpStepTimeoutSeconds;
};

class FtpClient {
 public:
  // keep_alive may be empty; when it returns false (the application is
  // ending) the running step is abandoned and counts as failed.
  FtpClient(FtpSettings settings, std::function<bool()> keep_alive);
  ~FtpClient();
  FtpClient(const FtpClient&) = delete;
  FtpClient& operator=(const FtpClient&) = delete;

  // Opens the control connection and logs in. Returns whether both worked.
  bool Connect();

  // Sends "CWD folder" and remembers the folder: later downloads name their
  // files relative to it. The reply is ignored; a folder that does not exist
  // shows as a failure of the next download.
  void ChangeDir(const std::string& folder);

  // Sends one raw command (for example "TYPE I") and ignores its reply.
  void SendIgnoringReply(const std::string& command);

  // Downloads remote_name from the current folder into local_path in binary,
  // replacing the file. A file longer than max_bytes (when not 0) fails the
  // download as soon as the limit is passed, so a small file expected from a
  // broken or hostile server cannot fill the disk. Returns false on any
  // failure, and then leaves no local file behind (a partial copy would pass
  // for a whole one).
  bool Download(const std::string& remote_name, const std::string& local_path, uint64_t max_bytes = 0);

  // Ends the session: any transfer stops and the control and data
  // connections close (libcurl says QUIT on a control connection that is
  // still up). The client can log in again with Connect.
  void Abort();

 private:
  struct Session;

  std::string Url(const std::string& path) const;
  void ApplySettings(void* easy) const;
  bool RunStep(void* easy);

  FtpSettings settings_;
  std::function<bool()> keep_alive_;
  std::string folder_;
  Session* session_ = nullptr;
};

}  // namespace zarn
