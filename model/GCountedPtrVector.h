#pragma once
// The growable vector of counted pointers a composite keeps its children in.
//
// Invariants: `count` slots are in use; `count` <= `capacity`. The capacity
// grows only when an element is appended or inserted into a full vector, and
// then always to count + 64 (10 -> 74, 64 -> 128); it never shrinks by
// itself. The capacity is the figure callers read and the rule above keeps;
// the slots themselves live in a std::vector that is allocated when the
// first one is stored and grows geometrically, so filling a vector with n
// children costs time linear in n and a composite that holds few children
// holds few slots.
//
// A growth that cannot be had (allocation failure, or a capacity past what
// a 32-bit count can address) raises before anything is changed: the vector
// stays exactly as it was.
#include <cstdint>
#include <vector>

#include "model/GCountedPtr.h"

class GCountedPtrVector {
public:
    static constexpr uint32_t kGrowth = 64;
    static constexpr uint32_t kNotFound = 0xFFFFFFFF;
    // The largest capacity handed out; the composites refuse children well
    // before it (their limit is 0x1FFFFFBF).
    static constexpr uint32_t kMaxCapacity = 0x1FFFFFFF;

    explicit GCountedPtrVector(uint32_t capacity = 0);
    // The source's capacity and a copy of its slots (the children are
    // shared: each gains a reference), the same count.
    GCountedPtrVector(const GCountedPtrVector& other);
    GCountedPtrVector(GCountedPtrVector&& other) noexcept;
    GCountedPtrVector& operator=(const GCountedPtrVector& other);
    GCountedPtrVector& operator=(GCountedPtrVector&& other) noexcept;
    // Releases every slot.
    ~GCountedPtrVector();

    uint32_t Capacity() const { return capacity_; }
    uint32_t Count() const { return static_cast<uint32_t>(slots_.size()); }

    // Index of the first slot holding the identical object, kNotFound when
    // none.
    uint32_t IndexOf(const MPersistentObject* object) const;
    uint32_t IndexOf(const GCountedPtr& pointer) const { return IndexOf(pointer.Get()); }
    // Stores the pointer at index count (growing to count + 64 when full).
    void Append(const GCountedPtr& pointer);
    // The same, taking the pointer's reference over.
    void Append(GCountedPtr&& pointer);
    // Number of slots holding the identical object.
    uint32_t Occurrences(const GCountedPtr& pointer) const;
    // Removes the first slot holding the identical object (released): 1, or
    // 0 when there is none.
    uint32_t Remove(const GCountedPtr& pointer);
    // Removes every slot holding the identical object, keeping the order of
    // the others; returns how many were removed.
    uint32_t RemoveAll(const GCountedPtr& pointer);

    // Takes the pointer at index out and hands it to the caller; the later
    // slots move down by one. Raises INDEXERR when index >= count.
    GCountedPtr RemoveAt(uint32_t index);
    // Inserts at index (0..count): the slots from index up move up by one,
    // growing by 64 when full. Raises INDEXERR when index > count.
    void InsertAt(uint32_t index, const GCountedPtr& pointer);
    // Bounds-checked access to a slot in use. Inline: every child walk and
    // every settings decode goes through it.
    GCountedPtr& At(uint32_t index) {
        BoundsCheck(index);
        return slots_[index];
    }
    const GCountedPtr& At(uint32_t index) const {
        BoundsCheck(index);
        return slots_[index];
    }
    // Raises INDEXERR (index, count) when index >= count.
    void BoundsCheck(uint32_t index) const {
        if (index >= Count()) RaiseIndexError(index);
    }

    // New capacity: the first min(old, new) slots are kept (slots dropped
    // past the new capacity are released; count is lowered to match so the
    // invariants hold). Nothing happens when it equals the capacity.
    void Resize(uint32_t capacity);
    // Releases every slot; count 0, capacity unchanged.
    void Clear();
    // Takes out, in one pass, every slot for which drop(slot, kept) answers
    // true (kept: the count of slots kept before it, which stay at indexes
    // 0..kept - 1) and appends it to dropped; the others keep their order.
    // The capacity figure does not change.
    template <typename Drop> void Extract(Drop drop, std::vector<GCountedPtr>& dropped) {
        size_t kept = 0;
        for (size_t i = 0; i < slots_.size(); ++i) {
            if (drop(slots_[i], static_cast<uint32_t>(kept))) {
                dropped.push_back(std::move(slots_[i]));
            } else if (kept != i) {
                slots_[kept++] = std::move(slots_[i]);
            } else {
                ++kept;
            }
        }
        slots_.resize(kept); // what remains past kept was moved out
    }

    // Makes room for n slots in all without changing the capacity figure,
    // so that appending up to n reallocates nothing (for a restore that
    // knows how many children its input can still hold).
    void Reserve(uint32_t n);

private:
    [[noreturn]] void RaiseIndexError(uint32_t index) const;
    // The capacity after one more element, by the count + 64 rule.
    uint32_t CapacityForOneMore() const;

    uint32_t capacity_ = 0;
    std::vector<GCountedPtr> slots_; // the slots in use
};
