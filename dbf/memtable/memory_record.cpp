#include "dbf/memtable/memory_record.h"

#include <cstring>
#include <new>

namespace zarn {

TMemoryRecord::Ptr TMemoryRecord::Create(const TMemRowShape& shape, std::int32_t id) {
  const std::size_t bytes = sizeof(TMemoryRecord) + shape.blob_count * sizeof(std::string) +
                            shape.variant_count * sizeof(Variant) + shape.data_size;
  void* memory = ::operator new(bytes);
  auto* record = new (memory) TMemoryRecord(id, static_cast<std::uint16_t>(shape.blob_count),
                                            static_cast<std::uint16_t>(shape.variant_count));
  for (int i = 0; i < shape.blob_count; ++i) new (record->Blobs() + i) std::string();
  for (int i = 0; i < shape.variant_count; ++i) new (record->Variants() + i) Variant();
  std::memset(record->Data(), 0, shape.data_size);
  return Ptr(record);
}

void TMemoryRecord::Destroy(TMemoryRecord* record) {
  for (int i = 0; i < record->blob_count_; ++i) record->Blobs()[i].~basic_string();
  for (int i = 0; i < record->variant_count_; ++i) record->Variants()[i].~Variant();
  record->~TMemoryRecord();
  ::operator delete(record);
}

}  // namespace zarn
