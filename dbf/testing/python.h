// Runs Debian's Python (the interpreter that owns python3-dbf and
// python3-dbfread) on a script and returns what it printed.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "dbf/testing/temp_dir.h"

namespace zarn::testing {

inline constexpr const char* kDebianPython = "/usr/bin/python3";

inline bool HavePython(const char* module) {
  if (!std::filesystem::exists(kDebianPython)) return false;
  std::string command = std::string(kDebianPython) + " -c 'import " + module + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

// Runs script with the given argument; *exit_code gets the exit status.
inline std::string RunPython(const TempDir& dir, const std::string& script, const std::string& argument,
                             int* exit_code) {
  std::string path = dir.File("script.py");
  WriteFile(path, script);
  std::string command = std::string(kDebianPython) + " " + path + " '" + argument + "' 2>&1";
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  *exit_code = pclose(pipe);
  return output;
}

}  // namespace zarn::testing
