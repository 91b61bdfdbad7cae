// Opens a table from arbitrary bytes and walks it as the dataset would:
// every record forwards and backwards, every field decoded, every memo
// measured and read. The first two bytes split the input into the table file
// and its memo file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "dbf/table_api.h"

namespace {

std::string Folder() {
  static std::string folder = [] {
    char pattern[] = "/dev/shm/dbffuzzXXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
      char fallback[] = "/tmp/dbffuzzXXXXXX";
      made = mkdtemp(fallback);
      return std::string(made);
    }
    return std::string(made);
  }();
  return folder;
}

void Store(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

void WalkFields(zarn::TDbfHandle* h) {
  std::vector<char> value(512);
  for (const auto& field : h->Header()->Fields()) {
    field->GetData(nullptr, value.data());
    field->GetAsString(nullptr);
    field->GetAsFloat(nullptr);
    field->GetAsDateTime(nullptr);
    if (field->Rule() == zarn::FieldRule::kBlock) {
      uint32_t size = 0, read = 0;
      if (zarn::GetBlobSize(h, nullptr, field->FieldNo(), &size) == 0) {
        std::vector<char> memo(std::min<uint32_t>(size, 1 << 16));
        zarn::ReadBlob(h, nullptr, field->FieldNo(), 0, memo.data(), static_cast<uint32_t>(memo.size()), &read);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t table_size = std::min<size_t>(size - 2, (data[0] << 8) | data[1]);
  const std::string table = Folder() + "/t.dbf";
  Store(table, data + 2, table_size);
  const uint8_t* memo = data + 2 + table_size;
  const size_t memo_size = size - 2 - table_size;
  Store(Folder() + "/t.dbt", memo, memo_size);
  Store(Folder() + "/t.fpt", memo, memo_size);

  zarn::TDbfOpenOptions options;
  options.cache_capacity = 3;
  options.show_deleted = (table_size & 1) != 0;
  zarn::TDbfHandlePtr h;
  if (zarn::OpenTable(table, true, false, &options, &h) != 0) return 0;
  int steps = 0;
  zarn::MoveFirst(h.get());
  while (zarn::ReadNext(h.get(), nullptr, nullptr) == 0 && ++steps < 1000) WalkFields(h.get());
  zarn::MoveLast(h.get());
  while (zarn::ReadPrior(h.get(), nullptr, nullptr) == 0 && ++steps < 2000) WalkFields(h.get());
  zarn::CloseTable(&h);
  return 0;
}
