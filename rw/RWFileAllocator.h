#pragma once
// The allocator behind RWFileSpaceManager: hands out and takes back blocks
// of the file it serves. Offsets are those the caller sees (just behind a
// block's length word); RWFileSpaceManager::kNoOffset stands for none.
#include <cstdint>

class RWFileSpaceManager;

class RWFileAllocator {
public:
    explicit RWFileAllocator(RWFileSpaceManager& file) : file_(file) {}
    RWFileAllocator(const RWFileAllocator&) = delete;
    RWFileAllocator& operator=(const RWFileAllocator&) = delete;
    virtual ~RWFileAllocator() = default;

    // A block of size usable bytes, or kNoOffset.
    virtual uint32_t Allocate(uint32_t size) = 0;
    // Gives the block at offset back.
    virtual void Deallocate(uint32_t offset) = 0;

protected:
    RWFileSpaceManager& File() const { return file_; }

private:
    RWFileSpaceManager& file_;
};
