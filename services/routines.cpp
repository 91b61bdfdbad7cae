#include "services/routines.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

extern char** environ;

namespace zarn {
namespace {

// Folders written with backslashes (as in the INI files) name the same
// folders here.
std::string NativeSeparators(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

bool IsFolder(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsExecutableFile(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string DatumSQL(TDateTime date) {
  const DateParts d = DecodeDate(date);
  char text[32];
  std::snprintf(text, sizeof text, "%d-%d-%d", d.year, d.month, d.day);
  return text;
}

bool VytvorSlozku(const std::string& path) {
  if (path.empty()) return false;
  std::string dir = NativeSeparators(path);
  if (dir.back() == '/') dir.pop_back();
  if (dir.size() < 3 || IsFolder(dir)) return true;
  const size_t last = dir.find_last_of('/');
  // A path without a separator has no parent to create: the folder goes into
  // the working folder.
  const bool parent_ok = last == std::string::npos || last == 0 || VytvorSlozku(dir.substr(0, last));
  return parent_ok && (mkdir(dir.c_str(), 0777) == 0 || (errno == EEXIST && IsFolder(dir)));
}

std::vector<std::string> SplitCommandLine(const std::string& command_line) {
  std::vector<std::string> args;
  std::string current;
  bool quoted = false, have = false;
  for (char c : command_line) {
    if (c == '"') {
      quoted = !quoted;
      have = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (have) args.push_back(current);
      current.clear();
      have = false;
    } else {
      current += c;
      have = true;
    }
  }
  if (have) args.push_back(current);
  return args;
}

bool SpustProgram(const std::string& command_line, bool /*hidden*/, bool wait) {
  std::vector<std::string> args = SplitCommandLine(command_line);
  if (args.empty()) return false;
  std::string program = args[0];
  if (program.find('/') == std::string::npos && IsExecutableFile("./" + program)) program = "./" + program;
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
  if (wait) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  return true;
}

}  // namespace zarn
