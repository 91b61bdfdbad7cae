// Memory table on a price list of a million rows (13 fields: texts, numbers,
// dates, as the nomenclature price list has them): copying in from another
// dataset, sorting on a Czech text key and on two keys, locating the last
// row, copying out, and the memory of the loaded table against the size of
// the DBF file that holds the same rows.
//
//   memtable_bench [--rows=N]   (default 1,000,000)
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QLocale>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "dbf/memtable/mem_table.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

int g_rows = 1000000;

struct PriceField {
  const char* name;
  TFieldType type;
  int size;       // text length
  int dbf_width;  // bytes of the field in a DBF record (C: size, N: 12, D: 8)
};

constexpr PriceField kPriceFields[] = {
    {"KOD", ftString, 10, 10},    {"NAZEV", ftString, 40, 40}, {"DRUH", ftString, 10, 10},
    {"ODRUDA", ftString, 20, 20}, {"JEDNOTKA", ftString, 3, 3}, {"CENA", ftFloat, 0, 12},
    {"POPLATEK", ftFloat, 0, 12}, {"DPH", ftFloat, 0, 12},      {"HMOTNOST", ftFloat, 0, 12},
    {"BALENI", ftFloat, 0, 12},   {"PLATNOOD", ftDate, 0, 8},   {"PLATNODO", ftDate, 0, 8},
    {"ZMENA", ftDate, 0, 8},
};

// Bytes of a DBF file with these fields and rows: prefix, descriptors,
// terminator, records with their deletion flag, end-of-file mark.
long long DbfFileSize(long long rows) {
  int record = 1;
  for (const PriceField& field : kPriceFields) record += field.dbf_width;
  return 32 + 32LL * std::size(kPriceFields) + 1 + rows * record + 1;
}

std::string CzechWord(std::mt19937& random) {
  static const char* const kParts[] = {"ch", "č", "c", "h", "ř", "r", "a", "á", "e", "é", "ov", "ka", "š", "s",
                                      "ž", "z", "ý", "i", "ů", "u", "ně", "ní", "Č", "Ch", "B", "Ž"};
  std::string utf8;
  const int parts = 3 + static_cast<int>(random() % 6);
  for (int i = 0; i < parts; ++i) utf8 += kParts[random() % std::size(kParts)];
  return Utf8ToWin1250(utf8);
}

void DefinePriceList(TDataSet& table) {
  for (const PriceField& field : kPriceFields) table.FieldDefs().Add(field.name, field.type, field.size);
}

// The source: a memory table filled once through the dataset interface.
TDsMemTable& Source() {
  static TDsMemTable* source = [] {
    auto* table = new TDsMemTable;
    DefinePriceList(*table);
    table->SetCapacity(g_rows);
    table->Open();
    std::mt19937 random(42);
    std::vector<TField*> fields;
    for (const PriceField& field : kPriceFields) fields.push_back(&table->FieldByName(field.name));
    for (int row = 0; row < g_rows; ++row) {
      table->Append();
      fields[0]->SetAsString(std::to_string(1000000 + row));
      fields[1]->SetAsString(CzechWord(random) + " " + CzechWord(random));
      fields[2]->SetAsString(CzechWord(random).substr(0, 10));
      fields[3]->SetAsString(CzechWord(random));
      fields[4]->SetAsString("kg");
      for (int i = 5; i < 10; ++i) fields[i]->SetAsFloat((random() % 1000000) / 100.0);
      for (int i = 10; i < 13; ++i) fields[i]->SetAsDateTime(40000 + random() % 9000);
      table->Post();
    }
    return table;
  }();
  return *source;
}

size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_CopyFromDataSet(benchmark::State& state) {
  TDsMemTable& source = Source();
  for (auto _ : state) {
    TDsMemTable table;
    table.SetCapacity(g_rows);
    const size_t before = HeapInUse();
    const int32_t copied = table.CopyFromDataSet(source, 0, cmReplace);
    const double bytes = static_cast<double>(HeapInUse() - before);
    state.counters["rows"] = copied;
    state.SetItemsProcessed(state.items_processed() + copied);
    state.counters["table_MB"] = bytes / 1e6;
    state.counters["dbf_file_MB"] = static_cast<double>(DbfFileSize(copied)) / 1e6;
    state.counters["memory_to_dbf"] = bytes / static_cast<double>(DbfFileSize(copied));
  }
}

// A copy of the source to sort, made outside the timing.
std::unique_ptr<TDsMemTable> SortableCopy(benchmark::State& state) {
  state.PauseTiming();
  auto table = std::make_unique<TDsMemTable>();
  table->CopyFromDataSet(Source(), 0, cmReplace);
  state.ResumeTiming();
  return table;
}

void BM_SortByCzechText(benchmark::State& state) {
  for (auto _ : state) {
    auto table = SortableCopy(state);
    table->SortByFields("NAZEV");
    state.PauseTiming();
    table.reset();
    state.ResumeTiming();
  }
  state.counters["rows"] = g_rows;
}

void BM_SortByTwoFields(benchmark::State& state) {
  for (auto _ : state) {
    auto table = SortableCopy(state);
    table->SortByFields("DRUH;CENA", true);
    state.PauseTiming();
    table.reset();
    state.ResumeTiming();
  }
  state.counters["rows"] = g_rows;
}

void BM_LocateLastRow(benchmark::State& state) {
  TDsMemTable& source = Source();
  source.Last();
  const Variant key = source.FieldByName("KOD").AsVariant();
  for (auto _ : state) {
    source.First();
    if (!source.Locate("KOD", key, 0)) state.SkipWithError("last row not found");
  }
  state.counters["rows"] = g_rows;
}

void BM_CopyToDataSet(benchmark::State& state) {
  TDsMemTable& source = Source();
  for (auto _ : state) {
    state.PauseTiming();
    TDsMemTable target;
    target.CopyStructureFrom(&source);
    target.SetCapacity(g_rows);
    target.Open();
    state.ResumeTiming();
    const int32_t copied = source.CopyToDataSet(target, 0);
    state.SetItemsProcessed(state.items_processed() + copied);
    state.PauseTiming();
    target.Close();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_CopyFromDataSet)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_SortByCzechText)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_SortByTwoFields)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_LocateLastRow)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_CopyToDataSet)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace zarn

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--rows=", 7) == 0) zarn::g_rows = std::atoi(argv[i] + 7);
  QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
