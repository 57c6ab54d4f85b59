#pragma once
// A small write-through cache of fixed-size node images of one file: S
// slots, each holding a file offset, an age and one block image. Reads are
// served from a slot when the offset is there; writes update the slot and
// go to the file at once, so a slot is never dirty. A slot is reused when
// all are taken: the oldest one (the greatest age, the first such in slot
// order), after the file's own pending output has been flushed. A miss is
// one positioned read of one block, a write one positioned write: nothing
// else touches the file.
#include <cstddef>
#include <cstdint>
#include <vector>

class RWFileSpaceManager;

class RWDiskNodeCache {
public:
    // slots is lowered, when needed, so that all images fit in 32 bits, and
    // raised to 1.
    RWDiskNodeCache(RWFileSpaceManager& file, uint32_t blockSize, uint32_t slots);
    RWDiskNodeCache(const RWDiskNodeCache&) = delete;
    RWDiskNodeCache& operator=(const RWDiskNodeCache&) = delete;
    // Flushes the file.
    ~RWDiskNodeCache();

    // One block at offset into destination; false when it could not be read
    // (the slot is then given up).
    bool Read(uint32_t offset, uint8_t* destination);
    // One block from source to offset, written to the file at once; false
    // when the write failed.
    bool Write(uint32_t offset, const uint8_t* source);

    uint32_t Slots() const { return slots_; }
    uint32_t BlockSize() const { return blockSize_; }

private:
    static constexpr uint32_t kUnused = 0xFFFFFFFF;

    // The slot holding offset, or -1; every slot in use ages by one.
    int Find(uint32_t offset);
    // A free slot, or the oldest after a flush; -1 when the flush failed.
    int TakeSlot();
    uint8_t* Image(int slot) { return images_.data() + static_cast<size_t>(slot) * blockSize_; }

    RWFileSpaceManager& file_;
    uint32_t blockSize_;
    uint32_t slots_;
    uint32_t used_ = 0;
    std::vector<uint32_t> offsets_;
    std::vector<uint32_t> ages_;
    std::vector<uint8_t> images_;
};
