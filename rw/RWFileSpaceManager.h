#pragma once
// A binary file used as a heap of variable-length blocks addressed by file
// offset. Format (little-endian):
//
//   header, 12 bytes at offset 0
//     0  i32  first block: the offset handed out by the very first Allocate
//             on this file; -1 until then
//     4  i32  end of used space: where space taken from the end begins
//             (280 in a new file)
//     8  u32  size of one free-list block: 268 (32 entries, every new file)
//             or 92 (10 entries)
//   the first free-list block at offset 12 (see RWDiskFreeList), the head
//   of a ring of free-list blocks (RWFreeListAllocator)
//   blocks: a u32 length word (the whole block, a multiple of 4), then the
//     caller's bytes; callers see the offset behind the length word
//
// A new file is 280 bytes: header (-1, 280, 268) and an empty 32-entry
// block at 12 linked to itself. Everything is written through at once, so
// the file is consistent after every completed operation. The file is never
// shortened.
//
// Offsets are 32-bit: space is handed out only below 2 GB (kMaxOffset), and
// offsets read from the file beyond it are refused. Seek, read and write
// failures, and a damaged header or free list, raise the class library's
// file error (SEEKERR 1, READERR 2, WRITEERR 3); a wrong free-list size
// raises FLIST, a wrong block magic MAGIC.
#include <cstdint>
#include <memory>

#include "rw/RWBinaryFile.h"

class RWFileAllocator;

class RWFileSpaceManager : public RWBinaryFile {
public:
    static constexpr uint32_t kNoOffset = 0xFFFFFFFF;
    static constexpr uint32_t kMaxOffset = 0x7FFFFFFF;
    static constexpr uint32_t kNewFileSize = 280;

    // Opens the file (no mode: "rb+", else "wb+"). An empty file is
    // formatted; an existing heap is read. A file that did not open leaves
    // the manager without allocator: its users test IsValid first.
    explicit RWFileSpaceManager(const char* name, const char* mode = nullptr);
    ~RWFileSpaceManager() override;

    // size usable bytes, or kNoOffset (no allocator, or no space below
    // 2 GB). The very first block handed out is recorded in the header.
    uint32_t Allocate(uint32_t size);
    // Gives a block back; nothing for kNoOffset and for the first block.
    void Deallocate(uint32_t offset);
    // The old end of used space, which grows by length; kNoOffset (and no
    // change) when the space would reach beyond 2 GB.
    uint32_t AllocateAtEnd(uint32_t length);
    // When the extent reaches the end of used space, the end moves back to
    // offset: true. Otherwise false and nothing changes.
    bool ReleaseAtEnd(uint32_t offset, uint32_t length);

    static constexpr uint32_t HeaderSize() { return 12; }
    int32_t FirstBlock() const { return firstBlock_; }
    int32_t EndOfUsedSpace() const { return end_; }
    bool HasAllocator() const { return allocator_ != nullptr; }
    // The used space as far as the file really holds it: what bounds the
    // walks over structures read from the file.
    uint32_t UsedBytesOnFile();
    RWFileAllocator* Allocator() const { return allocator_.get(); }

    // Seeks to an offset below 2 GB, else raises the seek error.
    void SeekOrRaise(uint32_t offset);
    [[noreturn]] void RaiseSeekError() const;
    [[noreturn]] void RaiseReadError() const;
    [[noreturn]] void RaiseWriteError() const;

private:
    void Format();
    void ReadHeader();
    void WriteHeaderWord(uint32_t offset, int32_t value);
    [[noreturn]] void RaiseFileError(int code) const;

    std::unique_ptr<RWFileAllocator> allocator_;
    int32_t firstBlock_ = -1;
    int32_t end_ = -1;
};
