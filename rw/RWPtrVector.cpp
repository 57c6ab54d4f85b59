#include "rw/RWPtrVector.h"

#include <algorithm>

#include "rw/RWDefs.h"
#include "rw/RWErrorHandler.h"

RWPtrVector::RWPtrVector(uint32_t n, void* value) : length_(n), array_(new void*[n]) {
    std::fill_n(array_, n, value);
}

RWPtrVector::RWPtrVector(const RWPtrVector& other)
    : length_(other.length_), array_(other.array_ != nullptr ? new void*[other.length_] : nullptr) {
    if (array_ != nullptr) std::copy_n(other.array_, length_, array_);
}

RWPtrVector& RWPtrVector::operator=(const RWPtrVector& other) {
    if (this == &other) return *this;
    void** copy = other.array_ != nullptr ? new void*[other.length_] : nullptr;
    if (copy != nullptr) std::copy_n(other.array_, other.length_, copy);
    delete[] array_;
    array_ = copy;
    length_ = other.length_;
    return *this;
}

RWPtrVector::~RWPtrVector() {
    delete[] array_;
}

RWPtrVector& RWPtrVector::operator=(void* value) {
    std::fill_n(array_, length_, value);
    return *this;
}

void RWPtrVector::Reshape(uint32_t n) {
    if (n == length_) return;
    // Value-initialised, so the tail is null rather than whatever the heap held.
    void** array = n != 0 ? new void*[n]() : nullptr;
    std::copy_n(array_, std::min(length_, n), array);
    delete[] array_;
    array_ = array;
    length_ = n;
}

void RWPtrVector::Resize(uint32_t n) {
    const uint32_t old = length_;
    Reshape(n);
    if (n > old) std::fill(array_ + old, array_ + n, nullptr);
}

void RWPtrVector::BoundsCheck(size_t i) const {
    if (i < length_) return;
    // A 32-bit "no position" is RW_NPOS too.
    RWThrowIndexError(i == 0xFFFFFFFFu ? RW_NPOS : i, length_);
}
