// Sets a file's last-write time to a given local moment, for tests whose
// outcome depends on the date of a file.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <string>

namespace zarn {

// Returns whether the time was set.
inline bool SetLastWriteTime(const std::string& path, int year, int month, int day, int hour, int minute,
                             int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  const timespec when{std::mktime(&local), 0};
  const timespec times[2] = {when, when};
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace zarn
