#include "rw/RWDiskTreeNode.h"

#include <cstring>

#include "rw/RWDiskBTree.h"

RWDiskTreeNode::RWDiskTreeNode(const RWDiskBTree& tree)
    : order_(tree.Order()), keyLength_(tree.KeyLength()), valuesAt_(8 + 8 * size_t{order_}),
      keysAt_(8 + 16 * size_t{order_}), image_(tree.NodeSize()) {
    Clear();
}

RWDiskTreeNode::RWDiskTreeNode(const RWDiskBTree& tree, const char* key, uint32_t value)
    : RWDiskTreeNode(tree) {
    SetCount(1);
    SetKey(0, key);
    SetValue(0, value);
}

void RWDiskTreeNode::Clear() {
    std::memset(image_.data(), 0, image_.size());
    for (uint32_t i = 0; i <= 2 * order_; ++i)
        SetChild(i, kNone);
}

uint32_t RWDiskTreeNode::Word(size_t at) const {
    const uint8_t* p = image_.data() + at;
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void RWDiskTreeNode::SetWord(size_t at, uint32_t value) {
    uint8_t* p = image_.data() + at;
    for (int k = 0; k < 4; ++k)
        p[k] = static_cast<uint8_t>(value >> (8 * k));
}

void RWDiskTreeNode::SetKey(uint32_t i, const char* key) {
    std::memcpy(image_.data() + KeyAt(i), key, keyLength_);
}

uint32_t RWDiskTreeNode::Search(const char* key, Compare compare) const {
    const uint32_t count = Count();
    if (count == 0 || compare(Key(0), key, keyLength_) >= 0) return 0;
    if (compare(Key(count - 1), key, keyLength_) < 0) return count;
    // key[lo] is below the key, key[hi] is not.
    uint32_t lo = 0, hi = count - 1;
    while (hi - lo >= 2) {
        const uint32_t mid = (lo + hi) / 2;
        if (compare(Key(mid), key, keyLength_) < 0) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return hi;
}

void RWDiskTreeNode::MoveSlot(uint32_t from, uint32_t to) {
    std::memmove(image_.data() + KeyAt(to), image_.data() + KeyAt(from), keyLength_);
    SetValue(to, Value(from));
    SetChild(to + 1, Child(from + 1));
}

void RWDiskTreeNode::ClearSlot(uint32_t i) {
    std::memset(image_.data() + KeyAt(i), 0, keyLength_);
    SetValue(i, 0);
    SetChild(i + 1, kNone);
}

void RWDiskTreeNode::InsertAt(const char* key, uint32_t value, uint32_t position, uint32_t rightChild) {
    const uint32_t count = Count();
    for (uint32_t i = count; i > position; --i)
        MoveSlot(i - 1, i);
    SetKey(position, key);
    SetValue(position, value);
    SetChild(position + 1, rightChild);
    SetCount(count + 1);
}

void RWDiskTreeNode::RemoveAt(uint32_t position) {
    const uint32_t count = Count();
    for (uint32_t i = position; i + 1 < count; ++i)
        MoveSlot(i + 1, i);
    ClearSlot(count - 1);
    SetCount(count - 1);
}

void RWDiskTreeNode::RemoveFirst() {
    const uint32_t count = Count();
    SetChild(0, Child(1));
    for (uint32_t i = 0; i + 1 < count; ++i)
        MoveSlot(i + 1, i);
    ClearSlot(count - 1);
    SetCount(count - 1);
}
