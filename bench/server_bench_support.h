// What the benchmarks against the local server share: the server's address
// from ZARN_DB_* (as var/local-server.env sets it), the heap in use, and a
// reporter that keeps each benchmark's mean real time for the comparison
// printed at the end.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "services/connection.h"

namespace zarn::bench {

inline const char* Env(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : fallback;
}

// The local server's settings with `database` chosen.
inline TConnectionSettings ServerSettings(const std::string& database) {
  TConnectionSettings settings;
  settings.HostName = Env("ZARN_DB_HOST", "127.0.0.1");
  settings.Port = PortFromText(Env("ZARN_DB_PORT", ""));
  settings.User = Env("ZARN_DB_USER", "root");
  settings.Password = Env("ZARN_DB_PASSWORD", "");
  settings.Database = database;
  return settings;
}

// Bytes the allocator has handed out and not got back.
inline size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Keeps the mean real time (seconds) of each repeated benchmark by name.
class MeanTimeReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean")
        seconds[run.run_name.function_name] = run.GetAdjustedRealTime() / 1e3;
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

}  // namespace zarn::bench
