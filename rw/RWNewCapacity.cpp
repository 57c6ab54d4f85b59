#include "rw/RWNewCapacity.h"

#include "rw/RWErrorHandler.h"

namespace {
constexpr uint32_t kMinimumCapacity = 16;
constexpr uint64_t kDoublingLimit = 0x7FFFFFFFu; // bytes up to which capacities double
constexpr uint64_t kApproachLimit = 0xFFFFFFFDu; // bytes below which capacities still grow
constexpr uint32_t kLargestSize = 0xFFFFFFFFu;

[[noreturn]] void RaiseOverflow() {
    static constexpr char kText[] = "Buffer may not resize larger than";
    RWThrowCatalog<RWBoundsError>(RWCORE_OVFLOW(), static_cast<int>(sizeof kText - 1), kText,
                                  static_cast<unsigned>(kLargestSize));
}
} // namespace

uint32_t RWNewCapacity(uint32_t capacity, uint32_t itemSize) {
    if (capacity < kMinimumCapacity) return kMinimumCapacity;

    const uint64_t bytes = static_cast<uint64_t>(capacity) * itemSize;
    uint64_t next;
    if (bytes <= kDoublingLimit) {
        next = 2 * static_cast<uint64_t>(capacity);
    } else if (bytes < kApproachLimit) {
        // itemSize >= 1 here, and bytes < 2^32 keeps 2 * itemSize small.
        next = kLargestSize / (2 * static_cast<uint64_t>(itemSize)) + capacity / 2;
    } else {
        RaiseOverflow();
    }
    // A "new" capacity that does not grow (the last halving steps round down
    // to the current one) or does not fit 32 bits would leave a caller that
    // grows until the data fits spinning or writing past its buffer.
    if (next <= capacity || next > kLargestSize) RaiseOverflow();
    return static_cast<uint32_t>(next);
}
