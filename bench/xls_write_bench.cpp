// Export of a register-sized list into zarn.xls: 200,000 rows of 28 columns
// (texts with Czech letters, numbers, dates, some nulls) through the workbook
// writer, reported as rows per second and the size of the file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/datetime.h"
#include "platform/win1250.h"
#include "services/xls/xls_writer.h"

namespace zarn {
namespace {

constexpr int64_t kRows = 200000;
constexpr int kTextColumns = 10;
constexpr int kNumberColumns = 12;
constexpr int kDateColumns = 6;

// Rows made up as they are asked for, from texts prepared beforehand, so the
// benchmark measures the writer and not the source.
class RegisterLikeSource : public XlsRowSource {
 public:
  RegisterLikeSource() {
    for (int i = 0; i < 5000; ++i) {
      texts_.push_back(Utf8ToWin1250("Zemědělské družstvo Řečice, středisko č. " + std::to_string(i)));
    }
    for (int i = 0; i < 300; ++i) texts_.push_back("ODRUDA " + std::to_string(i));
  }

  std::vector<XlsColumn> Columns() override {
    std::vector<XlsColumn> columns;
    for (int c = 0; c < kTextColumns; ++c) columns.push_back({"text" + std::to_string(c), XlsColumnKind::kText});
    for (int c = 0; c < kNumberColumns; ++c) columns.push_back({"cislo" + std::to_string(c), XlsColumnKind::kNumber});
    for (int c = 0; c < kDateColumns; ++c) columns.push_back({"datum" + std::to_string(c), XlsColumnKind::kDate});
    return columns;
  }

  bool NextRow(std::span<XlsValue> values) override {
    if (row_ == kRows) return false;
    ++row_;
    size_t c = 0;
    for (int i = 0; i < kTextColumns; ++i, ++c) {
      values[c] = {false, 0, texts_[(row_ * 7 + i * 131) % texts_.size()]};
    }
    for (int i = 0; i < kNumberColumns; ++i, ++c) values[c] = {false, row_ * 0.25 + i, {}};
    for (int i = 0; i < kDateColumns; ++i, ++c) values[c] = {row_ % 10 == i, kFirstDay + row_ % 3650, {}};
    return true;
  }

 private:
  static constexpr double kFirstDay = 36475;  // 11 November 1999
  std::vector<std::string> texts_;
  int64_t row_ = 0;
};

void BM_WriteZarnXls(benchmark::State& state) {
  const std::filesystem::path target = std::filesystem::temp_directory_path() / "xls_write_bench.xls";
  int64_t rows = 0;
  for (auto _ : state) {
    RegisterLikeSource source;
    const XlsWriteResult result = WriteXlsWorkbook(target, Utf8ToWin1250("Evidence licenčních poplatků"), source);
    if (!result.ok) {
      state.SkipWithError(Win1250ToUtf8(result.message).c_str());
      break;
    }
    rows += result.rows;
    state.counters["sheets"] = result.sheets;
  }
  state.counters["rows_per_second"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
  std::error_code ignored;
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(target, ignored)) / 1e6;
  std::filesystem::remove(target, ignored);
}
BENCHMARK(BM_WriteZarnXls)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace zarn

BENCHMARK_MAIN();
