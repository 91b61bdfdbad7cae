// Loading the register's record list as the main window does: the list query
// opened over the whole table, the three totals walked row by row through
// the row interface, and a grid model over the query reading the cells of
// the last row (what the grid asks for when it paints). Side by side, a
// plain C loop over mysql_store_result computes the same three sums. Prints
// both times and the heap each holds for the list, with the ratios against
// the targets (time 1.5, memory 2.0).
//
// Needs the local server (ZARN_DB_* from var/local-server.env) and the
// records in the database "zarn_listbench" (ZARN_LIST_BENCH_DATABASE), for
// example sql/demo_data.py --records 200000 with "USE tarvol" replaced.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "bench/server_bench_support.h"
#include "platform/dataset/dataset_model.h"
#include "platform/datetime.h"
#include "services/connection.h"
#include "services/query.h"

namespace zarn {
namespace {

const char kSelect[] = "select * from zarnzada";
constexpr double kTimeTarget = 1.5;
constexpr double kMemoryTarget = 2.0;

struct Sums {
  double mnozstvi = 0, suma = 0, paid = 0;
};

std::map<std::string, double> g_held_bytes;

void Report(benchmark::State& state, const char* name, size_t held, const Sums& sums, long rows) {
  g_held_bytes[name] = static_cast<double>(held);
  state.counters["held_MB"] = static_cast<double>(held) / (1 << 20);
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["mnozstvi"] = sums.mnozstvi;
  state.counters["suma"] = sums.suma;
  state.counters["paid"] = sums.paid;
}

int ColumnIndex(MYSQL_RES* result, const char* name) {
  const MYSQL_FIELD* fields = mysql_fetch_fields(result);
  for (unsigned i = 0; i < mysql_num_fields(result); ++i)
    if (strcasecmp(fields[i].name, name) == 0) return static_cast<int>(i);
  return -1;
}

void BM_CClientList(benchmark::State& state) {
  const TConnectionSettings s = bench::ServerSettings(bench::Env("ZARN_LIST_BENCH_DATABASE", "zarn_listbench"));
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
  long rows = 0;
  for (auto _ : state) {
    sums = Sums();
    const size_t before = bench::HeapInUse();
    mysql_query(handle, kSelect);
    MYSQL_RES* result = mysql_store_result(handle);
    held = bench::HeapInUse() - before;
    rows = static_cast<long>(mysql_num_rows(result));
    const int mnozstvi = ColumnIndex(result, "mnozstvi");
    const int suma = ColumnIndex(result, "suma");
    const int zaplacena = ColumnIndex(result, "zaplacena");
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
      sums.mnozstvi += atof(row[mnozstvi]);
      const double value = atof(row[suma]);
      sums.suma += value;
      if (strcmp(row[zaplacena], "1999-11-11") > 0) sums.paid += value;
    }
    mysql_free_result(result);
  }
  mysql_close(handle);
  Report(state, "c", held, sums, rows);
}

double Number(TDataSet& list, int row, const TField& field) {
  const Variant value = list.RowValue(row, field);
  return value.IsClear() ? 0 : value.ToDouble();
}

// The list as the window loads it: the model is over the query before it
// opens, the totals walk every row, and the grid reads the last row's cells.
void BM_RegisterList(benchmark::State& state) {
  TServerConnection db;
  db.Settings() = bench::ServerSettings(bench::Env("ZARN_LIST_BENCH_DATABASE", "zarn_listbench"));
  db.Connect();
  db.RunConnectionSetup();
  const TDateTime paid_after = EncodeDate(1999, 11, 11);
  Sums sums;
  size_t held = 0;
  long rows = 0;
  for (auto _ : state) {
    sums = Sums();
    const size_t before = bench::HeapInUse();
    TServerQuery list(db);
    TDataSetModel model(&list);
    list.SQL() = {kSelect, "", ""};
    list.Open();
    const TField& mnozstvi = list.FieldByName("mnozstvi");
    const TField& suma = list.FieldByName("suma");
    const TField& zaplacena = list.FieldByName("zaplacena");
    rows = list.RowCount();
    for (int row = 0; row < rows; ++row) {
      sums.mnozstvi += Number(list, row, mnozstvi);
      const double value = Number(list, row, suma);
      sums.suma += value;
      const Variant paid = list.RowValue(row, zaplacena);
      if (!paid.IsClear() && paid.ToDateTime() > paid_after) sums.paid += value;
    }
    list.First();
    for (int column = 0; column < model.columnCount(); ++column)
      benchmark::DoNotOptimize(model.data(model.index(model.rowCount() - 1, column)));
    held = bench::HeapInUse() - before;
  }
  Report(state, "register", held, sums, rows);
}

}  // namespace
}  // namespace zarn

BENCHMARK(zarn::BM_CClientList)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(zarn::BM_RegisterList)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

int main(int argc, char** argv) {
  if (std::getenv("ZARN_DB_PORT") == nullptr) {
    std::fprintf(stderr, "zarn_list_bench: ZARN_DB_PORT is not set; source var/local-server.env first\n");
    return 2;
  }
  benchmark::Initialize(&argc, argv);
  zarn::bench::MeanTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const double c_time = reporter.seconds["zarn::BM_CClientList"];
  const double list_time = reporter.seconds["zarn::BM_RegisterList"];
  const double c_held = zarn::g_held_bytes["c"];
  const double list_held = zarn::g_held_bytes["register"];
  if (c_time <= 0 || c_held <= 0) {
    std::fprintf(stderr, "zarn_list_bench: the C client run gave no figures\n");
    return 2;
  }
  const double time_ratio = list_time / c_time;
  const double memory_ratio = list_held / c_held;
  const bool met = time_ratio <= zarn::kTimeTarget && memory_ratio <= zarn::kMemoryTarget;
  std::printf("C client: %.3f s, %.1f MB held; record list: %.3f s, %.1f MB held\n", c_time, c_held / (1 << 20),
              list_time, list_held / (1 << 20));
  std::printf("time ratio %.2f (target <= %.1f), memory ratio %.2f (target <= %.1f): %s\n", time_ratio,
              zarn::kTimeTarget, memory_ratio, zarn::kMemoryTarget, met ? "met" : "NOT MET");
  return met ? 0 : 1;
}
