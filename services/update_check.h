// The work behind "Kontrola nové verze": read the update server's settings
// from the shared INI file, run NovaVerze under the busy window, tell the
// user the outcome and, when a newer build was downloaded, start its
// installer and end the application. The window side (busy window, message
// boxes, ending the program) comes in as callbacks, so the flow runs in a
// test without a window.
#pragma once

#include <functional>
#include <string>

namespace zarn {

// The maker's update server, used when [LogON] FTP is missing.
inline constexpr char kDefaultUpdateHost[] = "ftp.tromix.cz";

// Messages of the check, Windows-1250.
inline constexpr char kUpdateBusyText[] = "Tarvol05 - kontrola nov\xE9 verze";
inline constexpr char kUpdatingText[] =
    "Nyn\xED bude aktualizov\xE1n program Evidence licenc\xED.\r" "Nutn\xFD restart programu!";
inline constexpr char kConnectionFailedText[] = "Chyba p\xF8ipojen\xED.";
inline constexpr char kNoNewVersionText[] = "Nen\xED nov\xE1 verze.";

// Fixed names on the update server and beside the program.
inline constexpr char kInstallerName[] = "setupzar.exe";
inline constexpr char kVersionFileName[] = "setupzar.ver";
inline constexpr char kUpdateFolder[] = "tromix/tarvol05";

// The update settings of the shared INI file with their defaults.
struct UpdateSettings {
  std::string host = kDefaultUpdateHost;  // [LogON] FTP
  std::string user = "tromix";            // [LogON] FTPuser
  std::string password = "903816kpw";     // [LogON] FTPpassword
  std::string port = "21";                // [LogON] FTPport
  bool passive = true;                    // [LogON] FTPpassive: all but exactly "False"
  std::string drive;                      // [Removable] Drive
};

// Reads the settings from ini_path; missing keys keep their defaults.
UpdateSettings ReadUpdateSettings(const std::string& ini_path);

// The installer's command line: the installer alone for an empty drive,
// otherwise followed by /DIR="<drive>\program files\tromix\tarvol05\zarn05".
std::string InstallerCommandLine(const std::string& installer, const std::string& drive);

// What the window does around the check. Any callback may be empty.
struct UpdateCheckUi {
  std::function<void(const std::string& text)> show_busy;  // show it in front
  std::function<void()> close_busy;
  // Processes pending window messages; false when the application is ending.
  std::function<bool()> keep_alive;
  std::function<void(const std::string& text)> show_information;  // icon "i", button OK
  std::function<void(const std::string& text)> show_stop;         // stop icon, button OK
  // Ends the application and closes the main window.
  std::function<void()> end_application;
};

enum class UpdateCheckOutcome {
  kUpdating,           // installer downloaded and started, application ended
  kNoNewVersion,
  kConnectionFailed,
  kVersionFileInvalid  // its message went to show_stop
};

// Runs the whole check with the settings of ini_path. program_path is the
// program whose date is compared (empty: the running program). The installer
// is started from the working folder through SpustProgram, window shown,
// without waiting.
UpdateCheckOutcome KontrolaNoveVerze(const UpdateCheckUi& ui, const std::string& ini_path = "../Tarvol05.ini",
                                     const std::string& program_path = "");

}  // namespace zarn
