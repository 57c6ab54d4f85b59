#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "rw/RWDiskNodeCache.h"
#include "rw/RWFileSpaceManager.h"
#include "tests/rw/DiskFileTestSupport.h"
#include "tests/support/ProcessIo.h"

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

// What reaches the file, counted by the kernel: a hit touches it not at all,
// a miss reads its one block (no read-ahead) and writes nothing even when it
// takes over the least recently used slot, a write writes its block at once.
TEST(RWDiskNodeCacheTest, TouchesTheFileOnlyForTheBlocksItMissesOrWrites) {
    constexpr uint32_t kNode = 488; // a node of order 10 with 16-byte keys
    constexpr uint32_t a = 1000, b = a + kNode, c = b + kNode, d = c + kNode;
    TempFolder folder;
    const std::string path = folder.Path("cache.dat");
    RWFileSpaceManager heap(path.c_str());
    const std::vector<uint8_t> stored(kNode, 0x5C);
    // Blocks c and d are on the file, and a good deal more behind them.
    ASSERT_TRUE(heap.SeekTo(c));
    ASSERT_TRUE(heap.Write(stored.data(), stored.size()));
    ASSERT_TRUE(heap.SeekTo(16384));
    ASSERT_TRUE(heap.Write(stored.data(), stored.size()));
    ASSERT_TRUE(heap.Flush());

    RWDiskNodeCache cache(heap, kNode, 2);
    std::vector<uint8_t> image(kNode, 0xA7);
    auto read = [&](uint32_t offset) {
        return [&cache, &image, offset] { return cache.Read(offset, image.data()); };
    };
    auto write = [&](uint32_t offset) {
        return [&cache, &image, offset] { return cache.Write(offset, image.data()); };
    };
    struct Step {
        const char* what;
        std::function<bool()> act;
        qvtest::ProcessIo io; // read calls, bytes read, write calls, bytes written
    };
    const Step steps[] = {
        {"write into a free slot", write(a), {0, 0, 1, kNode}},
        {"write into the last free slot", write(b), {0, 0, 1, kNode}},
        {"read a cached block", read(a), {0, 0, 0, 0}},
        {"read a missing block into b's clean slot", read(c), {1, kNode, 0, 0}},
        {"read it again", read(c), {0, 0, 0, 0}},
        {"write a cached block", write(a), {0, 0, 1, kNode}},
        {"write a missing block into c's slot", write(d), {0, 0, 1, kNode}},
        {"read b back from the file", read(b), {1, kNode, 0, 0}},
    };
    for (const Step& step : steps) {
        bool done = false;
        EXPECT_EQ(qvtest::CountIo([&] { done = step.act(); }), step.io) << step.what;
        EXPECT_TRUE(done) << step.what;
    }
    EXPECT_EQ(image, std::vector<uint8_t>(kNode, 0xA7)); // b as written
}
