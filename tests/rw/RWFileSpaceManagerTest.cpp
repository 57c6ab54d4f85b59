#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "rw/RWFileSpaceManager.h"
#include "rw/RWLibraryError.h"
#include "tests/rw/DiskFileTestSupport.h"

namespace {
class RWFileSpaceManagerTest : public testing::Test {
protected:
    TempFolder folder_;
    std::string path_ = folder_.Path("heap.dat");
};

using Extents = std::vector<std::pair<uint32_t, uint32_t>>;
} // namespace

TEST_F(RWFileSpaceManagerTest, MissingFileBecomesAnEmptyHeapOf280Bytes) {
    {
        RWFileSpaceManager heap(path_.c_str());
        ASSERT_TRUE(heap.IsValid());
        EXPECT_STREQ(heap.GetMode(), "wb+");
        EXPECT_EQ(heap.FirstBlock(), -1);
        EXPECT_EQ(heap.EndOfUsedSpace(), 280);
    }
    Bytes expected = {0xFF, 0xFF, 0xFF, 0xFF, 0x18, 0x01, 0x00, 0x00,
                      0x0C, 0x01, 0x00, 0x00, 0x35, 0x12, 0x00, 0x00};
    expected.insert(expected.end(), 256, 0x00);
    expected.insert(expected.end(), {0x00, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00});
    EXPECT_EQ(ReadFileBytes(path_), expected);
}

TEST_F(RWFileSpaceManagerTest, FirstAllocationTakesSpaceAtTheEndAndIsRecorded) {
    {
        RWFileSpaceManager heap(path_.c_str());
        EXPECT_EQ(heap.Allocate(40), 284u);
        EXPECT_EQ(heap.FirstBlock(), 284);
        EXPECT_EQ(heap.EndOfUsedSpace(), 324);
    }
    const Bytes bytes = ReadFileBytes(path_);
    ASSERT_EQ(bytes.size(), 284u);
    EXPECT_EQ(Slice(bytes, 0, 8), (Bytes{0x1C, 0x01, 0x00, 0x00, 0x44, 0x01, 0x00, 0x00}));
    EXPECT_EQ(Slice(bytes, 280, 4), (Bytes{0x2C, 0x00, 0x00, 0x00})); // length word 44

    // Reopened, the heap goes on where it stopped.
    RWFileSpaceManager heap(path_.c_str());
    EXPECT_STREQ(heap.GetMode(), "rb+");
    EXPECT_EQ(heap.FirstBlock(), 284);
    EXPECT_EQ(heap.Allocate(0), 328u); // a 4-byte block: just its length word
    EXPECT_EQ(heap.EndOfUsedSpace(), 328);
}

TEST_F(RWFileSpaceManagerTest, FreeingTheLastBlockPullsTheEndBack) {
    RWFileSpaceManager heap(path_.c_str());
    heap.Allocate(40);
    EXPECT_EQ(heap.Allocate(8), 328u); // 12 bytes at 324
    EXPECT_EQ(heap.EndOfUsedSpace(), 336);
    heap.Deallocate(328);
    EXPECT_EQ(heap.EndOfUsedSpace(), 324);
    heap.Flush();
    const Bytes bytes = ReadFileBytes(path_);
    EXPECT_EQ(Get32(bytes, 4), 324u);
    EXPECT_EQ(Slice(bytes, 12, 268), FreeListBlock(32, {}, 12));
}

TEST_F(RWFileSpaceManagerTest, SmallRemainderIsGivenWithTheBlock) {
    RWFileSpaceManager heap(path_.c_str());
    heap.Allocate(40);
    const uint32_t b = heap.Allocate(20); // 24 bytes at 324
    heap.Allocate(8);                     // keeps b away from the end
    heap.Deallocate(b);
    EXPECT_EQ(heap.Allocate(16), 328u); // 20 asked of 24: 4 would remain, so all 24
    heap.Flush();
    Bytes bytes = ReadFileBytes(path_);
    EXPECT_EQ(Get32(bytes, 324), 24u);
    EXPECT_EQ(Slice(bytes, 12, 268), FreeListBlock(32, {}, 12));

    heap.Deallocate(328);
    heap.Flush();
    bytes = ReadFileBytes(path_);
    EXPECT_EQ(Slice(bytes, 12, 268), FreeListBlock(32, {{324, 24}}, 12));
}

TEST_F(RWFileSpaceManagerTest, FreeingBetweenTwoFreeExtentsMergesAllThree) {
    RWFileSpaceManager heap(path_.c_str());
    heap.Allocate(40);
    const uint32_t x = heap.Allocate(8), y = heap.Allocate(8), z = heap.Allocate(8);
    heap.Allocate(8);
    heap.Deallocate(x);
    heap.Deallocate(z);
    heap.Flush();
    EXPECT_EQ(Slice(ReadFileBytes(path_), 12, 268), FreeListBlock(32, {{324, 12}, {348, 12}}, 12));
    heap.Deallocate(y);
    heap.Flush();
    EXPECT_EQ(Slice(ReadFileBytes(path_), 12, 268), FreeListBlock(32, {{324, 36}}, 12));
    // The merged extent serves a request it alone can hold.
    EXPECT_EQ(heap.Allocate(28), 328u);
}

TEST_F(RWFileSpaceManagerTest, RingGrowsWhenFullAndShrinksWhenABlockEmpties) {
    RWFileSpaceManager heap(path_.c_str());
    heap.Allocate(40);
    for (int k = 0; k < 66; ++k)
        heap.Allocate(8); // block k: 12 bytes at 324 + 12k
    EXPECT_EQ(heap.EndOfUsedSpace(), 1116);
    Extents first;
    for (uint32_t k = 0; k <= 64; k += 2) {
        heap.Deallocate(324 + 12 * k + 4);
        if (k < 64) first.emplace_back(324 + 12 * k, 12);
    }
    // The 33rd extent did not fit: a new block of 268 bytes was taken at the
    // end (1116) and linked in after the block at 12.
    heap.Flush();
    Bytes bytes = ReadFileBytes(path_);
    EXPECT_EQ(Get32(bytes, 4), 1384u);
    EXPECT_EQ(Slice(bytes, 12, 268), FreeListBlock(32, first, 1116));
    EXPECT_EQ(Slice(bytes, 1116, 268), FreeListBlock(32, {{1092, 12}}, 12));

    // Taking its only extent empties the new block: it leaves the ring and
    // its space, being last, goes back to the end.
    EXPECT_EQ(heap.Allocate(8), 1096u);
    heap.Flush();
    bytes = ReadFileBytes(path_);
    EXPECT_EQ(Get32(bytes, 4), 1116u);
    EXPECT_EQ(Slice(bytes, 12, 268), FreeListBlock(32, first, 12));
}

TEST_F(RWFileSpaceManagerTest, BlockAt12StaysInTheRingWhenItEmpties) {
    RWFileSpaceManager heap(path_.c_str());
    heap.Allocate(40);
    for (int k = 0; k < 66; ++k)
        heap.Allocate(8);
    for (uint32_t k = 0; k <= 64; k += 2)
        heap.Deallocate(324 + 12 * k + 4); // as above: block 1116 holds {1092, 12}
    EXPECT_EQ(heap.Allocate(20), 1388u);   // fits nowhere: from the end, 1384..1408
    for (int k = 0; k < 32; ++k)
        heap.Allocate(8); // empties the block at 12, where the search now stands
    // Its successor moved into 12, and the successor's old space was freed.
    heap.Flush();
    const Bytes bytes = ReadFileBytes(path_);
    EXPECT_EQ(Get32(bytes, 4), 1408u);
    EXPECT_EQ(Slice(bytes, 12, 268), FreeListBlock(32, {{1092, 12}, {1116, 268}}, 12));
}

TEST_F(RWFileSpaceManagerTest, FirstBlockIsNeverGivenBack) {
    RWFileSpaceManager heap(path_.c_str());
    EXPECT_EQ(heap.Allocate(40), 284u);
    heap.Allocate(8);
    heap.Deallocate(284);
    heap.Deallocate(RWFileSpaceManager::kNoOffset);
    EXPECT_EQ(heap.Allocate(40), 340u);
}

TEST_F(RWFileSpaceManagerTest, TenEntryHeapIsReadAndExtendedWithTenEntryBlocks) {
    WriteFileBytes(path_, Concat({HeapHeader(-1, 104, 92), FreeListBlock(10, {}, 12)}));
    {
        RWFileSpaceManager heap(path_.c_str());
        EXPECT_EQ(heap.Allocate(40), 108u);
        for (int k = 0; k < 22; ++k)
            heap.Allocate(8); // 12 bytes each at 148 + 12k
        for (uint32_t k = 0; k <= 20; k += 2)
            heap.Deallocate(148 + 12 * k + 4);
    }
    Extents first;
    for (uint32_t k = 0; k < 20; k += 2)
        first.emplace_back(148 + 12 * k, 12);
    const Bytes bytes = ReadFileBytes(path_);
    EXPECT_EQ(Slice(bytes, 0, 12), HeapHeader(108, 504, 92));
    EXPECT_EQ(Slice(bytes, 12, 92), FreeListBlock(10, first, 412));
    EXPECT_EQ(Slice(bytes, 412, 92), FreeListBlock(10, {{388, 12}}, 12));
}

TEST_F(RWFileSpaceManagerTest, SpaceBeyond2GBIsRefused) {
    WriteFileBytes(path_, Concat({HeapHeader(-1, 0x7FFFFFF0, 268), FreeListBlock(32, {}, 12)}));
    {
        RWFileSpaceManager heap(path_.c_str());
        EXPECT_EQ(heap.Allocate(40), RWFileSpaceManager::kNoOffset);
        EXPECT_EQ(heap.Allocate(0xFFFFFFF8u), RWFileSpaceManager::kNoOffset);
        EXPECT_EQ(heap.EndOfUsedSpace(), 0x7FFFFFF0);
    }
    EXPECT_EQ(Slice(ReadFileBytes(path_), 0, 12), HeapHeader(-1, 0x7FFFFFF0, 268));
}

TEST_F(RWFileSpaceManagerTest, DamagedFilesRaiseTheFileError) {
    const Bytes empty32 = FreeListBlock(32, {}, 12);
    const struct Case {
        const char* what;
        Bytes file;
        std::function<void(RWFileSpaceManager&)> use;
    } cases[] = {
        {"short header", Bytes{1, 2}, nullptr},
        {"short first block", Concat({HeapHeader(-1, 280, 268), Bytes(100, 0)}), nullptr},
        {"count above N", Concat({HeapHeader(-1, 280, 268), FreeListBlock(32, {}, 12, 33)}), nullptr},
        {"negative count", Concat({HeapHeader(-1, 280, 268), FreeListBlock(32, {}, 12, -1)}), nullptr},
        {"link past the end", Concat({HeapHeader(-1, 280, 268), FreeListBlock(32, {}, 600)}), nullptr},
        {"extent past the end", Concat({HeapHeader(-1, 400, 268), FreeListBlock(32, {{300, 200}}, 12)}),
         nullptr},
        {"extent over the header", Concat({HeapHeader(-1, 400, 268), FreeListBlock(32, {{8, 12}}, 12)}),
         nullptr},
        {"end inside the header", Concat({HeapHeader(-1, 100, 268), empty32}), nullptr},
        {"first block past the end", Concat({HeapHeader(5000, 280, 268), empty32}), nullptr},
        {"ring that never returns",
         Concat({HeapHeader(-1, 548, 268), FreeListBlock(32, {}, 280), FreeListBlock(32, {}, 280)}),
         [](RWFileSpaceManager& heap) { heap.Allocate(8); }},
        {"length word 0", Concat({HeapHeader(284, 300, 268), empty32, Bytes(20, 0)}),
         [](RWFileSpaceManager& heap) { heap.Deallocate(292); }},
        {"length past the end",
         Concat({HeapHeader(284, 300, 268), empty32, Bytes{8, 0, 0, 0}, Bytes{64, 0, 0, 0}}),
         [](RWFileSpaceManager& heap) { heap.Deallocate(288); }},
        {"offset past the end", Concat({HeapHeader(284, 300, 268), empty32}),
         [](RWFileSpaceManager& heap) { heap.Deallocate(4000); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileBytes(path_, c.file);
        try {
            RWFileSpaceManager heap(path_.c_str());
            ASSERT_TRUE(c.use != nullptr) << "opened";
            c.use(heap);
            ADD_FAILURE() << "no error";
        } catch (const RWFileError& error) {
            EXPECT_STREQ(error.why(), "[READERR] Read error");
            EXPECT_EQ(error.second(), 2u);
        }
    }
}

TEST_F(RWFileSpaceManagerTest, WrongBlockSizeAndMagicRaiseTheirErrors) {
    const struct {
        Bytes file;
        const char* text;
    } cases[] = {
        {Concat({HeapHeader(-1, 280, 100), FreeListBlock(32, {}, 12)}),
         "[FLIST] Free list size error: expected 268, got 100"},
        {Concat({HeapHeader(-1, 280, 268), FreeListBlock(10, {}, 12), Bytes(176, 0)}),
         "[MAGIC] Bad magic number: 4660 (should be 4661)"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(path_, c.file);
        try {
            RWFileSpaceManager heap(path_.c_str());
            ADD_FAILURE() << "opened";
        } catch (const RWExternalError& error) {
            EXPECT_STREQ(error.why(), c.text);
        }
    }
}

TEST_F(RWFileSpaceManagerTest, FileThatDoesNotOpenHasNoAllocator) {
    const std::string missing = path_ + ".d/missing/heap.dat";
    RWFileSpaceManager heap(missing.c_str());
    EXPECT_FALSE(heap.IsValid());
    EXPECT_FALSE(heap.HasAllocator());
    EXPECT_EQ(heap.Allocate(8), RWFileSpaceManager::kNoOffset);
}
