// Reading and writing a price list of 1,000,000 records (13 fields: C, N and
// D) through the engine, side by side with Debian's shapelib doing the same
// and with plain read() calls of 64 KiB over the file. DBF_BENCH_RECORDS
// changes the record count; bench/dbf_compare.sh prints the ratios.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "dbf/table_api.h"
#ifdef ZARN_HAVE_SHAPELIB
#include <shapefil.h>
#endif

namespace zarn {
namespace {

struct Column {
  const char* name;
  char letter;
  int length, decimals;
};

// The price list: five texts, five numbers, three dates.
constexpr Column kColumns[] = {
    {"KOD", 'C', 10, 0},     {"NAZEV", 'C', 40, 0},   {"DRUH", 'C', 6, 0},     {"ODRUDA", 'C', 20, 0},
    {"JEDNOTKA", 'C', 4, 0}, {"CENA", 'N', 12, 2},    {"CENA_DPH", 'N', 12, 2}, {"SAZBA", 'N', 6, 2},
    {"MNOZSTVI", 'N', 10, 3}, {"HMOTNOST", 'N', 10, 3}, {"PLATI_OD", 'D', 8, 0}, {"PLATI_DO", 'D', 8, 0},
    {"ZMENA", 'D', 8, 0}};
constexpr int kColumnCount = 13;
constexpr int kDistinctRows = 997;

int RecordCount() {
  const char* text = std::getenv("DBF_BENCH_RECORDS");
  return text != nullptr ? std::atoi(text) : 1000000;
}

std::string BenchFolder() {
  static std::string folder = [] {
    std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
    std::string pattern = base + "/dbfbenchXXXXXX";
    return std::string(mkdtemp(pattern.data()));
  }();
  return folder;
}

// Values of one row, made before timing so that both writers get the same
// input and only their own work is measured.
struct Row {
  std::string text[5];
  double number[5];
  int32_t day_number[3];
  std::string date_text[3];
};

const std::vector<Row>& Rows() {
  static std::vector<Row> rows = [] {
    std::vector<Row> made(kDistinctRows);
    for (int i = 0; i < kDistinctRows; ++i) {
      Row& r = made[static_cast<size_t>(i)];
      r.text[0] = "K" + std::to_string(100000 + i);
      r.text[1] = "P\x9A" "enice ozim\xE1 odr\xF9" "da " + std::to_string(i);
      r.text[2] = "OBI" + std::to_string(i % 7);
      r.text[3] = "Odr\xF9" "da " + std::to_string(i * 7 % 1000);
      r.text[4] = i % 2 ? "kg" : "t";
      r.number[0] = (i * 37 % 100000) / 100.0;
      r.number[1] = r.number[0] * 1.21;
      r.number[2] = 21.0;
      r.number[3] = (i * 113 % 1000000) / 1000.0;
      r.number[4] = -(i % 500) / 8.0;
      for (int d = 0; d < 3; ++d) {
        TDateTime date = EncodeDate(2000 + (i + d) % 25, 1 + i % 12, 1 + (i + d) % 28);
        r.day_number[d] = DateTimeToDayNumber(date);
        r.date_text[d] = FormatDateTime("yyyymmdd", date);
      }
    }
    return made;
  }();
  return rows;
}

TFieldType TypeOf(const Column& c) { return c.letter == 'C' ? ftString : c.letter == 'D' ? ftDate : ftBCD; }

void WriteWithEngine(const std::string& path, int records) {
  TDbfOpenOptions create;
  create.create = true;
  TDbfHandle h(path, false, true, &create);
  // BCD pairs give N fields of exactly the price list's lengths and decimals.
  for (const Column& c : kColumns) h.DefineField(c.name, TypeOf(c), c.letter == 'N' ? c.decimals : c.length, c.length, false);
  h.WriteNewTable();
  std::vector<char> record(static_cast<size_t>(h.GetRecordSize()));
  const auto& fields = h.Header()->Fields();
  for (int n = 0; n < records; ++n) {
    const Row& r = Rows()[static_cast<size_t>(n % kDistinctRows)];
    h.InitRecord(record.data());
    for (int c = 0; c < 5; ++c) fields[static_cast<size_t>(c)]->SetData(record.data(), r.text[c].c_str());
    for (int c = 0; c < 5; ++c) fields[static_cast<size_t>(5 + c)]->SetData(record.data(), &r.number[c]);
    for (int c = 0; c < 3; ++c) fields[static_cast<size_t>(10 + c)]->SetData(record.data(), &r.day_number[c]);
    h.AppendRecord(record.data(), false);
  }
  h.Flush();
}

const std::string& PriceList() {
  static std::string path = [] {
    std::string p = BenchFolder() + "/cenik.dbf";
    WriteWithEngine(p, RecordCount());
    return p;
  }();
  return path;
}

void BM_EngineRead(benchmark::State& state) {
  const std::string& path = PriceList();
  // One value buffer serves every field: each GetData writes the field's
  // value kind (text, double or day number) into it.
  alignas(8) char value[256];
  for (auto _ : state) {
    TDbfOpenOptions options;
    options.cache_capacity = 512;
    TDbfHandle h(path, true, false, &options);
    const auto& fields = h.Header()->Fields();
    int64_t records = 0;
    while (h.ReadNext(nullptr, nullptr) == 0) {
      for (const auto& f : fields) {
        benchmark::DoNotOptimize(f->GetData(nullptr, value));
        benchmark::DoNotOptimize(value);
      }
      ++records;
    }
    state.counters["records"] = static_cast<double>(records);
  }
}
BENCHMARK(BM_EngineRead)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlainRead64K(benchmark::State& state) {
  const std::string& path = PriceList();
  std::vector<char> block(64 * 1024);
  for (auto _ : state) {
    int fd = ::open(path.c_str(), O_RDONLY);
    ssize_t n;
    uint64_t sum = 0;
    while ((n = ::read(fd, block.data(), block.size())) > 0) sum += static_cast<unsigned char>(block[0]);
    ::close(fd);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_PlainRead64K)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_EngineWrite(benchmark::State& state) {
  const std::string path = BenchFolder() + "/engine_write.dbf";
  for (auto _ : state) WriteWithEngine(path, RecordCount());
  std::filesystem::remove(path);
}
BENCHMARK(BM_EngineWrite)->Unit(benchmark::kMillisecond)->Iterations(3);

#ifdef ZARN_HAVE_SHAPELIB
void BM_ShapelibRead(benchmark::State& state) {
  const std::string& path = PriceList();
  for (auto _ : state) {
    DBFHandle dbf = DBFOpen(path.c_str(), "rb");
    const int records = DBFGetRecordCount(dbf);
    for (int n = 0; n < records; ++n) {
      for (int c = 0; c < kColumnCount; ++c) {
        if (kColumns[c].letter == 'N') {
          benchmark::DoNotOptimize(DBFReadDoubleAttribute(dbf, n, c));
        } else {
          benchmark::DoNotOptimize(DBFReadStringAttribute(dbf, n, c));
        }
      }
    }
    DBFClose(dbf);
  }
}
BENCHMARK(BM_ShapelibRead)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ShapelibWrite(benchmark::State& state) {
  const std::string path = BenchFolder() + "/shapelib_write.dbf";
  const int records = RecordCount();
  for (auto _ : state) {
    DBFHandle dbf = DBFCreate(path.c_str());
    for (const Column& c : kColumns)
      DBFAddNativeFieldType(dbf, c.name, c.letter, c.length, c.decimals);
    for (int n = 0; n < records; ++n) {
      const Row& r = Rows()[static_cast<size_t>(n % kDistinctRows)];
      for (int c = 0; c < 5; ++c) DBFWriteStringAttribute(dbf, n, c, r.text[c].c_str());
      for (int c = 0; c < 5; ++c) DBFWriteDoubleAttribute(dbf, n, 5 + c, r.number[c]);
      for (int c = 0; c < 3; ++c) DBFWriteStringAttribute(dbf, n, 10 + c, r.date_text[c].c_str());
    }
    DBFClose(dbf);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ShapelibWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace
}  // namespace zarn

BENCHMARK_MAIN();
