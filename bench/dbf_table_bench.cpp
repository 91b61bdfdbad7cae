// The memory table over a price list DBF file of 1,000,000 records (13
// fields: five C, five N, three D): the file is read into a memory table
// (CopyFromDataSet from TDsDbfTable), sorted on a Czech text key and on two
// keys, searched for its last row with Locate, and written out into a new DBF
// file (CopyToDataSet). Memory of the loaded table is set against the size of
// the file. The file is made once per run in a private temporary folder.
//
//   dbf_table_bench [--rows=N]   (default 1,000,000)
//
// Targets: copy in >= 1,000,000 rows/s, sort on the text key < 2 s, memory
// of the table <= 2 x the file. Every figure is printed as a counter;
// bench/memtable_targets.sh prints them against the targets.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <QLocale>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/ds_database.h"
#include "dbf/memtable/mem_table.h"
#include "dbf/table_api.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

int g_rows = 1000000;

struct PriceColumn {
  const char* name;
  TFieldType type;
  int size;       // text length, or decimals of a number
  int precision;  // length of a number
};

// N(12,2) and N(10,3) come from BCD definitions, which keep their length and
// decimals; the table reads them back as ftFloat.
constexpr PriceColumn kColumns[] = {
    {"KOD", ftString, 10, 0},   {"NAZEV", ftString, 40, 0},  {"DRUH", ftString, 6, 0},
    {"ODRUDA", ftString, 20, 0}, {"JEDNOTKA", ftString, 4, 0}, {"CENA", ftBCD, 2, 12},
    {"CENA_DPH", ftBCD, 2, 12}, {"SAZBA", ftBCD, 2, 6},      {"MNOZSTVI", ftBCD, 3, 10},
    {"HMOTNOST", ftBCD, 3, 10}, {"PLATI_OD", ftDate, 0, 0},  {"PLATI_DO", ftDate, 0, 0},
    {"ZMENA", ftDate, 0, 0}};

std::string CzechWord(std::mt19937& random) {
  static const char* const kParts[] = {"ch", "č", "c", "h", "ř", "r", "a", "á", "e", "é", "ov", "ka", "š", "s",
                                      "ž", "z", "ý", "i", "ů", "u", "ně", "ní", "Č", "Ch", "B", "Ž"};
  std::string utf8;
  const int parts = 3 + static_cast<int>(random() % 6);
  for (int i = 0; i < parts; ++i) utf8 += kParts[random() % std::size(kParts)];
  return Utf8ToWin1250(utf8);
}

// The folder with cenik.dbf, made at the first call; removed at exit.
class PriceListFolder {
 public:
  PriceListFolder() {
    std::string pattern = (std::filesystem::exists("/dev/shm") ? std::string("/dev/shm")
                                                                : std::filesystem::temp_directory_path().string()) +
                          "/dbftablebenchXXXXXX";
    folder_ = mkdtemp(pattern.data());
    database_.SetDatabaseName(folder_);
    Create();
    Fill();
  }
  ~PriceListFolder() {
    database_.Close();
    std::filesystem::remove_all(folder_);
  }

  TDsDatabase& Database() { return database_; }
  const std::string& Folder() const { return folder_; }
  long long FileSize() const { return static_cast<long long>(std::filesystem::file_size(folder_ + "/cenik.dbf")); }

  std::unique_ptr<TDsDbfTable> Table(const std::string& name) {
    auto table = std::make_unique<TDsDbfTable>();
    table->SetDatabase(&database_);
    table->SetTableName(name);
    return table;
  }

 private:
  void Create() {
    auto table = Table("cenik.dbf");
    for (const PriceColumn& column : kColumns) {
      TFieldDef& def = table->FieldDefs().Add(column.name, column.type, column.size);
      if (column.precision) def.SetPrecision(column.precision);
    }
    table->CreateTable();
  }

  // Records go through the handle, a record image at a time: the dataset's
  // Append and Post are not what this benchmark measures.
  void Fill() {
    TDbfOpenOptions options;
    TDbfHandle handle(folder_ + "/cenik.dbf", false, true, &options);
    std::vector<char> image(static_cast<size_t>(handle.GetRecordSize()));
    std::mt19937 random(42);
    for (int row = 0; row < g_rows; ++row) {
      handle.InitRecord(image.data());
      const std::string texts[] = {std::to_string(1000000 + row), CzechWord(random) + " " + CzechWord(random),
                                   CzechWord(random).substr(0, 6), CzechWord(random), row % 3 ? "kg" : "t"};
      for (int i = 0; i < 5; ++i) SetFieldValue(&handle, i + 1, image.data(), texts[i].c_str());
      for (int i = 5; i < 10; ++i) {
        const double number = (random() % 10000000) / 1000.0;
        SetFieldValue(&handle, i + 1, image.data(), &number);
      }
      for (int i = 10; i < 13; ++i) {
        const int32_t day_number = DateTimeToDayNumber(40000 + random() % 9000);
        SetFieldValue(&handle, i + 1, image.data(), &day_number);
      }
      handle.AppendRecord(image.data(), false);
    }
    handle.Flush();
  }

  std::string folder_;
  TDsDatabase database_;
};

std::unique_ptr<PriceListFolder> g_prices;

PriceListFolder& Prices() {
  if (!g_prices) g_prices = std::make_unique<PriceListFolder>();
  return *g_prices;
}

size_t HeapInUse() { return mallinfo2().uordblks; }

// The price list read into a memory table, kept for the benchmarks that
// only read it.
TDsMemTable& Loaded() {
  static TDsMemTable* table = [] {
    auto* loaded = new TDsMemTable;
    loaded->CopyFromDataSet(*Prices().Table("cenik.dbf"), 0, cmReplace);
    return loaded;
  }();
  return *table;
}

void BM_CopyFromDbfFile(benchmark::State& state) {
  PriceListFolder& prices = Prices();
  for (auto _ : state) {
    state.PauseTiming();
    auto source = prices.Table("cenik.dbf");
    auto table = std::make_unique<TDsMemTable>();
    const size_t before = HeapInUse();
    state.ResumeTiming();
    const int32_t copied = table->CopyFromDataSet(*source, 0, cmReplace);
    state.PauseTiming();
    const double bytes = static_cast<double>(HeapInUse() - before);
    state.SetItemsProcessed(state.items_processed() + copied);
    state.counters["rows"] = copied;
    state.counters["table_MB"] = bytes / 1e6;
    state.counters["dbf_file_MB"] = static_cast<double>(prices.FileSize()) / 1e6;
    state.counters["memory_to_dbf"] = bytes / static_cast<double>(prices.FileSize());
    table.reset();
    state.ResumeTiming();
  }
}

// A copy of the loaded table to sort, made outside the timing.
std::unique_ptr<TDsMemTable> SortableCopy(benchmark::State& state) {
  state.PauseTiming();
  auto table = std::make_unique<TDsMemTable>();
  table->CopyFromDataSet(Loaded(), 0, cmReplace);
  state.ResumeTiming();
  return table;
}

void SortBenchmark(benchmark::State& state, const char* keys, bool case_insensitive) {
  for (auto _ : state) {
    auto table = SortableCopy(state);
    table->SortByFields(keys, case_insensitive);
    state.PauseTiming();
    table.reset();
    state.ResumeTiming();
  }
  state.counters["rows"] = g_rows;
}

void BM_SortByCzechText(benchmark::State& state) { SortBenchmark(state, "NAZEV", false); }
void BM_SortByTwoFields(benchmark::State& state) { SortBenchmark(state, "DRUH;CENA", true); }

void BM_LocateLastRow(benchmark::State& state) {
  TDsMemTable& table = Loaded();
  table.Last();
  const Variant key = table.FieldByName("KOD").AsVariant();
  for (auto _ : state) {
    table.First();
    if (!table.Locate("KOD", key, 0)) state.SkipWithError("last row not found");
  }
  state.counters["rows"] = g_rows;
}

void BM_CopyToNewDbfFile(benchmark::State& state) {
  TDsMemTable& source = Loaded();
  for (auto _ : state) {
    state.PauseTiming();
    auto target = Prices().Table("kopie.dbf");
    target->FieldDefs().Assign(source.FieldDefs());
    target->CreateTable();
    state.ResumeTiming();
    const int32_t copied = source.CopyToDataSet(*target, 0);
    target->Close();
    state.SetItemsProcessed(state.items_processed() + copied);
    state.counters["rows"] = copied;
  }
}

BENCHMARK(BM_CopyFromDbfFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortByCzechText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortByTwoFields)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LocateLastRow)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CopyToNewDbfFile)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace zarn

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--rows=", 7) == 0) zarn::g_rows = std::atoi(argv[i] + 7);
  QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  zarn::g_prices.reset();
  return 0;
}
