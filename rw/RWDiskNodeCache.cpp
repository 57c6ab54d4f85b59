#include "rw/RWDiskNodeCache.h"

#include <algorithm>
#include <cstring>

#include "rw/RWFileSpaceManager.h"

namespace {
uint32_t SlotCount(uint32_t blockSize, uint32_t slots) {
    if (blockSize != 0) slots = std::min(slots, 0xFFFFFFFFu / blockSize);
    return std::max(slots, 1u);
}
} // namespace

RWDiskNodeCache::RWDiskNodeCache(RWFileSpaceManager& file, uint32_t blockSize, uint32_t slots)
    : file_(file), blockSize_(blockSize), slots_(SlotCount(blockSize, slots)), offsets_(slots_, kUnused),
      ages_(slots_, 0), images_(static_cast<size_t>(slots_) * blockSize) {}

RWDiskNodeCache::~RWDiskNodeCache() {
    file_.Flush();
}

int RWDiskNodeCache::Find(uint32_t offset) {
    // Every slot in use grows older, so the oldest is the one least
    // recently used.
    int found = -1;
    for (uint32_t i = 0; i < used_; ++i) {
        ++ages_[i];
        if (found < 0 && offsets_[i] == offset) found = static_cast<int>(i);
    }
    return found;
}

int RWDiskNodeCache::TakeSlot() {
    if (used_ < slots_) return static_cast<int>(used_++);
    if (!file_.Flush()) return -1;
    uint32_t oldest = 0;
    for (uint32_t i = 1; i < slots_; ++i) {
        if (ages_[i] > ages_[oldest]) oldest = i;
    }
    return static_cast<int>(oldest);
}

bool RWDiskNodeCache::Read(uint32_t offset, uint8_t* destination) {
    if (offset > RWFileSpaceManager::kMaxOffset) return false;
    int slot = Find(offset);
    if (slot < 0) {
        slot = TakeSlot();
        if (slot < 0) return false;
        offsets_[slot] = offset;
        if (!file_.ReadAt(offset, Image(slot), blockSize_)) {
            // What the slot holds now is no image of that offset.
            offsets_[slot] = kUnused;
            return false;
        }
    }
    ages_[slot] = 0;
    std::memcpy(destination, Image(slot), blockSize_);
    return true;
}

bool RWDiskNodeCache::Write(uint32_t offset, const uint8_t* source) {
    if (offset > RWFileSpaceManager::kMaxOffset) return false;
    int slot = Find(offset);
    if (slot < 0) {
        slot = TakeSlot();
        if (slot < 0) return false;
        offsets_[slot] = offset;
    }
    ages_[slot] = 0;
    std::memcpy(Image(slot), source, blockSize_);
    if (!file_.WriteAt(offset, Image(slot), blockSize_)) {
        offsets_[slot] = kUnused;
        return false;
    }
    return true;
}
