// The check for a newer build of the running program on the maker's FTP
// server. The server publishes a version file whose second line carries the
// build stamp "yyyy-mm-dd hh:nn:ss" in its third TAB-separated field; a
// build is newer when that stamp is later than the last-write time of the
// running program file. A newer build's installer is downloaded beside the
// program; starting it is the caller's work.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zarn {

// The version file could not be read as one; the message is Czech text in
// Windows-1250, fit to be shown as it is.
class EUpdateCheckError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the check needs of its surroundings.
struct UpdateCheckEnvironment {
  // The program file whose last-write time is the local build stamp;
  // "verze.log" is written into its folder. Empty means the running program.
  std::string program_path;
  // Called while a step waits; processes window messages and returns false
  // when the application is ending (the step then fails). May be empty.
  std::function<bool()> keep_alive;
};

// Logs in to host:port (passive or active transfers, bound to LokalniIP()),
// changes to remote_folder, downloads version_file into the working folder
// and compares its stamp with the program's; when the remote one is later
// downloads installer into the working folder too. Rewrites "verze.log" with
// both stamps. Returns "A" (newer build, installer downloaded), "N" (no newer
// build) or "E" (login or a download failed or timed out; a version file
// over 64 KiB counts as a failed download). Throws EUpdateCheckError when the
// downloaded version file has fewer than two lines or its stamp holds bytes
// outside printable ASCII (verze.log then shows them as '?').
std::string NovaVerze(const std::string& host, const std::string& port, const std::string& user, bool passive,
                      const std::string& installer, const std::string& version_file,
                      const std::string& remote_folder, const std::string& password,
                      const UpdateCheckEnvironment& environment = {});

// The published stamp in the lines of a version file: the first 19
// characters of the third TAB-separated field of the second line, empty when
// that line has fewer fields. Throws EUpdateCheckError for fewer than two
// lines; version_file names the file in the message.
std::string RemoteBuildStamp(const std::vector<std::string>& lines, const std::string& version_file);

// The last-write time of program_path as "yyyy-mm-dd hh:nn:ss", the time
// written in the current long time format and padded to 8 characters with
// zeros in front; empty when the file is not found. When it is found, the
// process-wide short date format is left as "dd.mm.yyyy".
std::string LocalBuildStamp(const std::string& program_path);

// Whether the remote stamp is later than the local one: both are compared
// as plain bytes once every blank, '-' and ':' is removed.
bool IsNewerBuild(const std::string& local_stamp, const std::string& remote_stamp);

}  // namespace zarn
