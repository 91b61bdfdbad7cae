#include "services/xls/compound_file.h"

#include <algorithm>
#include <cassert>
#include <string_view>

#include "services/xls/little_endian.h"

namespace zarn {
namespace {

// Special sector numbers of the FAT and the directory.
constexpr uint32_t kDifatSector = 0xFFFFFFFC;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kNoStream = 0xFFFFFFFF;

constexpr uint32_t kIdsPerSector = kCompoundSectorSize / 4;
constexpr uint32_t kHeaderDifatEntries = 109;
constexpr uint32_t kIdsPerDifatSector = kIdsPerSector - 1;  // the last id links the next one
[[maybe_unused]] constexpr uint32_t kDirectoryEntrySize = 128;  // checked by assert only

constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

uint32_t DivideRoundingUp(uint64_t value, uint64_t divisor) {
  return static_cast<uint32_t>((value + divisor - 1) / divisor);
}

enum DirectoryObjectType : uint8_t { kUnusedEntry = 0, kStreamEntry = 2, kRootEntry = 5 };

// Appends one 128-byte directory entry. Names are UTF-16 with a terminating
// zero; the two used entries are ASCII. The colour is black (1), which keeps
// the one-child red-black tree valid.
void AppendDirectoryEntry(std::string& out, std::string_view name, DirectoryObjectType type, uint32_t child,
                          uint32_t start_sector, uint64_t size) {
  const size_t begin = out.size();
  for (const char c : name) PutU16(out, static_cast<unsigned char>(c));
  out.resize(begin + 64, '\0');
  PutU16(out, static_cast<uint16_t>(name.empty() ? 0 : (name.size() + 1) * 2));
  PutU8(out, type);
  PutU8(out, type == kUnusedEntry ? 0 : 1);
  PutU32(out, kNoStream);  // left sibling
  PutU32(out, kNoStream);  // right sibling
  PutU32(out, child);
  out.resize(out.size() + 16 + 4 + 8 + 8, '\0');  // class id, state bits, creation and modification times
  PutU32(out, start_sector);
  PutU64(out, size);
  assert(out.size() - begin == kDirectoryEntrySize);
}

void AppendDirectorySector(std::string& out, const CompoundFileLayout& layout) {
  AppendDirectoryEntry(out, "Root Entry", kRootEntry, 1, kEndOfChain, 0);
  AppendDirectoryEntry(out, "Workbook", kStreamEntry, kNoStream, 0, layout.stream_size);
  AppendDirectoryEntry(out, "", kUnusedEntry, kNoStream, 0, 0);
  AppendDirectoryEntry(out, "", kUnusedEntry, kNoStream, 0, 0);
}

// The FAT: the stream is one chain 0 -> 1 -> ... -> end, the directory a
// one-sector chain, and the FAT and DIFAT sectors are marked as such.
void AppendFatSectors(std::string& out, const CompoundFileLayout& layout) {
  for (uint32_t s = 0; s + 1 < layout.stream_sectors; ++s) PutU32(out, s + 1);
  PutU32(out, kEndOfChain);  // last stream sector
  PutU32(out, kEndOfChain);  // directory
  for (uint32_t s = 0; s < layout.fat_sectors; ++s) PutU32(out, kFatSector);
  for (uint32_t s = 0; s < layout.difat_sectors; ++s) PutU32(out, kDifatSector);
  const uint32_t free_entries = layout.fat_sectors * kIdsPerSector - layout.TotalSectors();
  for (uint32_t s = 0; s < free_entries; ++s) PutU32(out, kFreeSector);
}

// The FAT sectors beyond the header's 109, 127 to a DIFAT sector, each DIFAT
// sector ending with the number of the next one.
void AppendDifatSectors(std::string& out, const CompoundFileLayout& layout) {
  uint32_t fat = kHeaderDifatEntries;
  for (uint32_t d = 0; d < layout.difat_sectors; ++d) {
    for (uint32_t i = 0; i < kIdsPerDifatSector; ++i, ++fat) {
      PutU32(out, fat < layout.fat_sectors ? layout.FirstFatSector() + fat : kFreeSector);
    }
    PutU32(out, d + 1 < layout.difat_sectors ? layout.FirstDifatSector() + d + 1 : kEndOfChain);
  }
}

}  // namespace

CompoundFileLayout PlanCompoundFile(uint64_t content_size) {
  assert(content_size <= kMaxCompoundStreamSize);
  CompoundFileLayout layout;
  layout.stream_size = std::max(content_size, kCompoundMiniStreamCutoff);
  layout.stream_sectors = DivideRoundingUp(layout.stream_size, kCompoundSectorSize);
  // More FAT sectors need more sectors mapped; grow until both settle.
  while (true) {
    const uint32_t fat = DivideRoundingUp(layout.TotalSectors(), kIdsPerSector);
    const uint32_t difat =
        fat > kHeaderDifatEntries ? DivideRoundingUp(fat - kHeaderDifatEntries, kIdsPerDifatSector) : 0;
    if (fat == layout.fat_sectors && difat == layout.difat_sectors) return layout;
    layout.fat_sectors = fat;
    layout.difat_sectors = difat;
  }
}

std::string CompoundFileHeader(const CompoundFileLayout& layout) {
  std::string out(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
  out.resize(out.size() + 16, '\0');  // class id
  PutU16(out, 0x003E);                // minor version
  PutU16(out, 0x0003);                // major version 3: 512-byte sectors
  PutU16(out, 0xFFFE);                // byte order mark: little-endian
  PutU16(out, 9);                     // sector size 2^9
  PutU16(out, 6);                     // mini sector size 2^6
  out.resize(out.size() + 6, '\0');   // reserved
  PutU32(out, 0);                     // directory sectors: always 0 in version 3
  PutU32(out, layout.fat_sectors);
  PutU32(out, layout.DirectorySector());
  PutU32(out, 0);  // transaction signature
  PutU32(out, static_cast<uint32_t>(kCompoundMiniStreamCutoff));
  PutU32(out, kEndOfChain);  // no mini FAT
  PutU32(out, 0);
  PutU32(out, layout.difat_sectors ? layout.FirstDifatSector() : kEndOfChain);
  PutU32(out, layout.difat_sectors);
  for (uint32_t i = 0; i < kHeaderDifatEntries; ++i) {
    PutU32(out, i < layout.fat_sectors ? layout.FirstFatSector() + i : kFreeSector);
  }
  assert(out.size() == kCompoundSectorSize);
  return out;
}

std::string CompoundFileTail(const CompoundFileLayout& layout) {
  std::string out;
  out.reserve(uint64_t{layout.TotalSectors() - layout.stream_sectors} * kCompoundSectorSize);
  AppendDirectorySector(out, layout);
  AppendFatSectors(out, layout);
  AppendDifatSectors(out, layout);
  assert(out.size() == uint64_t{layout.TotalSectors() - layout.stream_sectors} * kCompoundSectorSize);
  return out;
}

}  // namespace zarn
