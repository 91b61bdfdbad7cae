// TMemoryRecord: one row of a memory table. The record id, the row's blob
// texts and variant values, and its data block of presence bytes and
// fixed-width values live in one allocation, so a loaded row costs one heap
// block whatever its number of fields, and short texts need no object of
// their own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dbf/memtable/row_layout.h"
#include "platform/dataset/variant.h"

namespace zarn {

class TMemoryRecord {
 public:
  struct Deleter {
    void operator()(TMemoryRecord* record) const { Destroy(record); }
  };
  using Ptr = std::unique_ptr<TMemoryRecord, Deleter>;

  // A row of the shape with a zeroed data block, empty blob texts and empty
  // variants.
  static Ptr Create(const TMemRowShape& shape, std::int32_t id);

  TMemoryRecord(const TMemoryRecord&) = delete;
  TMemoryRecord& operator=(const TMemoryRecord&) = delete;

  std::int32_t Id() const { return id_; }
  char* Data() { return reinterpret_cast<char*>(Variants() + variant_count_); }
  const char* Data() const { return const_cast<TMemoryRecord*>(this)->Data(); }
  std::string& Blob(int index) { return Blobs()[index]; }
  const std::string& Blob(int index) const { return const_cast<TMemoryRecord*>(this)->Blobs()[index]; }
  Variant& VariantValue(int index) { return Variants()[index]; }
  const Variant& VariantValue(int index) const { return const_cast<TMemoryRecord*>(this)->Variants()[index]; }
  // The first blob text and the first variant, for readers that index them.
  const std::string* BlobTexts() const { return const_cast<TMemoryRecord*>(this)->Blobs(); }
  const Variant* VariantValues() const { return const_cast<TMemoryRecord*>(this)->Variants(); }
  Variant* VariantValues() { return Variants(); }

 private:
  TMemoryRecord(std::int32_t id, std::uint16_t blob_count, std::uint16_t variant_count)
      : id_(id), blob_count_(blob_count), variant_count_(variant_count) {}
  static void Destroy(TMemoryRecord* record);

  std::string* Blobs() { return reinterpret_cast<std::string*>(this + 1); }
  Variant* Variants() { return reinterpret_cast<Variant*>(Blobs() + blob_count_); }

  std::int32_t id_;
  std::uint16_t blob_count_;
  std::uint16_t variant_count_;
};

static_assert(sizeof(TMemoryRecord) % alignof(std::string) == 0);
static_assert(sizeof(std::string) % alignof(Variant) == 0 && alignof(Variant) <= alignof(std::string));

}  // namespace zarn
