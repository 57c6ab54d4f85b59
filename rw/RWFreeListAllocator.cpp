#include "rw/RWFreeListAllocator.h"

#include "rw/RWCatalog.h"
#include "rw/RWCatalogMessage.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWFileSpaceManager.h"
#include "rw/RWLibraryError.h"

template <uint32_t N>
RWBasicFreeListAllocator<N>::RWBasicFreeListAllocator(RWFileSpaceManager& file, bool create)
    : RWFileAllocator(file) {
    if (create) {
        block_.Init(kFirstBlock);
        WriteBlock();
    } else {
        ReadBlock(kFirstBlock);
    }
}

template <uint32_t N> uint32_t RWBasicFreeListAllocator<N>::MaxRingSteps() {
    return File().UsedBytesOnFile() / Block::kBlockSize + 1;
}

template <uint32_t N> void RWBasicFreeListAllocator<N>::CheckBlock() const {
    const uint64_t end = static_cast<uint32_t>(File().EndOfUsedSpace());
    const uint64_t dataStart = kFirstBlock + Block::kBlockSize;
    bool sound = block_.count >= 0 && block_.count <= static_cast<int32_t>(N);
    sound = sound && (block_.link == kFirstBlock ||
                      (block_.link >= dataStart && uint64_t{block_.link} + Block::kBlockSize <= end));
    for (int32_t i = 0; sound && i < block_.count; ++i) {
        sound = block_.offsets[i] >= dataStart && block_.lengths[i] >= 4 &&
                uint64_t{block_.offsets[i]} + block_.lengths[i] <= end;
    }
    if (!sound) File().RaiseReadError();
}

template <uint32_t N> void RWBasicFreeListAllocator<N>::ReadBlock(uint32_t offset) {
    current_ = offset;
    File().SeekOrRaise(offset);
    if (!block_.Read(File())) File().RaiseReadError();
    if (block_.magic != Block::kMagic) {
        RWThrow(RWExternalError(RWCatalogMessage(RWTOOL_MAGIC(), static_cast<long>(block_.magic),
                                                 static_cast<long>(Block::kMagic))));
    }
    CheckBlock();
}

template <uint32_t N> void RWBasicFreeListAllocator<N>::WriteBlock() {
    File().SeekOrRaise(current_);
    if (!block_.Write(File())) File().RaiseWriteError();
}

template <uint32_t N> bool RWBasicFreeListAllocator<N>::NextBlock(uint32_t start, uint32_t& steps) {
    if (block_.link == start) return false;
    // A ring that never comes back to where the walk began is damaged.
    if (++steps > MaxRingSteps()) File().RaiseReadError();
    ReadBlock(block_.link);
    return true;
}

template <uint32_t N> uint32_t RWBasicFreeListAllocator<N>::Allocate(uint32_t size) {
    uint64_t need64 = (uint64_t{size} + 7) & ~uint64_t{3};
    if (need64 > RWFileSpaceManager::kMaxOffset) return RWFileSpaceManager::kNoOffset;
    uint32_t need = static_cast<uint32_t>(need64);

    const uint32_t start = current_;
    uint32_t steps = 0;
    uint32_t offset = block_.Allocate(need);
    while (offset == Block::kNone && NextBlock(start, steps))
        offset = block_.Allocate(need);

    if (offset == Block::kNone) {
        offset = File().AllocateAtEnd(need);
        if (offset == RWFileSpaceManager::kNoOffset) return offset;
    } else if (block_.count == 0 && !(current_ == kFirstBlock && block_.link == kFirstBlock)) {
        RemoveEmptyBlock();
    } else {
        WriteBlock();
    }
    WriteLength(offset, need);
    return offset + 4;
}

template <uint32_t N> void RWBasicFreeListAllocator<N>::RemoveEmptyBlock() {
    const uint32_t empty = current_;
    if (empty != kFirstBlock) {
        const uint32_t link = block_.link;
        ReadBlock(kFirstBlock);
        uint32_t steps = 0;
        while (block_.link != empty) {
            if (++steps > MaxRingSteps()) File().RaiseReadError();
            ReadBlock(block_.link);
        }
        block_.link = link;
        WriteBlock();
        AddFree(empty, Block::kBlockSize);
    } else {
        // The block at 12 never leaves the ring: its successor moves in.
        const uint32_t successor = block_.link;
        ReadBlock(successor);
        current_ = kFirstBlock;
        WriteBlock();
        AddFree(successor, Block::kBlockSize);
    }
}

template <uint32_t N> void RWBasicFreeListAllocator<N>::Deallocate(uint32_t offset) {
    const uint64_t end = static_cast<uint32_t>(File().EndOfUsedSpace());
    if (offset < kFirstBlock + Block::kBlockSize + 4 || offset > end) File().RaiseReadError();
    const uint32_t length = ReadLength(offset - 4);
    // A length word that does not describe a block inside the heap is damage.
    if (length < 4 || length % 4 != 0 || uint64_t{offset} - 4 + length > end) File().RaiseReadError();
    AddFree(offset - 4, length);
}

template <uint32_t N> void RWBasicFreeListAllocator<N>::AddFree(uint32_t offset, uint32_t length) {
    // Space at the end is never put in a list.
    if (File().ReleaseAtEnd(offset, length)) return;
    const uint32_t start = current_;
    uint32_t steps = 0;
    do {
        if (block_.AddFree(offset, length)) {
            WriteBlock();
            return;
        }
    } while (NextBlock(start, steps));
    AddBlock(offset, length);
}

template <uint32_t N> void RWBasicFreeListAllocator<N>::AddBlock(uint32_t offset, uint32_t length) {
    const uint32_t taken = Allocate(Block::kBlockSize - 4);
    if (taken == RWFileSpaceManager::kNoOffset) File().RaiseWriteError();
    const uint32_t region = taken - 4;
    // The new block joins the ring right after the current one.
    const uint32_t oldLink = block_.link;
    block_.link = region;
    WriteBlock();
    current_ = region;
    block_.Init(oldLink);
    block_.AddFree(offset, length);
    WriteBlock();
}

template <uint32_t N> uint32_t RWBasicFreeListAllocator<N>::ReadLength(uint32_t offset) {
    File().SeekOrRaise(offset);
    uint32_t length = 0;
    if (!File().Read(length)) File().RaiseReadError();
    return length;
}

template <uint32_t N> void RWBasicFreeListAllocator<N>::WriteLength(uint32_t offset, uint32_t length) {
    File().SeekOrRaise(offset);
    if (!File().Write(length)) File().RaiseWriteError();
}

template class RWBasicFreeListAllocator<10>;
template class RWBasicFreeListAllocator<32>;
