#pragma once
// The image of one on-disk free-list block: up to N free extents of the
// file, N = 10 (RWDiskFreeList) or 32 (RWDiskFreeList32). Layout, little-
// endian:
//
//   offset   width      field
//   0        u16        magic: 0x1234 for N = 10, 0x1235 for N = 32
//   2        2 bytes    padding, written as zeros, never read
//   4        u32 x N    offsets of the free extents (entries 0..count-1
//                       in use, in increasing offset order)
//   4 + 4N   u32 x N    lengths of the free extents, same order
//   4 + 8N   i32        count of entries in use
//   8 + 8N   u32        offset of the next free-list block (a ring)
//
// So a 10-entry block is 92 bytes and a 32-entry block 268.
#include <cstdint>

class RWBinaryFile;

template <uint32_t N> class RWBasicDiskFreeList {
public:
    static constexpr uint32_t kEntries = N;
    static constexpr uint16_t kMagic = N == 10 ? 0x1234 : 0x1235;
    static constexpr uint32_t kBlockSize = 12 + 8 * N;
    static constexpr uint32_t kNone = 0xFFFFFFFF;

    // Magic, every entry 0, count 0, the link given.
    void Init(uint32_t link);
    // First fit: the offset of an extent of at least length bytes, or kNone.
    // When fewer than 8 bytes of the extent would remain, the whole extent
    // is given and length grows by the remainder.
    uint32_t Allocate(uint32_t& length);
    // Merges the extent into a neighbouring entry or inserts it in offset
    // order; false when it neither merges nor fits (all N entries in use).
    bool AddFree(uint32_t offset, uint32_t length);
    // Folds entry i + 1 into entry i when they touch.
    void Coalesce(int32_t i);
    // Shifts the entries above i down by one; the caller lowers the count.
    void RemoveEntry(int32_t i);
    // Shifts entries i..count-1 up by one.
    void MakeRoom(int32_t i);

    // The block's bytes at the file's current position; false on a short
    // read or a failed write.
    bool Read(RWBinaryFile& file);
    bool Write(RWBinaryFile& file) const;

    uint16_t magic = kMagic;
    uint32_t offsets[N] = {};
    uint32_t lengths[N] = {};
    int32_t count = 0;
    uint32_t link = 0;
};

using RWDiskFreeList = RWBasicDiskFreeList<10>;
using RWDiskFreeList32 = RWBasicDiskFreeList<32>;

extern template class RWBasicDiskFreeList<10>;
extern template class RWBasicDiskFreeList<32>;
