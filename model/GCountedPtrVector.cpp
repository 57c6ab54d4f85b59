#include "model/GCountedPtrVector.h"

#include <algorithm>
#include <new>
#include <utility>

#include "model/MPersistentObject.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWLibraryError.h"

namespace {

[[noreturn]] void ThrowOutOfMemory(uint64_t slots) {
    const uint64_t bytes = slots * sizeof(GCountedPtr);
    RWThrow(RWOutOfMemoryError(bytes > 0xFFFFFFFF ? 0xFFFFFFFF : static_cast<uint32_t>(bytes)));
}

void CheckCapacity(uint32_t capacity) {
    if (capacity > GCountedPtrVector::kMaxCapacity) {
        RWThrow(RWOutOfMemoryError(0xFFFFFFFF));
    }
}

// Runs a change of the slot vector that may allocate; an allocation failure
// raises the library's error (the vector's own guarantee leaves it as it was).
template <typename Change> void Allocating(uint64_t slots, Change change) {
    try {
        change();
    } catch (const std::bad_alloc&) {
        ThrowOutOfMemory(slots);
    }
}

} // namespace

GCountedPtrVector::GCountedPtrVector(uint32_t capacity) : capacity_(capacity) {
    CheckCapacity(capacity);
}

GCountedPtrVector::GCountedPtrVector(const GCountedPtrVector& other)
    : capacity_(other.capacity_), slots_(other.slots_) {}

GCountedPtrVector::GCountedPtrVector(GCountedPtrVector&& other) noexcept
    : capacity_(std::exchange(other.capacity_, 0)), slots_(std::exchange(other.slots_, {})) {}

GCountedPtrVector& GCountedPtrVector::operator=(const GCountedPtrVector& other) {
    if (this != &other) {
        // Copied before the old slots go: releasing them may delete objects
        // that other's children are only reachable through.
        GCountedPtrVector copy(other);
        *this = std::move(copy);
    }
    return *this;
}

GCountedPtrVector& GCountedPtrVector::operator=(GCountedPtrVector&& other) noexcept {
    if (this != &other) {
        std::vector<GCountedPtr> old = std::exchange(slots_, std::exchange(other.slots_, {}));
        capacity_ = std::exchange(other.capacity_, 0);
        // old is released here, after this vector is whole again.
    }
    return *this;
}

GCountedPtrVector::~GCountedPtrVector() = default;

uint32_t GCountedPtrVector::IndexOf(const MPersistentObject* object) const {
    for (uint32_t i = 0; i < Count(); ++i) {
        if (slots_[i].Get() == object) {
            return i;
        }
    }
    return kNotFound;
}

uint32_t GCountedPtrVector::Occurrences(const GCountedPtr& pointer) const {
    return static_cast<uint32_t>(std::count_if(
        slots_.begin(), slots_.end(), [&](const GCountedPtr& slot) { return slot.Get() == pointer.Get(); }));
}

uint32_t GCountedPtrVector::CapacityForOneMore() const {
    const uint32_t count = Count();
    if (capacity_ > count) {
        return capacity_;
    }
    if (count > kMaxCapacity - kGrowth) {
        RWThrow(RWOutOfMemoryError(0xFFFFFFFF));
    }
    return count + kGrowth;
}

void GCountedPtrVector::Append(const GCountedPtr& pointer) {
    const uint32_t capacity = CapacityForOneMore();
    Allocating(Count() + uint64_t{1}, [&] { slots_.push_back(pointer); });
    capacity_ = capacity;
}

void GCountedPtrVector::Append(GCountedPtr&& pointer) {
    const uint32_t capacity = CapacityForOneMore();
    Allocating(Count() + uint64_t{1}, [&] { slots_.push_back(std::move(pointer)); });
    capacity_ = capacity;
}

void GCountedPtrVector::InsertAt(uint32_t index, const GCountedPtr& pointer) {
    if (index > Count()) {
        RWThrowIndexError(index, Count());
    }
    // Held before anything moves: pointer may refer to one of our slots.
    GCountedPtr held(pointer);
    const uint32_t capacity = CapacityForOneMore();
    Allocating(Count() + uint64_t{1}, [&] { slots_.insert(slots_.begin() + index, std::move(held)); });
    capacity_ = capacity;
}

GCountedPtr GCountedPtrVector::RemoveAt(uint32_t index) {
    BoundsCheck(index);
    GCountedPtr removed = std::move(slots_[index]);
    slots_.erase(slots_.begin() + index); // only the emptied slot goes
    return removed;
}

uint32_t GCountedPtrVector::Remove(const GCountedPtr& pointer) {
    const uint32_t index = IndexOf(pointer.Get());
    if (index == kNotFound) {
        return 0;
    }
    RemoveAt(index); // the removed pointer is released here
    return 1;
}

uint32_t GCountedPtrVector::RemoveAll(const GCountedPtr& pointer) {
    // Held for the walk: pointer may be one of the slots being cleared.
    GCountedPtr held(pointer);
    const auto kept = std::stable_partition(
        slots_.begin(), slots_.end(), [&](const GCountedPtr& slot) { return slot.Get() != held.Get(); });
    const auto removed = static_cast<uint32_t>(slots_.end() - kept);
    slots_.erase(kept, slots_.end()); // each released holds the same object as held
    return removed;
}

void GCountedPtrVector::RaiseIndexError(uint32_t index) const {
    RWThrowIndexError(index, Count());
}

void GCountedPtrVector::Resize(uint32_t capacity) {
    if (capacity == capacity_) {
        return;
    }
    CheckCapacity(capacity);
    // Slots that do not fit are taken out first and released last, with the
    // vector whole.
    std::vector<GCountedPtr> dropped;
    if (Count() > capacity) {
        Allocating(Count() - uint64_t{capacity}, [&] {
            dropped.assign(std::make_move_iterator(slots_.begin() + capacity),
                           std::make_move_iterator(slots_.end()));
        });
        slots_.resize(capacity);
    }
    if (slots_.capacity() > capacity) {
        slots_.shrink_to_fit();
    }
    capacity_ = capacity;
}

void GCountedPtrVector::Clear() {
    // The vector reads empty before any child goes, whatever a child's
    // destructor does.
    std::vector<GCountedPtr> released = std::exchange(slots_, {});
}

void GCountedPtrVector::Reserve(uint32_t n) {
    if (n > kMaxCapacity) n = kMaxCapacity;
    Allocating(n, [&] { slots_.reserve(n); });
}
