#include "services/xls/compound_file.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

// Every sector must be mapped by the FAT, with no FAT sector to spare, and the
// FAT sectors beyond the header's 109 must be listed by the DIFAT sectors.
TEST(CompoundFileTest, PlanMapsEverySectorWithTheFewestFatSectors) {
  const uint64_t sizes[] = {0, 1, 4096, 4097, 127 * 512, 128 * 512, 13'800 * 512, 13'900 * 512,
                            109ull * 128 * 512, 30'000'000, 200'000'000, kMaxCompoundStreamSize};
  for (const uint64_t size : sizes) {
    const CompoundFileLayout layout = PlanCompoundFile(size);
    EXPECT_GE(layout.stream_size, size) << size;
    EXPECT_GE(layout.stream_size, kCompoundMiniStreamCutoff) << size;
    EXPECT_EQ(layout.stream_sectors, (layout.stream_size + 511) / 512) << size;
    EXPECT_GE(layout.fat_sectors * 128ull, layout.TotalSectors()) << size;
    EXPECT_LT((layout.fat_sectors - 1) * 128ull, layout.TotalSectors()) << size;
    const uint32_t beyond_header = layout.fat_sectors > 109 ? layout.fat_sectors - 109 : 0;
    EXPECT_GE(layout.difat_sectors * 127ull, beyond_header) << size;
    EXPECT_LT(layout.difat_sectors * 127ull, beyond_header + 127) << size;
    EXPECT_EQ(CompoundFileHeader(layout).size(), 512u);
    EXPECT_EQ(CompoundFileTail(layout).size(), (layout.TotalSectors() - layout.stream_sectors) * 512ull);
  }
}

}  // namespace
}  // namespace zarn
