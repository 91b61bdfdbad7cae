// The update check against a real FTP server (the peer that ./test starts;
// its address comes in ZARN_FTP_*). Each test publishes its own files in the
// served folder and checks what arrives in a scratch program folder.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/format_settings.h"
#include "services/novaver.h"
#include "services/testing_file_date.h"
#include "services/testing_folder.h"
#include "services/update_check.h"

namespace zarn {
namespace {

namespace fs = std::filesystem;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// A port on 127.0.0.1 where nothing listens.
std::string ClosedPort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(s, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  close(s);
  return std::to_string(ntohs(address.sin_port));
}

// An installer that is every byte value, lone LFs and CR LFs among them, so
// that a transfer in text mode or a cut-off one shows.
std::string InstallerBytes() {
  std::string bytes = "MZ\r\n\n\r";
  for (int i = 0; i < 200000; ++i) bytes += static_cast<char>((i * 7919) % 256);
  return bytes;
}

// The program's file is dated 7 March 2024 09:05:03, so its stamp is
// "2024-03-07 09:05:03".
constexpr char kProgramStamp[] = "2024-03-07 09:05:03";
constexpr char kOneSecondLater[] = "2024-03-07 09:05:04";

class FtpUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Env("ZARN_FTP_PORT").empty()) GTEST_SKIP() << "no FTP peer (ZARN_FTP_PORT unset)";
    saved_ = FormatSettings();
    FormatSettings() = CzechFormatSettings();
    folder_ = std::make_unique<ScratchWorkingFolder>("ftp_update");
    program_ = (fs::current_path() / "zarn").string();
    WriteBytes(program_, "program");
    ASSERT_TRUE(SetLastWriteTime(program_, 2024, 3, 7, 9, 5, 3));
    remote_folder_ = std::string("it/") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                     std::to_string(getpid());
  }
  void TearDown() override {
    if (Env("ZARN_FTP_PORT").empty()) return;
    fs::remove_all(fs::path(Env("ZARN_FTP_ROOT")) / remote_folder_);
    folder_.reset();
    FormatSettings() = saved_;
  }

  fs::path Served(const std::string& folder, const std::string& name) const {
    return fs::path(Env("ZARN_FTP_ROOT")) / folder / name;
  }
  void PublishVersion(const std::string& stamp, const std::string& folder = "") {
    WriteBytes(Served(folder.empty() ? remote_folder_ : folder, "setupzar.ver"),
               "Evidence licenc\xED poplatk\xF9\r\nzarn05\t5.1.0.0\t" + stamp + "\tnov\xE1 sestava\r\n");
  }
  void PublishInstaller(const std::string& bytes, const std::string& folder = "") {
    WriteBytes(Served(folder.empty() ? remote_folder_ : folder, "setupzar.exe"), bytes);
  }

  std::string Check(bool passive = true, const std::string& password = Env("ZARN_FTP_PASSWORD"),
                    const std::string& port = Env("ZARN_FTP_PORT"), std::function<bool()> keep_alive = {}) {
    return NovaVerze(Env("ZARN_FTP_HOST"), port, Env("ZARN_FTP_USER"), passive, "setupzar.exe", "setupzar.ver",
                     remote_folder_, password, {program_, std::move(keep_alive)});
  }

  TFormatSettings saved_;
  std::unique_ptr<ScratchWorkingFolder> folder_;
  std::string program_;
  std::string remote_folder_;
};

TEST_F(FtpUpdateTest, PublishedStampDecidesAndTheInstallerArrivesByteExact) {
  struct Case {
    const char* remote_stamp;
    bool passive;
    const char* result;
  };
  const Case cases[] = {
      {kProgramStamp, true, "N"},
      {"2024-03-07 09:05:02", true, "N"},
      {kOneSecondLater, true, "A"},
      {kOneSecondLater, false, "A"},
      {"2024-03-07 09:05:04.5 build 17", false, "A"},
  };
  const std::string installer = InstallerBytes();
  PublishInstaller(installer);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.remote_stamp) + (c.passive ? " passive" : " active"));
    fs::remove("setupzar.exe");
    PublishVersion(c.remote_stamp);
    FormatSettings().ShortDateFormat = "d.M.yyyy";
    EXPECT_EQ(Check(c.passive), c.result);
    EXPECT_EQ(ReadBytes("setupzar.ver"), ReadBytes(Served(remote_folder_, "setupzar.ver")));
    EXPECT_EQ(ReadBytes("verze.log"), std::string("Verze programu: ") + kProgramStamp + "\r\nVerze internet: " +
                                          std::string(c.remote_stamp).substr(0, 19) + "\r\n");
    EXPECT_EQ(FormatSettings().ShortDateFormat, "dd.mm.yyyy");
    if (std::string(c.result) == "A") {
      const std::string arrived = ReadBytes("setupzar.exe");
      EXPECT_EQ(arrived.size(), installer.size());
      EXPECT_TRUE(arrived == installer) << "the installer's bytes differ";
    } else {
      EXPECT_FALSE(fs::exists("setupzar.exe"));
    }
  }
}

TEST_F(FtpUpdateTest, FailuresGiveE) {
  PublishVersion(kOneSecondLater);
  EXPECT_EQ(Check(true, "wrong password"), "E");
  EXPECT_EQ(Check(true, Env("ZARN_FTP_PASSWORD"), ClosedPort()), "E");
  EXPECT_FALSE(fs::exists("setupzar.ver"));
  EXPECT_FALSE(fs::exists("verze.log"));

  // The version file is there but the installer is not: no partial copy stays.
  EXPECT_EQ(Check(), "E");
  EXPECT_TRUE(fs::exists("verze.log"));
  EXPECT_FALSE(fs::exists("setupzar.exe"));

  // Neither is the version file; an older local copy of it does not count.
  fs::remove(Served(remote_folder_, "setupzar.ver"));
  EXPECT_EQ(Check(), "E");
  EXPECT_FALSE(fs::exists("setupzar.ver"));
}

TEST_F(FtpUpdateTest, MissingRemoteFolderShowsInTheDownload) {
  remote_folder_ = "it/no_such_folder";
  EXPECT_EQ(Check(), "E");
}

TEST_F(FtpUpdateTest, VersionFileOfOneLineIsAnError) {
  WriteBytes(Served(remote_folder_, "setupzar.ver"), std::string("zarn05\t5.1.0.0\t") + kOneSecondLater + "\r\n");
  EXPECT_THROW(Check(), EUpdateCheckError);
}

// A server that sends far more than a version file: the download stops at
// the limit and counts as failed, and nothing of it stays on the disk.
TEST_F(FtpUpdateTest, OversizedVersionFileFailsTheDownload) {
  const std::string head = "Evidence\r\nzarn05\t5.1.0.0\t" + std::string(kOneSecondLater) + "\r\n";
  struct Case {
    size_t size;
    const char* result;
  } cases[] = {{64 * 1024, "A"}, {64 * 1024 + 1, "E"}, {20 * 1024 * 1024, "E"}};
  PublishInstaller("installer");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    fs::remove("verze.log");
    fs::remove("setupzar.exe");
    std::string content = head;
    content.resize(c.size, 'x');
    WriteBytes(Served(remote_folder_, "setupzar.ver"), content);
    EXPECT_EQ(Check(), c.result);
    const bool downloaded = std::string(c.result) == "A";
    EXPECT_EQ(fs::exists("setupzar.ver"), downloaded);
    EXPECT_EQ(fs::exists("verze.log"), downloaded);
    EXPECT_EQ(fs::exists("setupzar.exe"), downloaded);
  }
}

// Bytes no stamp holds: the check stops with a message instead of taking
// the bytes for a later build, and verze.log keeps its two lines.
TEST_F(FtpUpdateTest, BinaryBytesInTheStampAreAnErrorAndShowAsQuestionMarksInTheLog) {
  struct Case {
    std::string stamp;
    const char* logged;
  } cases[] = {
      {"2024-03-07\r09:05:04", "2024-03-07?09:05:04"},
      {"\xFF\xFF\xFF\xFF-03-07 09:05:04", "?\?\?\?-03-07 09:05:04"},
      {std::string("2024-03-07 \0\0:05:04", 19), "2024-03-07 ??:05:04"},
  };
  PublishInstaller("installer");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.logged);
    PublishVersion(c.stamp);
    try {
      Check();
      ADD_FAILURE() << "no error";
    } catch (const EUpdateCheckError& error) {
      EXPECT_EQ(std::string(error.what()), "Soubor setupzar.ver neobsahuje platnou verzi programu.");
    }
    EXPECT_EQ(ReadBytes("verze.log"),
              std::string("Verze programu: ") + kProgramStamp + "\r\nVerze internet: " + c.logged + "\r\n");
    EXPECT_FALSE(fs::exists("setupzar.exe"));
  }

  // A file that is binary throughout has no third field on its second line:
  // no stamp, no newer build.
  std::string binary;
  for (int i = 0; i < 100 * 256; ++i) binary += static_cast<char>(i % 256);
  WriteBytes(Served(remote_folder_, "setupzar.ver"), binary);
  EXPECT_EQ(Check(), "N");
  EXPECT_EQ(ReadBytes("verze.log"), std::string("Verze programu: ") + kProgramStamp + "\r\nVerze internet: \r\n");
}

// Neither the report nor anything the FTP layer prints carries the password.
TEST_F(FtpUpdateTest, PasswordStaysOutOfTheReportAndTheDiagnostics) {
  PublishVersion(kProgramStamp);
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  const std::string result = Check();
  const std::string printed = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, "N");
  EXPECT_EQ(printed.find("PASS"), std::string::npos) << printed;
  EXPECT_EQ(printed.find(Env("ZARN_FTP_PASSWORD")), std::string::npos) << printed;
  EXPECT_EQ(ReadBytes("verze.log").find(Env("ZARN_FTP_PASSWORD")), std::string::npos);
}

TEST_F(FtpUpdateTest, KeepAliveRunsDuringTheStepsAndCanAbandonThem) {
  PublishVersion(kProgramStamp);
  int calls = 0;
  EXPECT_EQ(Check(true, Env("ZARN_FTP_PASSWORD"), Env("ZARN_FTP_PORT"), [&] { return ++calls > 0; }), "N");
  EXPECT_GT(calls, 0);
  EXPECT_EQ(Check(true, Env("ZARN_FTP_PASSWORD"), Env("ZARN_FTP_PORT"), [] { return false; }), "E");
}

// Everything the window would see, recorded.
struct RecordedUi {
  std::vector<std::string> events;
  UpdateCheckUi Callbacks() {
    return {[this](const std::string& text) { events.push_back("busy " + text); },
            [this] { events.push_back("close busy"); },
            [] { return true; },
            [this](const std::string& text) { events.push_back("information " + text); },
            [this](const std::string& text) { events.push_back("stop " + text); },
            [this] { events.push_back("end"); }};
  }
};

void WriteSharedSettings(const std::string& port, const std::string& drive) {
  std::ostringstream ini;
  ini << "[LogON]\r\nFTP=" << Env("ZARN_FTP_HOST") << "\r\nFTPport=" << port << "\r\nFTPuser="
      << Env("ZARN_FTP_USER") << "\r\nFTPpassword=" << Env("ZARN_FTP_PASSWORD")
      << "\r\nFTPpassive=false\r\n[Removable]\r\nDrive=" << drive << "\r\n";
  WriteBytes(fs::current_path().parent_path() / "Tarvol05.ini", ini.str());
}

// The only test that uses the fixed folder "tromix/tarvol05", so that tests
// running side by side do not meet there.
TEST_F(FtpUpdateTest, HandlerTellsTheOutcomeAndStartsTheInstaller) {
  remote_folder_ = "tromix/tarvol05";
  WriteSharedSettings(Env("ZARN_FTP_PORT"), "E:");
  const std::string busy = std::string("busy ") + kUpdateBusyText;

  WriteBytes(Served(remote_folder_, "setupzar.ver"), "one line\r\n");
  RecordedUi invalid;
  EXPECT_EQ(KontrolaNoveVerze(invalid.Callbacks(), "../Tarvol05.ini", program_),
            UpdateCheckOutcome::kVersionFileInvalid);
  ASSERT_EQ(invalid.events.size(), 3u);
  EXPECT_EQ(invalid.events[0], busy);
  EXPECT_EQ(invalid.events[1], "close busy");
  EXPECT_EQ(invalid.events[2].rfind("stop Soubor setupzar.ver", 0), 0u) << invalid.events[2];

  PublishVersion(kProgramStamp, remote_folder_);
  RecordedUi same;
  EXPECT_EQ(KontrolaNoveVerze(same.Callbacks(), "../Tarvol05.ini", program_), UpdateCheckOutcome::kNoNewVersion);
  EXPECT_EQ(same.events,
            (std::vector<std::string>{busy, "close busy", std::string("information ") + kNoNewVersionText}));

  PublishVersion(kOneSecondLater, remote_folder_);
  PublishInstaller("#!/bin/sh\nprintf '%s|%s' \"$1\" \"$2\" > installer.args\n", remote_folder_);
  RecordedUi newer;
  EXPECT_EQ(KontrolaNoveVerze(newer.Callbacks(), "../Tarvol05.ini", program_), UpdateCheckOutcome::kUpdating);
  EXPECT_EQ(newer.events,
            (std::vector<std::string>{busy, "close busy", std::string("information ") + kUpdatingText, "end"}));
  // The installer runs on its own; wait for the trace it leaves.
  for (int i = 0; i < 200 && !fs::exists("installer.args"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(ReadBytes("installer.args"), "/DIR=E:\\program files\\tromix\\tarvol05\\zarn05|");
}

TEST_F(FtpUpdateTest, HandlerReportsAFailedConnection) {
  WriteSharedSettings(ClosedPort(), "");
  RecordedUi ui;
  EXPECT_EQ(KontrolaNoveVerze(ui.Callbacks(), "../Tarvol05.ini", program_), UpdateCheckOutcome::kConnectionFailed);
  EXPECT_EQ(ui.events, (std::vector<std::string>{std::string("busy ") + kUpdateBusyText, "close busy",
                                                  std::string("stop ") + kConnectionFailedText}));
}

}  // namespace
}  // namespace zarn
