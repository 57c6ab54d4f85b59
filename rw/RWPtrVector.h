#pragma once
// A fixed-length vector of untyped pointers (not a collectable). The vector
// owns its array, never the pointed-to objects.
#include <cstddef>
#include <cstdint>
#include <memory>

class RWPtrVector {
public:
    // n pointers, all set to value. Always allocates, even for n == 0.
    explicit RWPtrVector(uint32_t n = 0, void* value = nullptr);
    RWPtrVector(const RWPtrVector& other);
    RWPtrVector& operator=(const RWPtrVector& other);
    // The moved-from vector is empty (length 0, no array).
    RWPtrVector(RWPtrVector&& other) noexcept;
    RWPtrVector& operator=(RWPtrVector&& other) noexcept;
    ~RWPtrVector();

    // Sets every entry to value.
    RWPtrVector& operator=(void* value);

    uint32_t Length() const { return length_; }
    void** Data() { return array_.get(); }
    void* const* Data() const { return array_.get(); }

    // Checked access: INDEXERR (index, length), or NPOSINDEX for RW_NPOS.
    void*& operator[](size_t i) {
        BoundsCheck(i);
        return array_[i];
    }
    void* operator[](size_t i) const {
        BoundsCheck(i);
        return array_[i];
    }
    // Unchecked access, for callers that have checked the index themselves.
    void*& operator()(size_t i) { return array_[i]; }
    void* operator()(size_t i) const { return array_[i]; }

    // New length n: the first min(length, n) entries kept, the array freed
    // for 0. New entries are left null (never uninitialised memory).
    void Reshape(uint32_t n);
    // Reshape, then the new entries set to null.
    void Resize(uint32_t n);

    // Raises INDEXERR / NPOSINDEX when i is not below the length.
    void BoundsCheck(size_t i) const;

private:
    uint32_t length_ = 0;
    std::unique_ptr<void*[]> array_;
};
