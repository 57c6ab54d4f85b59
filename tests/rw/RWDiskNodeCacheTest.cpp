#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "rw/RWDiskNodeCache.h"
#include "rw/RWFileSpaceManager.h"
#include "tests/rw/DiskFileTestSupport.h"

namespace {
using Block = std::array<uint8_t, 8>;

Block Filled(uint8_t value) {
    Block block;
    block.fill(value);
    return block;
}

// Changes the file behind the cache's back.
void Overwrite(RWFileSpaceManager& heap, uint32_t offset, uint8_t value) {
    const Block block = Filled(value);
    ASSERT_TRUE(heap.SeekTo(offset));
    ASSERT_TRUE(heap.Write(block.data(), block.size()));
}
} // namespace

TEST(RWDiskNodeCacheTest, WritesGoThroughAndTheLeastRecentlyUsedSlotIsReused) {
    TempFolder folder;
    const std::string path = folder.Path("cache.dat");
    RWFileSpaceManager heap(path.c_str());
    RWDiskNodeCache cache(heap, 8, 2);
    const Block a = Filled(0xA1), b = Filled(0xB2), c = Filled(0xC3);
    ASSERT_TRUE(cache.Write(300, a.data()));
    ASSERT_TRUE(cache.Write(308, b.data()));
    heap.Flush();
    EXPECT_EQ(Slice(ReadFileBytes(path), 300, 16), Concat({Bytes(8, 0xA1), Bytes(8, 0xB2)}));

    Block out{};
    ASSERT_TRUE(cache.Read(300, out.data())); // 300 is now the most recent
    Overwrite(heap, 316, 0xC3);
    ASSERT_TRUE(cache.Read(316, out.data())); // takes 308's slot
    EXPECT_EQ(out, c);

    // Served from the cache: 300 still reads as it was cached...
    Overwrite(heap, 300, 0x11);
    Overwrite(heap, 308, 0x22);
    ASSERT_TRUE(cache.Read(300, out.data()));
    EXPECT_EQ(out, a);
    // ...while 308 left the cache and is read from the file again.
    ASSERT_TRUE(cache.Read(308, out.data()));
    EXPECT_EQ(out, Filled(0x22));
}

TEST(RWDiskNodeCacheTest, FailedReadsAnswerFalseAndLeaveNoImage) {
    TempFolder folder;
    const std::string path = folder.Path("cache.dat");
    RWFileSpaceManager heap(path.c_str());
    RWDiskNodeCache cache(heap, 8, 2);
    Block out{};
    EXPECT_FALSE(cache.Read(5000, out.data())); // beyond the file
    EXPECT_FALSE(cache.Read(0x80000000u, out.data()));
    EXPECT_FALSE(cache.Read(0xFFFFFFFFu, out.data()));
    Overwrite(heap, 5000, 0x5A);
    ASSERT_TRUE(cache.Read(5000, out.data()));
    EXPECT_EQ(out, Filled(0x5A));
}

TEST(RWDiskNodeCacheTest, HasAtLeastOneSlot) {
    TempFolder folder;
    const std::string path = folder.Path("cache.dat");
    RWFileSpaceManager heap(path.c_str());
    EXPECT_EQ(RWDiskNodeCache(heap, 8, 0).Slots(), 1u);
}
