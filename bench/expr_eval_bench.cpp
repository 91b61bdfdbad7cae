// Speed of the filter expression «(NC>=10.5) AND (FIELD('MJ')='kg')» over
// every record of a DBF table read through the table handle. The target is
// at least 5,000,000 records per second; the figure is printed as
// "records/s" by Google Benchmark and once more at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "dbf/expr/db_parser.h"
#include "dbf/expr/dbf_test_file.h"
#include "dbf/handle.h"

namespace zarn {
namespace {

constexpr int kRecords = 1000000;
constexpr const char* kExpression = "(NC>=10.5) AND (FIELD('MJ')='kg')";
bool table_written = false;

// A price-list-like table: NAZEV C(30), NC N(10,2), MJ C(3).
const std::string& TablePath() {
  static const std::string path = [] {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("expr_eval_bench_" + std::to_string(::getpid()) + ".dbf")).string();
    std::vector<std::string> records;
    records.reserve(kRecords);
    char number[16];
    for (int i = 0; i < kRecords; ++i) {
      std::snprintf(number, sizeof number, "%10.2f", (i % 2000) / 100.0);
      std::string name = "Osivo " + std::to_string(i);
      name.resize(30, ' ');
      records.push_back(name + number + (i % 3 == 0 ? "t  " : "kg "));
    }
    table_written = true;
    WriteTestDbf(file, {{"NAZEV", 'C', 30}, {"NC", 'N', 10, 2}, {"MJ", 'C', 3}}, records);
    return file;
  }();
  return path;
}

// Reads every record through the handle and tests the expression on it.
void BM_FilterEveryRecord(benchmark::State& state) {
  TDbfOpenOptions options;
  options.cache_capacity = 1000;
  TDbfHandle handle(TablePath(), true, false, &options);
  if (handle.Status() != 0) return state.SkipWithError("cannot open the table");
  TDsDbParser parser(&handle);
  parser.SetExpression(kExpression);
  std::int64_t passed = 0;
  for (auto _ : state) {
    handle.MoveFirst();
    while (handle.ReadNext(nullptr, nullptr) == 0) passed += parser.IsTrue();
  }
  benchmark::DoNotOptimize(passed);
  state.SetItemsProcessed(state.iterations() * kRecords);
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kRecords,
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FilterEveryRecord)->Unit(benchmark::kMillisecond);

// The evaluation alone, on one current record.
void BM_EvaluateCurrentRecord(benchmark::State& state) {
  TDbfHandle handle(TablePath(), true, false, nullptr);
  if (handle.Status() != 0 || handle.ReadNext(nullptr, nullptr) != 0) return state.SkipWithError("no record");
  TDsDbParser parser(&handle);
  parser.SetExpression(kExpression);
  for (auto _ : state) benchmark::DoNotOptimize(parser.IsTrue());
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EvaluateCurrentRecord);

}  // namespace
}  // namespace zarn

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (zarn::table_written) std::filesystem::remove(zarn::TablePath());
  return 0;
}
