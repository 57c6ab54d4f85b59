#pragma once
// The image of one node of a RWDiskBTree of order N and key length K:
// 8 + 16N + 2NK bytes, little-endian:
//
//   offset     width         field
//   0          u32           count of keys in use (0..2N)
//   4          u32 x (2N+1)  child node offsets; -1 for none (all -1 in a leaf)
//   8 + 8N     u32 x 2N      values, one per key
//   8 + 16N    2N x K bytes  keys, ascending by the tree's comparison
//
// Child i holds the keys below key i, child i+1 those above it. Slots
// beyond the count are kept clear (zero keys and values, children -1).
// Keys handed to a node are K bytes in the tree's key form.
#include <cstddef>
#include <cstdint>
#include <vector>

class RWDiskBTree;

class RWDiskTreeNode {
public:
    using Compare = int (*)(const char* a, const char* b, size_t keyLength);
    static constexpr uint32_t kNone = 0xFFFFFFFF;

    // An empty node: count 0, every child -1.
    explicit RWDiskTreeNode(const RWDiskBTree& tree);
    // A node holding one key and value, both children -1.
    RWDiskTreeNode(const RWDiskBTree& tree, const char* key, uint32_t value);

    void Clear();

    uint32_t Count() const { return Word(0); }
    void SetCount(uint32_t count) { SetWord(0, count); }
    uint32_t Child(uint32_t i) const { return Word(4 + 4 * i); }
    void SetChild(uint32_t i, uint32_t offset) { SetWord(4 + 4 * i, offset); }
    uint32_t Value(uint32_t i) const { return Word(valuesAt_ + 4 * i); }
    void SetValue(uint32_t i, uint32_t value) { SetWord(valuesAt_ + 4 * i, value); }
    const char* Key(uint32_t i) const { return reinterpret_cast<const char*>(image_.data() + KeyAt(i)); }
    void SetKey(uint32_t i, const char* key);
    bool IsLeaf() const { return Child(0) == kNone; }

    // Lower bound: the position of the first key that is not below key
    // (Count when every key is below it).
    uint32_t Search(const char* key, Compare compare) const;
    // Inserts key and value at position; keys, values and the children
    // after position move up one, and rightChild becomes child position+1.
    void InsertAt(const char* key, uint32_t value, uint32_t position, uint32_t rightChild);
    // Removes key position and child position+1 (everything after moves
    // down one).
    void RemoveAt(uint32_t position);
    // Removes key 0 and child 0 (everything moves down one).
    void RemoveFirst();

    uint8_t* Image() { return image_.data(); }
    const uint8_t* Image() const { return image_.data(); }
    size_t Size() const { return image_.size(); }
    uint32_t Order() const { return order_; }
    uint32_t KeyLength() const { return keyLength_; }

private:
    uint32_t Word(size_t at) const;
    void SetWord(size_t at, uint32_t value);
    size_t KeyAt(uint32_t i) const { return keysAt_ + static_cast<size_t>(i) * keyLength_; }
    // Moves slot from to slot to (key, value and the child to its right).
    void MoveSlot(uint32_t from, uint32_t to);
    void ClearSlot(uint32_t i);

    uint32_t order_;
    uint32_t keyLength_;
    size_t valuesAt_;
    size_t keysAt_;
    std::vector<uint8_t> image_;
};
