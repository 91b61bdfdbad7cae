#include "services/update_check.h"

#include <filesystem>

#include "platform/ini_file.h"
#include "services/novaver.h"
#include "services/routines.h"

namespace zarn {
namespace {

template <typename Callback, typename... Args>
void Call(const Callback& callback, Args&&... args) {
  if (callback) callback(std::forward<Args>(args)...);
}

// Closes the busy window on every way out of the check, errors included.
class BusyWindowGuard {
 public:
  explicit BusyWindowGuard(const UpdateCheckUi& ui) : ui_(ui) {
    Call(ui_.show_busy, std::string(kUpdateBusyText));
    Call(ui_.keep_alive);
  }
  ~BusyWindowGuard() { Call(ui_.close_busy); }

 private:
  const UpdateCheckUi& ui_;
};

// A file downloaded here carries no permission to run it.
void MakeExecutable(const std::string& path) {
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec,
                               std::filesystem::perm_options::add, ignored);
}

void StartInstallerAndEnd(const UpdateCheckUi& ui, const std::string& drive) {
  Call(ui.show_information, std::string(kUpdatingText));
  Call(ui.keep_alive);
  MakeExecutable(kInstallerName);
  SpustProgram(InstallerCommandLine(kInstallerName, drive), false, false);
  Call(ui.end_application);
}

}  // namespace

UpdateSettings ReadUpdateSettings(const std::string& ini_path) {
  const TIniFile ini(ini_path);
  UpdateSettings s;
  s.host = ini.ReadString("LogON", "FTP", s.host);
  s.user = ini.ReadString("LogON", "FTPuser", s.user);
  s.password = ini.ReadString("LogON", "FTPpassword", s.password);
  s.port = ini.ReadString("LogON", "FTPport", s.port);
  s.passive = ini.ReadString("LogON", "FTPpassive", "True") != "False";
  s.drive = ini.ReadString("Removable", "Drive", s.drive);
  return s;
}

std::string InstallerCommandLine(const std::string& installer, const std::string& drive) {
  if (drive.empty()) return installer;
  return installer + " /DIR=\"" + drive + "\\program files\\tromix\\tarvol05\\zarn05\"";
}

UpdateCheckOutcome KontrolaNoveVerze(const UpdateCheckUi& ui, const std::string& ini_path,
                                     const std::string& program_path) {
  const UpdateSettings settings = ReadUpdateSettings(ini_path);
  std::string result;
  try {
    BusyWindowGuard busy(ui);
    result = NovaVerze(settings.host, settings.port, settings.user, settings.passive, kInstallerName,
                       kVersionFileName, kUpdateFolder, settings.password, {program_path, ui.keep_alive});
  } catch (const EUpdateCheckError& e) {
    Call(ui.show_stop, std::string(e.what()));
    return UpdateCheckOutcome::kVersionFileInvalid;
  }
  if (result == "A") {
    StartInstallerAndEnd(ui, settings.drive);
    return UpdateCheckOutcome::kUpdating;
  }
  if (result == "E") {
    Call(ui.show_stop, std::string(kConnectionFailedText));
    return UpdateCheckOutcome::kConnectionFailed;
  }
  Call(ui.show_information, std::string(kNoNewVersionText));
  return UpdateCheckOutcome::kNoNewVersion;
}

}  // namespace zarn
