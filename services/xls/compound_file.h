// The OLE compound file ("structured storage", version 3) that holds an
// Excel 97-2003 workbook. It holds one stream, "Workbook", under the root
// entry, in standard 512-byte sectors. Streams shorter than 4096 bytes would
// belong in the mini stream; the workbook stream is padded with zero bytes up
// to that size instead (as Excel does), so one layout serves every workbook.
//
// Sectors in file order: the stream from sector 0, one directory sector, the
// FAT sectors, and DIFAT sectors when there are more FAT sectors than the 109
// that the header lists itself. The header is the 512 bytes before sector 0.
#pragma once

#include <cstdint>
#include <string>

namespace zarn {

constexpr uint32_t kCompoundSectorSize = 512;
constexpr uint64_t kCompoundMiniStreamCutoff = 4096;
// A version-3 file addresses sectors with 32 bits and keeps stream sizes in
// 32 bits; readers take the size as signed, so stay below 2 GiB.
constexpr uint64_t kMaxCompoundStreamSize = 0x7FFFFFFF - 0x100000;

struct CompoundFileLayout {
  uint64_t stream_size = 0;  // recorded size of "Workbook", padding included
  uint32_t stream_sectors = 0;
  uint32_t fat_sectors = 0;
  uint32_t difat_sectors = 0;

  uint32_t DirectorySector() const { return stream_sectors; }
  uint32_t FirstFatSector() const { return stream_sectors + 1; }
  uint32_t FirstDifatSector() const { return FirstFatSector() + fat_sectors; }
  uint32_t TotalSectors() const { return FirstDifatSector() + difat_sectors; }
  // Bytes between the end of the stream content and the directory sector.
  uint64_t PaddingAfter(uint64_t content_size) const {
    return uint64_t{stream_sectors} * kCompoundSectorSize - content_size;
  }
};

// Plans the file for a workbook stream of `content_size` bytes (at most
// kMaxCompoundStreamSize): the fewest FAT and DIFAT sectors that map every
// sector, themselves included.
CompoundFileLayout PlanCompoundFile(uint64_t content_size);

// The 512-byte file header of `layout`.
std::string CompoundFileHeader(const CompoundFileLayout& layout);

// The directory, FAT and DIFAT sectors that follow the stream's sectors.
std::string CompoundFileTail(const CompoundFileLayout& layout);

}  // namespace zarn
