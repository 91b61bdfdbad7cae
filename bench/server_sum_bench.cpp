// Opening the licence-fee records through the query dataset and summing
// `mnozstvi`, `suma` and the paid `suma` (paid after 11 November 1999),
// side by side with the same sums in a plain C loop over mysql_store_result
// and mysql_fetch_row. Prints both times and the memory each holds for the
// result, and the ratios against the targets (time 1.3, memory 2.0).
//
// Needs the local server (ZARN_DB_* from var/local-server.env). The records
// live in a database of their own, "zarn_bench", filled on first use by
// copying tarvol.zarnzada until it holds ZARN_BENCH_RECORDS rows (200000).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "bench/server_bench_support.h"
#include "platform/datetime.h"
#include "services/connection.h"
#include "services/query.h"

namespace zarn {
namespace {

const char kBenchDatabase[] = "zarn_bench";
const char kSelect[] = "select * from zarnzada";

struct Sums {
  double mnozstvi = 0, suma = 0, paid = 0;
};

// Fills zarn_bench.zarnzada with `records` rows copied from tarvol.
void PrepareRecords(long records) {
  TServerConnection db;
  db.Settings() = bench::ServerSettings("tarvol");
  db.Connect();
  db.RunConnectionSetup();
  db.Execute(std::string("create database if not exists ") + kBenchDatabase + " default charset cp1250");
  db.Execute(std::string("create table if not exists ") + kBenchDatabase + ".zarnzada like tarvol.zarnzada");
  const std::string count_sql = std::string("select count(*) from ") + kBenchDatabase + ".zarnzada";
  if (db.Query(count_sql).Value(0, 0).ToInt64() == records) return;
  db.Execute(std::string("truncate table ") + kBenchDatabase + ".zarnzada");
  const std::string columns =
      db.Query("select group_concat(column_name order by ordinal_position) from information_schema.columns"
               " where table_schema = 'tarvol' and table_name = 'zarnzada' and column_name <> 'id'")
          .Value(0, 0)
          .ToString();
  for (long have = 0; have < records;) {
    have += static_cast<long>(db.Execute("insert into " + std::string(kBenchDatabase) + ".zarnzada (" + columns +
                                         ") select " + columns + " from tarvol.zarnzada limit " +
                                         std::to_string(records - have)));
  }
}

std::map<std::string, double> g_held_bytes;

void BM_CClientSum(benchmark::State& state) {
  TConnectionSettings s = bench::ServerSettings(kBenchDatabase);
  MYSQL* handle = mysql_init(nullptr);
  mysql_optionsv(handle, MYSQL_SET_CHARSET_NAME, "cp1250");
  if (!mysql_real_connect(handle, s.HostName.c_str(), s.User.c_str(), s.Password.c_str(), s.Database.c_str(),
                          static_cast<unsigned>(s.Port), nullptr, 0)) {
    state.SkipWithError(mysql_error(handle));
    mysql_close(handle);
    return;
  }
  Sums sums;
  size_t held = 0;
  for (auto _ : state) {
    sums = Sums();
    const size_t before = bench::HeapInUse();
    mysql_query(handle, kSelect);
    MYSQL_RES* result = mysql_store_result(handle);
    held = bench::HeapInUse() - before;
    int mnozstvi = -1, suma = -1, zaplacena = -1;
    const MYSQL_FIELD* fields = mysql_fetch_fields(result);
    for (unsigned i = 0; i < mysql_num_fields(result); ++i) {
      if (strcasecmp(fields[i].name, "mnozstvi") == 0) mnozstvi = static_cast<int>(i);
      if (strcasecmp(fields[i].name, "suma") == 0) suma = static_cast<int>(i);
      if (strcasecmp(fields[i].name, "zaplacena") == 0) zaplacena = static_cast<int>(i);
    }
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
      sums.mnozstvi += atof(row[mnozstvi]);
      const double value = atof(row[suma]);
      sums.suma += value;
      if (strcmp(row[zaplacena], "1999-11-11") > 0) sums.paid += value;
    }
    mysql_free_result(result);
  }
  mysql_close(handle);
  g_held_bytes["c"] = static_cast<double>(held);
  state.counters["held_MB"] = static_cast<double>(held) / (1 << 20);
  state.counters["suma"] = sums.suma;
  state.counters["paid"] = sums.paid;
  state.counters["mnozstvi"] = sums.mnozstvi;
}

void BM_QueryDatasetSum(benchmark::State& state) {
  TServerConnection db;
  db.Settings() = bench::ServerSettings(kBenchDatabase);
  db.Connect();
  db.RunConnectionSetup();
  const TDateTime paid_after = EncodeDate(1999, 11, 11);
  Sums sums;
  size_t held = 0;
  for (auto _ : state) {
    sums = Sums();
    TServerQuery query(db);
    query.SetText(kSelect);
    const size_t before = bench::HeapInUse();
    query.Open();
    held = bench::HeapInUse() - before;
    const TField& mnozstvi = query.FieldByName("mnozstvi");
    const TField& suma = query.FieldByName("suma");
    const TField& zaplacena = query.FieldByName("zaplacena");
    for (; !query.Eof(); query.Next()) {
      sums.mnozstvi += mnozstvi.AsFloat();
      const double value = suma.AsFloat();
      sums.suma += value;
      if (zaplacena.AsDateTime() > paid_after) sums.paid += value;
    }
  }
  g_held_bytes["dataset"] = static_cast<double>(held);
  state.counters["held_MB"] = static_cast<double>(held) / (1 << 20);
  state.counters["suma"] = sums.suma;
  state.counters["paid"] = sums.paid;
  state.counters["mnozstvi"] = sums.mnozstvi;
}

}  // namespace
}  // namespace zarn

BENCHMARK(zarn::BM_CClientSum)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(zarn::BM_QueryDatasetSum)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

int main(int argc, char** argv) {
  if (std::getenv("ZARN_DB_PORT") == nullptr) {
    std::fprintf(stderr, "server_sum_bench: ZARN_DB_PORT is not set; source var/local-server.env first\n");
    return 2;
  }
  const char* records = std::getenv("ZARN_BENCH_RECORDS");
  zarn::PrepareRecords(records ? std::atol(records) : 200000);
  benchmark::Initialize(&argc, argv);
  zarn::bench::MeanTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const double c_time = reporter.seconds["zarn::BM_CClientSum"];
  const double dataset_time = reporter.seconds["zarn::BM_QueryDatasetSum"];
  const double time_ratio = dataset_time / c_time;
  const double memory_ratio = zarn::g_held_bytes["dataset"] / zarn::g_held_bytes["c"];
  std::printf("C client: %.3f s, %.1f MB held; query dataset: %.3f s, %.1f MB held\n", c_time,
              zarn::g_held_bytes["c"] / (1 << 20), dataset_time, zarn::g_held_bytes["dataset"] / (1 << 20));
  std::printf("time ratio %.2f (target <= 1.3), memory ratio %.2f (target <= 2.0): %s\n", time_ratio,
              memory_ratio, time_ratio <= 1.3 && memory_ratio <= 2.0 ? "met" : "NOT MET");
  return time_ratio <= 1.3 && memory_ratio <= 2.0 ? 0 : 1;
}
