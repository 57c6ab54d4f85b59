#include "rw/RWDiskFreeList.h"

#include "rw/RWBinaryFile.h"

template <uint32_t N> void RWBasicDiskFreeList<N>::Init(uint32_t nextLink) {
    magic = kMagic;
    for (uint32_t i = 0; i < N; ++i) {
        offsets[i] = 0;
        lengths[i] = 0;
    }
    count = 0;
    link = nextLink;
}

template <uint32_t N> uint32_t RWBasicDiskFreeList<N>::Allocate(uint32_t& length) {
    for (int32_t i = 0; i < count; ++i) {
        if (lengths[i] < length) continue;
        const uint32_t offset = offsets[i];
        const uint32_t remainder = lengths[i] - length;
        if (remainder >= 8) {
            offsets[i] += length;
            lengths[i] = remainder;
        } else {
            length += remainder;
            RemoveEntry(i);
            --count;
        }
        return offset;
    }
    return kNone;
}

template <uint32_t N> bool RWBasicDiskFreeList<N>::AddFree(uint32_t offset, uint32_t length) {
    for (int32_t i = 0; i < count; ++i) {
        if (offsets[i] + lengths[i] == offset) {
            lengths[i] += length;
            Coalesce(i);
            return true;
        }
        if (offsets[i] == offset + length) {
            offsets[i] = offset;
            lengths[i] += length;
            return true;
        }
    }
    if (count >= static_cast<int32_t>(N)) return false;
    int32_t at = 0;
    while (at < count && static_cast<int32_t>(offsets[at]) <= static_cast<int32_t>(offset))
        ++at;
    MakeRoom(at);
    offsets[at] = offset;
    lengths[at] = length;
    ++count;
    return true;
}

template <uint32_t N> void RWBasicDiskFreeList<N>::Coalesce(int32_t i) {
    if (i + 1 >= count || offsets[i] + lengths[i] != offsets[i + 1]) return;
    lengths[i] += lengths[i + 1];
    RemoveEntry(i + 1);
    --count;
}

template <uint32_t N> void RWBasicDiskFreeList<N>::RemoveEntry(int32_t i) {
    for (int32_t k = i; k + 1 < count; ++k) {
        offsets[k] = offsets[k + 1];
        lengths[k] = lengths[k + 1];
    }
    // The slot given up reads as unused on disk.
    if (count > 0) {
        offsets[count - 1] = 0;
        lengths[count - 1] = 0;
    }
}

template <uint32_t N> void RWBasicDiskFreeList<N>::MakeRoom(int32_t i) {
    for (int32_t k = count; k > i; --k) {
        offsets[k] = offsets[k - 1];
        lengths[k] = lengths[k - 1];
    }
}

template <uint32_t N> bool RWBasicDiskFreeList<N>::Read(RWBinaryFile& file) {
    uint16_t padding = 0;
    return file.Read(magic) && file.Read(padding) && file.Read(offsets, N) && file.Read(lengths, N) &&
           file.Read(count) && file.Read(link);
}

template <uint32_t N> bool RWBasicDiskFreeList<N>::Write(RWBinaryFile& file) const {
    // The padding is written as zeros, never as whatever memory held.
    return file.Write(magic) && file.Write(uint16_t{0}) && file.Write(offsets, N) && file.Write(lengths, N) &&
           file.Write(count) && file.Write(link);
}

template class RWBasicDiskFreeList<10>;
template class RWBasicDiskFreeList<32>;
