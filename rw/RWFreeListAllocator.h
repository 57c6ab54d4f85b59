#pragma once
// The first-fit allocator of a RWFileSpaceManager over a ring of on-disk
// free-list blocks (RWDiskFreeList): RWFreeListAllocator with 10-entry
// blocks, RWFreeList32Allocator with 32-entry blocks. The first block
// always lies at offset 12, just behind the file header; further ones are
// blocks the allocator took for itself, anywhere in the file.
//
// It keeps one block image, the current block, which wanders: every search
// starts there and goes once around the ring. Every change is written at
// once. Allocated blocks are a u32 length word (the whole block, a multiple
// of 4) followed by the caller's bytes; the caller sees the offset behind
// the length word.
//
// The file is untrusted: block counts, ring links, free extents and length
// words are checked against the file's used space, and every walk of the
// ring is bounded, so a damaged file raises the file's read error instead
// of looping or handing out space outside the heap.
#include <cstdint>

#include "rw/RWDiskFreeList.h"
#include "rw/RWFileAllocator.h"

template <uint32_t N> class RWBasicFreeListAllocator : public RWFileAllocator {
public:
    using Block = RWBasicDiskFreeList<N>;
    static constexpr uint32_t kFirstBlock = 12;

    // Create: writes an empty block at 12 linked to itself; else reads it.
    RWBasicFreeListAllocator(RWFileSpaceManager& file, bool create);

    uint32_t Allocate(uint32_t size) override;
    void Deallocate(uint32_t offset) override;

    // The current block and its image.
    uint32_t CurrentBlock() const { return current_; }
    const Block& Image() const { return block_; }

private:
    void ReadBlock(uint32_t offset);
    void WriteBlock();
    // Steps to the next block of the ring; false when that is start again.
    // steps counts the blocks visited by one walk.
    bool NextBlock(uint32_t start, uint32_t& steps);
    void RemoveEmptyBlock();
    void AddFree(uint32_t offset, uint32_t length);
    void AddBlock(uint32_t offset, uint32_t length);
    uint32_t ReadLength(uint32_t offset);
    void WriteLength(uint32_t offset, uint32_t length);
    // The most blocks a ring in the file's used space can hold.
    uint32_t MaxRingSteps();
    // The image just read is a block the heap can hold.
    void CheckBlock() const;

    uint32_t current_ = kFirstBlock;
    Block block_;
};

using RWFreeListAllocator = RWBasicFreeListAllocator<10>;
using RWFreeList32Allocator = RWBasicFreeListAllocator<32>;

extern template class RWBasicFreeListAllocator<10>;
extern template class RWBasicFreeListAllocator<32>;
