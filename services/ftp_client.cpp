#include "services/ftp_client.h"

#include <curl/curl.h>

#include <cstdio>
#include <filesystem>
#include <utility>

namespace zarn {
namespace {

// How long one wait for network activity may last before the keep-alive
// callback runs again.
constexpr int kKeepAlivePollMs = 100;

const char kUnknownAddress[] = "255.255.255.255";

// libcurl's global state is set up once for the process and never torn down:
// the programs may run a check at any time until they end.
void EnsureCurlInitialised() {
  static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)initialised;
}

// The local file of one download and how much of it may arrive.
struct DownloadTarget {
  FILE* file;
  uint64_t written = 0;
  uint64_t max_bytes = 0;  // 0: no limit
};

// Returning less than was handed over makes libcurl fail the transfer.
size_t WriteToFile(char* data, size_t size, size_t count, void* target_pointer) {
  auto* target = static_cast<DownloadTarget*>(target_pointer);
  const size_t bytes = size * count;
  if (target->max_bytes != 0 && target->written + bytes > target->max_bytes) return 0;
  target->written += bytes;
  return std::fwrite(data, 1, bytes, target->file);
}

}  // namespace

// The easy handle carries one step at a time; the multi handle lets the
// caller's loop run between network events and keeps the logged-in control
// connection in its pool from one step to the next.
struct FtpClient::Session {
  CURLM* multi = curl_multi_init();
  CURL* easy = curl_easy_init();
  ~Session() {
    curl_easy_cleanup(easy);
    curl_multi_cleanup(multi);
  }
};

FtpClient::FtpClient(FtpSettings settings, std::function<bool()> keep_alive)
    : settings_(std::move(settings)), keep_alive_(std::move(keep_alive)) {
  EnsureCurlInitialised();
}

FtpClient::~FtpClient() { Abort(); }

// Builds ftp://host:port/<path>; path is relative to the login folder and
// keeps its slashes, everything else in it is percent-encoded.
std::string FtpClient::Url(const std::string& path) const {
  std::string url = "ftp://" + settings_.host + ":" + settings_.port + "/";
  CURL* easy = session_->easy;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    const std::string part = path.substr(start, slash - start);
    char* escaped = curl_easy_escape(easy, part.c_str(), static_cast<int>(part.size()));
    url += escaped;
    curl_free(escaped);
    if (slash < path.size()) url += '/';
    start = slash + 1;
  }
  return url;
}

// Sets the options every step shares: login, transfer mode, local address,
// TLS when offered, the step time limit.
void FtpClient::ApplySettings(void* handle) const {
  CURL* easy = static_cast<CURL*>(handle);
  curl_easy_reset(easy);
  curl_easy_setopt(easy, CURLOPT_USERNAME, settings_.user.c_str());
  curl_easy_setopt(easy, CURLOPT_PASSWORD, settings_.password.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
  curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
  if (settings_.passive) {
    curl_easy_setopt(easy, CURLOPT_FTPPORT, nullptr);
  } else {
    curl_easy_setopt(easy, CURLOPT_FTPPORT, "-");
  }
  if (!settings_.local_address.empty() && settings_.local_address != kUnknownAddress)
    curl_easy_setopt(easy, CURLOPT_INTERFACE, ("host!" + settings_.local_address).c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, settings_.step_timeout_seconds);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT, settings_.step_timeout_seconds);
  curl_easy_setopt(easy, CURLOPT_ACCEPTTIMEOUT_MS, settings_.step_timeout_seconds * 1000);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
}

// Runs the prepared easy handle to its end, calling keep_alive between
// network events. Returns whether the step succeeded; a step abandoned
// because keep_alive returned false has failed.
bool FtpClient::RunStep(void* handle) {
  CURL* easy = static_cast<CURL*>(handle);
  if (curl_multi_add_handle(session_->multi, easy) != CURLM_OK) return false;
  CURLcode result = CURLE_ABORTED_BY_CALLBACK;
  for (;;) {
    int running = 0;
    if (curl_multi_perform(session_->multi, &running) != CURLM_OK) break;
    int queued = 0;
    if (CURLMsg* message = curl_multi_info_read(session_->multi, &queued);
        message != nullptr && message->msg == CURLMSG_DONE) {
      result = message->data.result;
      break;
    }
    if (keep_alive_ && !keep_alive_()) break;
    if (curl_multi_poll(session_->multi, nullptr, 0, kKeepAlivePollMs, nullptr) != CURLM_OK) break;
  }
  curl_multi_remove_handle(session_->multi, easy);
  return result == CURLE_OK;
}

bool FtpClient::Connect() {
  if (session_ == nullptr) session_ = new Session;
  if (session_->multi == nullptr || session_->easy == nullptr) return false;
  ApplySettings(session_->easy);
  curl_easy_setopt(session_->easy, CURLOPT_URL, Url("").c_str());
  curl_easy_setopt(session_->easy, CURLOPT_NOBODY, 1L);
  return RunStep(session_->easy);
}

void FtpClient::ChangeDir(const std::string& folder) {
  SendIgnoringReply("CWD " + folder);
  folder_ = folder;
}

void FtpClient::SendIgnoringReply(const std::string& command) {
  if (session_ == nullptr) return;
  ApplySettings(session_->easy);
  curl_easy_setopt(session_->easy, CURLOPT_URL, Url("").c_str());
  curl_easy_setopt(session_->easy, CURLOPT_NOBODY, 1L);
  // A leading '*' tells libcurl to go on when the server rejects the command.
  curl_slist* commands = curl_slist_append(nullptr, ("*" + command).c_str());
  curl_easy_setopt(session_->easy, CURLOPT_QUOTE, commands);
  RunStep(session_->easy);
  curl_slist_free_all(commands);
}

bool FtpClient::Download(const std::string& remote_name, const std::string& local_path, uint64_t max_bytes) {
  if (session_ == nullptr) return false;
  DownloadTarget target{std::fopen(local_path.c_str(), "wb"), 0, max_bytes};
  if (target.file == nullptr) return false;
  ApplySettings(session_->easy);
  const std::string path = folder_.empty() ? remote_name : folder_ + "/" + remote_name;
  curl_easy_setopt(session_->easy, CURLOPT_URL, Url(path).c_str());
  curl_easy_setopt(session_->easy, CURLOPT_WRITEFUNCTION, WriteToFile);
  curl_easy_setopt(session_->easy, CURLOPT_WRITEDATA, &target);
  // A size the server announces beforehand ends an oversized download
  // before it starts; the write callback catches the servers that do not.
  if (max_bytes != 0)
    curl_easy_setopt(session_->easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(max_bytes));
  const bool transferred = RunStep(session_->easy);
  const bool written = std::fclose(target.file) == 0;
  if (transferred && written) return true;
  std::error_code ignored;
  std::filesystem::remove(local_path, ignored);
  return false;
}

void FtpClient::Abort() {
  delete session_;
  session_ = nullptr;
}

}  // namespace zarn
