#include "rw/RWPtrVector.h"

#include <algorithm>
#include <utility>

#include "rw/RWDefs.h"
#include "rw/RWErrorHandler.h"

RWPtrVector::RWPtrVector(uint32_t n, void* value) : length_(n), array_(new void*[n]) {
    std::fill_n(array_.get(), n, value);
}

RWPtrVector::RWPtrVector(const RWPtrVector& other)
    : length_(other.length_), array_(other.array_ != nullptr ? new void*[other.length_] : nullptr) {
    if (array_ != nullptr) std::copy_n(other.array_.get(), length_, array_.get());
}

RWPtrVector& RWPtrVector::operator=(const RWPtrVector& other) {
    if (this != &other) *this = RWPtrVector(other);
    return *this;
}

RWPtrVector::RWPtrVector(RWPtrVector&& other) noexcept
    : length_(std::exchange(other.length_, 0)), array_(std::move(other.array_)) {}

RWPtrVector& RWPtrVector::operator=(RWPtrVector&& other) noexcept {
    if (this != &other) {
        length_ = std::exchange(other.length_, 0);
        array_ = std::move(other.array_);
    }
    return *this;
}

RWPtrVector::~RWPtrVector() = default;

RWPtrVector& RWPtrVector::operator=(void* value) {
    std::fill_n(array_.get(), length_, value);
    return *this;
}

void RWPtrVector::Reshape(uint32_t n) {
    if (n == length_) return;
    // Value-initialised, so the tail is null rather than whatever the heap held.
    std::unique_ptr<void*[]> array(n != 0 ? new void*[n]() : nullptr);
    std::copy_n(array_.get(), std::min(length_, n), array.get());
    array_ = std::move(array);
    length_ = n;
}

void RWPtrVector::Resize(uint32_t n) {
    const uint32_t old = length_;
    Reshape(n);
    if (n > old) std::fill(array_.get() + old, array_.get() + n, nullptr);
}

void RWPtrVector::BoundsCheck(size_t i) const {
    if (i < length_) return;
    // A 32-bit "no position" is RW_NPOS too.
    RWThrowIndexError(i == 0xFFFFFFFFu ? RW_NPOS : i, length_);
}
