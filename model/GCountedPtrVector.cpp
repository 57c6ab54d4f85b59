#include "model/GCountedPtrVector.h"

#include <algorithm>
#include <new>
#include <utility>

#include "model/MPersistentObject.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWLibraryError.h"

namespace {

// A new array of n null slots, or null for 0. Raises before anything is
// changed when it cannot be had.
std::unique_ptr<GCountedPtr[]> NewSlots(uint32_t n) {
    if (n == 0) {
        return nullptr;
    }
    if (n > GCountedPtrVector::kMaxCapacity) {
        RWThrow(RWOutOfMemoryError(0xFFFFFFFF));
    }
    GCountedPtr* slots = new (std::nothrow) GCountedPtr[n];
    if (slots == nullptr) {
        const uint64_t bytes = uint64_t{n} * sizeof(GCountedPtr);
        RWThrow(RWOutOfMemoryError(bytes > 0xFFFFFFFF ? 0xFFFFFFFF : static_cast<uint32_t>(bytes)));
    }
    return std::unique_ptr<GCountedPtr[]>(slots);
}

} // namespace

GCountedPtrVector::GCountedPtrVector(uint32_t capacity) : capacity_(capacity), slots_(NewSlots(capacity)) {}

GCountedPtrVector::GCountedPtrVector(const GCountedPtrVector& other)
    : capacity_(other.capacity_), slots_(NewSlots(other.capacity_)), count_(other.count_) {
    std::copy_n(other.slots_.get(), other.count_, slots_.get());
}

GCountedPtrVector::GCountedPtrVector(GCountedPtrVector&& other) noexcept
    : capacity_(std::exchange(other.capacity_, 0)), slots_(std::move(other.slots_)),
      count_(std::exchange(other.count_, 0)) {}

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
        std::unique_ptr<GCountedPtr[]> old = std::exchange(slots_, std::move(other.slots_));
        capacity_ = std::exchange(other.capacity_, 0);
        count_ = std::exchange(other.count_, 0);
        // old is released here, after this vector is whole again.
    }
    return *this;
}

GCountedPtrVector::~GCountedPtrVector() = default;

uint32_t GCountedPtrVector::IndexOf(const MPersistentObject* object) const {
    for (uint32_t i = 0; i < count_; ++i) {
        if (slots_[i].Get() == object) {
            return i;
        }
    }
    return kNotFound;
}

uint32_t GCountedPtrVector::Occurrences(const GCountedPtr& pointer) const {
    uint32_t n = 0;
    for (uint32_t i = 0; i < count_; ++i) {
        if (slots_[i].Get() == pointer.Get()) {
            ++n;
        }
    }
    return n;
}

void GCountedPtrVector::GrowIfFull() {
    if (capacity_ <= count_) {
        if (count_ > kMaxCapacity - kGrowth) {
            RWThrow(RWOutOfMemoryError(0xFFFFFFFF));
        }
        Resize(count_ + kGrowth);
    }
}

void GCountedPtrVector::Append(const GCountedPtr& pointer) {
    GrowIfFull();
    slots_[count_] = pointer;
    ++count_;
}

void GCountedPtrVector::InsertAt(uint32_t index, const GCountedPtr& pointer) {
    if (index > count_) {
        RWThrowIndexError(index, count_);
    }
    // Held before anything moves: pointer may refer to one of our slots.
    GCountedPtr held(pointer);
    GrowIfFull();
    std::move_backward(slots_.get() + index, slots_.get() + count_, slots_.get() + count_ + 1);
    slots_[index] = std::move(held);
    ++count_;
}

GCountedPtr GCountedPtrVector::RemoveAt(uint32_t index) {
    BoundsCheck(index);
    GCountedPtr removed = std::move(slots_[index]);
    std::move(slots_.get() + index + 1, slots_.get() + count_, slots_.get() + index);
    --count_;
    slots_[count_].Reset();
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
    uint32_t kept = 0;
    for (uint32_t i = 0; i < count_; ++i) {
        if (slots_[i].Get() != held.Get()) {
            if (kept != i) {
                slots_[kept] = std::move(slots_[i]);
            }
            ++kept;
        }
    }
    const uint32_t removed = count_ - kept;
    for (uint32_t i = kept; i < count_; ++i) {
        slots_[i].Reset();
    }
    count_ = kept;
    return removed;
}

GCountedPtr& GCountedPtrVector::At(uint32_t index) {
    BoundsCheck(index);
    return slots_[index];
}

const GCountedPtr& GCountedPtrVector::At(uint32_t index) const {
    BoundsCheck(index);
    return slots_[index];
}

void GCountedPtrVector::BoundsCheck(uint32_t index) const {
    if (index >= count_) {
        RWThrowIndexError(index, count_);
    }
}

void GCountedPtrVector::Resize(uint32_t capacity) {
    if (capacity == capacity_) {
        return;
    }
    // The new array is complete before the old one is touched, so a failed
    // allocation leaves the vector as it was.
    std::unique_ptr<GCountedPtr[]> slots = NewSlots(capacity);
    const uint32_t kept = std::min(count_, capacity);
    std::move(slots_.get(), slots_.get() + kept, slots.get());
    std::unique_ptr<GCountedPtr[]> old = std::exchange(slots_, std::move(slots));
    const uint32_t oldCount = count_;
    capacity_ = capacity;
    count_ = kept;
    // Slots that did not fit are released last, with the vector whole.
    for (uint32_t i = kept; i < oldCount; ++i) {
        old[i].Reset();
    }
}

void GCountedPtrVector::Clear() {
    // The vector reads empty before any child goes, whatever a child's
    // destructor does.
    const uint32_t n = std::exchange(count_, 0);
    for (uint32_t i = 0; i < n; ++i) {
        GCountedPtr released = std::move(slots_[i]);
    }
}
