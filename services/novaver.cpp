#include "services/novaver.h"

#include <algorithm>
#include <filesystem>

#include "platform/datetime.h"
#include "platform/format_settings.h"
#include "platform/ini_file.h"
#include "services/ftp_client.h"
#include "services/workstation.h"

namespace zarn {
namespace {

const char kReportFile[] = "verze.log";
constexpr size_t kStampLength = 19;  // "yyyy-mm-dd hh:nn:ss"
// The version file is a few short lines; a server sending more is broken,
// and the download fails rather than filling the disk and the memory.
constexpr uint64_t kMaxVersionFileBytes = 64 * 1024;

// A stamp is digits and separators; anything outside printable ASCII means
// the version file is not what it should be (a binary or a mangled file).
bool IsStampByte(char c) { return c >= 0x20 && c <= 0x7E; }

// The stamp as verze.log shows it: bytes no stamp holds become '?', so a
// CR or a NUL from a mangled file cannot break the two lines of the report.
std::string Printable(std::string stamp) {
  std::replace_if(stamp.begin(), stamp.end(), [](char c) { return !IsStampByte(c); }, '?');
  return stamp;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::string WithoutSeparators(std::string stamp) {
  std::erase_if(stamp, [](char c) { return c == ' ' || c == '-' || c == ':'; });
  return stamp;
}

std::string ReportPath(const std::string& program_path) {
  return (std::filesystem::path(program_path).parent_path() / kReportFile).string();
}

// Reads the downloaded version file and compares its stamp with the
// program's, writing both into the report. Returns whether the published
// build is newer.
bool PublishedBuildIsNewer(const std::string& version_file, const std::string& program_path) {
  std::vector<std::string> lines;
  ReadTextLines(version_file, &lines);
  const std::string remote = RemoteBuildStamp(lines, version_file);
  const std::string local = LocalBuildStamp(program_path);
  WriteTextLines(ReportPath(program_path), {"Verze programu: " + local, "Verze internet: " + Printable(remote)});
  if (!std::all_of(remote.begin(), remote.end(), IsStampByte))
    throw EUpdateCheckError("Soubor " + version_file + " neobsahuje platnou verzi programu.");
  return IsNewerBuild(local, remote);
}

}  // namespace

std::string RemoteBuildStamp(const std::vector<std::string>& lines, const std::string& version_file) {
  if (lines.size() < 2)
    throw EUpdateCheckError("Soubor " + version_file + " neobsahuje \xF8\xE1" "dek s verz\xED programu.");
  const std::vector<std::string> fields = SplitTabs(lines[1]);
  return fields.size() < 3 ? std::string() : fields[2].substr(0, kStampLength);
}

std::string LocalBuildStamp(const std::string& program_path) {
  const TDateTime written = DatumSouboru(program_path);
  if (written == 0) return "";
  TFormatSettings& settings = FormatSettings();
  settings.ShortDateFormat = "yyyy-mm-dd";
  std::string time = TimeToStr(written);
  time.insert(time.begin(), '0');
  const std::string stamp = DateToStr(written) + " " + time.substr(time.size() > 8 ? time.size() - 8 : 0);
  settings.ShortDateFormat = "dd.mm.yyyy";
  return stamp;
}

bool IsNewerBuild(const std::string& local_stamp, const std::string& remote_stamp) {
  return WithoutSeparators(remote_stamp) > WithoutSeparators(local_stamp);
}

std::string NovaVerze(const std::string& host, const std::string& port, const std::string& user, bool passive,
                      const std::string& installer, const std::string& version_file,
                      const std::string& remote_folder, const std::string& password,
                      const UpdateCheckEnvironment& environment) {
  const std::string program_path =
      environment.program_path.empty() ? RunningProgramPath() : environment.program_path;
  FtpClient ftp({host, port, user, password, passive, LokalniIP()}, environment.keep_alive);
  if (!ftp.Connect()) return "E";
  ftp.ChangeDir(remote_folder);
  ftp.SendIgnoringReply("TYPE I");
  if (!ftp.Download(version_file, version_file, kMaxVersionFileBytes)) return "E";
  if (!PublishedBuildIsNewer(version_file, program_path)) return "N";
  return ftp.Download(installer, installer) ? "A" : "E";
}

}  // namespace zarn
