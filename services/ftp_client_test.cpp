#include "services/ftp_client.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace zarn {
namespace {

// A server that takes connections (the system completes them) but never
// says a word, as a stuck update server does.
class SilentServer {
 public:
  SilentServer() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(socket_, reinterpret_cast<sockaddr*>(&address), size);
    listen(socket_, 4);
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = std::to_string(ntohs(address.sin_port));
  }
  ~SilentServer() { close(socket_); }
  int listening_socket() const { return socket_; }
  const std::string& port() const { return port_; }

 private:
  int socket_ = socket(AF_INET, SOCK_STREAM, 0);
  std::string port_;
};

FtpSettings SettingsFor(const SilentServer& server) {
  FtpSettings settings;
  settings.host = "127.0.0.1";
  settings.port = server.port();
  settings.user = "zarn";
  settings.password = "zarn";
  settings.step_timeout_seconds = 1;
  return settings;
}

TEST(FtpClient, AStepThatOutlivesItsTimeLimitFailsWhileTheWindowStaysAlive) {
  SilentServer server;
  int calls = 0;
  FtpClient ftp(SettingsFor(server), [&] { return ++calls > 0; });
  EXPECT_FALSE(ftp.Connect());
  EXPECT_GE(calls, 5);  // polled about every 100 ms through the second
  EXPECT_FALSE(ftp.Download("setupzar.ver", "setupzar.ver"));
}

// A server that greets and then stops answering, as one that hangs after
// the connection is up: the login waits no longer than the step time.
TEST(FtpClient, AServerThatFallsSilentAfterItsGreetingFailsTheStepInTime) {
  SilentServer server;
  std::thread greeter([&server] {
    const int connection = accept(server.listening_socket(), nullptr, nullptr);
    if (connection < 0) return;
    const char greeting[] = "220 ready\r\n";
    (void)!write(connection, greeting, sizeof greeting - 1);
    char ignored[256];
    while (read(connection, ignored, sizeof ignored) > 0) {
    }
    close(connection);
  });
  const auto started = std::chrono::steady_clock::now();
  {
    FtpClient ftp(SettingsFor(server), {});
    EXPECT_FALSE(ftp.Connect());
  }  // the client closes its connection, which ends the greeter
  const auto waited = std::chrono::steady_clock::now() - started;
  greeter.join();
  EXPECT_LT(waited, std::chrono::seconds(5)) << "the 1 s step time was not kept";
}

TEST(FtpClient, AnEndingApplicationAbandonsTheStep) {
  SilentServer server;
  int calls = 0;
  FtpClient ftp(SettingsFor(server), [&] {
    ++calls;
    return false;
  });
  EXPECT_FALSE(ftp.Connect());
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace zarn
