#include "rw/RWDiskBTree.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "rw/RWCString.h"
#include "rw/RWDiskNodeCache.h"
#include "rw/RWFileSpaceManager.h"

namespace {
constexpr uint32_t kUnknownCount = 0xFFFFFFFF;
constexpr uint32_t kMaxNodeSize = 1u << 20;
constexpr uint32_t kMaxKeyLength = 4096;
constexpr uint32_t kMaxOrder = 4096;

uint64_t NodeSizeFor(uint32_t order, uint32_t keyLength) {
    return 8 + 16 * uint64_t{order} + 2 * uint64_t{order} * keyLength;
}

// Written over by anything but a read-only open.
bool OpenForUpdate(const char* mode) {
    return mode != nullptr && (std::strchr(mode, '+') != nullptr || mode[0] == 'w' || mode[0] == 'a');
}
} // namespace

// A split's median on its way up: key, value and the new right sibling.
struct RWDiskBTree::Handed {
    std::string key;
    uint32_t value = 0;
    uint32_t child = kNone;
};

// Bounds a walk over the nodes: no more visits than the file holds nodes.
struct RWDiskBTree::Walk {
    uint64_t visits = 0;
    uint64_t limit = 0;
};

enum : int { kExists, kDone, kSplit };

int RWDiskBTree::CompareBinary(const char* a, const char* b, size_t keyLength) {
    return std::memcmp(a, b, keyLength);
}

int RWDiskBTree::CompareText(const char* a, const char* b, size_t keyLength) {
    return std::strncmp(a, b, keyLength);
}

RWDiskBTree::RWDiskBTree(RWFileSpaceManager& file, uint32_t buffers, bool create, uint32_t keyLength,
                         uint32_t flags, uint32_t headerOffset, int mode, uint32_t order, uint32_t minimum)
    : file_(file) {
    InitHeader(keyLength, order, minimum, flags);
    CheckParameters();
    if (mode == 1) {
        headerless_ = true;
        headerOffset_ = kNone;
        version_ = kUnknownCount;
        if (file_.FirstBlock() == -1) {
            const uint32_t first = file_.Allocate(4);
            if (first == RWFileSpaceManager::kNoOffset) file_.RaiseWriteError();
            WriteHeader();
        }
    } else {
        headerOffset_ = headerOffset;
        if (headerOffset_ == kNone) {
            if (create || file_.FirstBlock() == -1) {
                headerOffset_ = file_.Allocate(kHeaderSize);
                if (headerOffset_ == RWFileSpaceManager::kNoOffset) file_.RaiseWriteError();
                WriteHeader();
            } else {
                headerOffset_ = static_cast<uint32_t>(file_.FirstBlock());
            }
        }
    }
    ReadHeader();
    // Binary keys are read as K bytes from the caller: a file may not change
    // the kind of key nor a binary key's length behind the caller's back.
    if (!headerless_ && version_ == kVersion &&
        (((flags_ ^ flags) & kBinaryKeys) != 0 || ((flags & kBinaryKeys) != 0 && keyLength_ != keyLength)))
        file_.RaiseReadError();
    if (!headerless_ && version_ != kVersion) {
        // Not a header of ours: the tree keeps only its root, in the first block.
        InitHeader(keyLength, order, minimum, flags);
        headerless_ = true;
        version_ = kUnknownCount;
        ReadHeader();
    }
    compare_ = (flags_ & kBinaryKeys) != 0 && !headerless_ ? &CompareBinary : &CompareText;
    SetUpBuffers(buffers);
}

RWDiskBTree::~RWDiskBTree() {
    // The entry count changes without the root moving: it reaches the file
    // here whenever the file may be written, whatever mode opened it.
    if (file_.IsValid() && OpenForUpdate(file_.GetMode())) {
        try {
            WriteHeader();
        } catch (...) {
            // A destructor cannot report; the file already holds every node.
        }
    }
    cache_.reset();
}

void RWDiskBTree::InitHeader(uint32_t keyLength, uint32_t order, uint32_t minimum, uint32_t flags) {
    root_ = kNone;
    version_ = kVersion;
    entries_ = 0;
    keyLength_ = keyLength;
    order_ = order;
    minimum_ = std::min(minimum, order);
    flags_ = flags;
}

void RWDiskBTree::ResetHeader() {
    root_ = kNone;
    entries_ = 0;
    if (headerless_) version_ = 0; // the count is known: none
}

void RWDiskBTree::CheckParameters() const {
    if (keyLength_ == 0 || keyLength_ > kMaxKeyLength || order_ == 0 || order_ > kMaxOrder ||
        minimum_ > order_ || NodeSizeFor(order_, keyLength_) > kMaxNodeSize)
        file_.RaiseReadError();
}

uint32_t RWDiskBTree::FirstBlockOrRaise() const {
    if (file_.FirstBlock() == -1) file_.RaiseReadError();
    return static_cast<uint32_t>(file_.FirstBlock());
}

void RWDiskBTree::ReadHeader() {
    if (headerless_) {
        file_.SeekOrRaise(FirstBlockOrRaise());
        int32_t root = 0;
        if (!file_.Read(root)) file_.RaiseReadError();
        root_ = static_cast<uint32_t>(root);
    } else {
        file_.SeekOrRaise(headerOffset_);
        int32_t root = 0, reserved1 = 0, reserved2 = 0;
        uint32_t reserved3 = 0;
        if (!file_.Read(root) || !file_.Read(reserved1) || !file_.Read(version_) || !file_.Read(entries_) ||
            !file_.Read(keyLength_) || !file_.Read(order_) || !file_.Read(minimum_) ||
            !file_.Read(reserved2) || !file_.Read(reserved3) || !file_.Read(flags_))
            file_.RaiseReadError();
        root_ = static_cast<uint32_t>(root);
        if (version_ == kVersion) CheckParameters();
    }
    if (root_ != kNone && root_ > RWFileSpaceManager::kMaxOffset) file_.RaiseReadError();
    nodeSize_ = static_cast<uint32_t>(NodeSizeFor(order_, keyLength_));
}

void RWDiskBTree::WriteHeader() {
    if (headerless_) {
        file_.SeekOrRaise(FirstBlockOrRaise());
        if (!file_.Write(static_cast<int32_t>(root_))) file_.RaiseWriteError();
        return;
    }
    file_.SeekOrRaise(headerOffset_);
    if (!file_.Write(static_cast<int32_t>(root_)) || !file_.Write(int32_t{-1}) || !file_.Write(version_) ||
        !file_.Write(entries_) || !file_.Write(keyLength_) || !file_.Write(order_) ||
        !file_.Write(minimum_) || !file_.Write(int32_t{-1}) || !file_.Write(uint32_t{0}) ||
        !file_.Write(flags_))
        file_.RaiseWriteError();
}

void RWDiskBTree::SetUpBuffers(uint32_t buffers) {
    buffers_ = buffers;
    cache_ = std::make_unique<RWDiskNodeCache>(file_, nodeSize_, buffers);
}

RWDiskBTree::Compare RWDiskBTree::SetComparison(Compare compare) {
    const Compare previous = compare_;
    if (compare != nullptr) compare_ = compare;
    return previous;
}

uint32_t RWDiskBTree::SetCacheBlocks(uint32_t count) {
    const uint32_t previous = buffers_;
    if (count != previous) SetUpBuffers(count);
    return previous;
}

uint64_t RWDiskBTree::MaxNodes() {
    return file_.UsedBytesOnFile() / nodeSize_ + 1;
}

RWDiskTreeNode RWDiskBTree::ReadNode(uint32_t offset) {
    RWDiskTreeNode node(*this);
    if (offset == kNone || !cache_->Read(offset, node.Image())) file_.RaiseReadError();
    if (node.Count() > 2 * order_) file_.RaiseReadError();
    return node;
}

void RWDiskBTree::WriteNode(uint32_t offset, const RWDiskTreeNode& node) {
    if (!cache_->Write(offset, node.Image())) file_.RaiseWriteError();
}

uint32_t RWDiskBTree::AllocateNode(const RWDiskTreeNode& node) {
    const uint32_t offset = file_.Allocate(nodeSize_);
    if (offset == RWFileSpaceManager::kNoOffset) file_.RaiseWriteError();
    WriteNode(offset, node);
    return offset;
}

std::string RWDiskBTree::KeyForm(const char* key) const {
    std::string form(keyLength_, '\0');
    if ((flags_ & kBinaryKeys) != 0) {
        std::memcpy(form.data(), key, keyLength_);
    } else {
        std::strncpy(form.data(), key, keyLength_);
    }
    return form;
}

RWCString RWDiskBTree::StoredKey(const char* key) const {
    if ((flags_ & kBinaryKeys) != 0) return RWCString(key, keyLength_);
    // A key filling all K bytes has no NUL of its own.
    return RWCString(key, ::strnlen(key, keyLength_));
}

void RWDiskBTree::SetRoot(uint32_t root) {
    root_ = root;
    WriteHeader();
}

bool RWDiskBTree::FindKeyAndValue(const char* key, RWCString& foundKey, uint32_t& value) {
    value = kNone;
    const std::string form = KeyForm(key);
    uint32_t offset = root_;
    for (int depth = 0; offset != kNone; ++depth) {
        if (depth > kMaxDepth) file_.RaiseReadError();
        const RWDiskTreeNode node = ReadNode(offset);
        const uint32_t p = node.Search(form.data(), compare_);
        if (p < node.Count() && KeysEqual(node.Key(p), form.data())) {
            foundKey = StoredKey(node.Key(p));
            value = node.Value(p);
            return true;
        }
        offset = node.Child(p);
    }
    return false;
}

bool RWDiskBTree::ReplaceValue(const char* key, uint32_t newValue, uint32_t& oldValue) {
    const std::string form = KeyForm(key);
    uint32_t offset = root_;
    for (int depth = 0; offset != kNone; ++depth) {
        if (depth > kMaxDepth) file_.RaiseReadError();
        RWDiskTreeNode node = ReadNode(offset);
        const uint32_t p = node.Search(form.data(), compare_);
        if (p < node.Count() && KeysEqual(node.Key(p), form.data())) {
            oldValue = node.Value(p);
            node.SetValue(p, newValue);
            WriteNode(offset, node);
            return true;
        }
        offset = node.Child(p);
    }
    return false;
}

bool RWDiskBTree::InsertKeyAndValue(const char* key, uint32_t value) {
    const std::string form = KeyForm(key);
    if (root_ == kNone) {
        SetRoot(AllocateNode(RWDiskTreeNode(*this, form.data(), value)));
    } else {
        Handed handed;
        const int result = InsertInto(root_, form, value, handed, 0);
        if (result == kExists) return false;
        if (result == kSplit) {
            RWDiskTreeNode root(*this, handed.key.data(), handed.value);
            root.SetChild(0, root_);
            root.SetChild(1, handed.child);
            SetRoot(AllocateNode(root));
        }
    }
    ++entries_;
    return true;
}

int RWDiskBTree::InsertInto(uint32_t offset, const std::string& key, uint32_t value, Handed& handed,
                            int depth) {
    if (depth > kMaxDepth) file_.RaiseReadError();
    RWDiskTreeNode node = ReadNode(offset);
    const uint32_t p = node.Search(key.data(), compare_);
    if (p < node.Count() && KeysEqual(node.Key(p), key.data())) return kExists;
    const uint32_t child = node.Child(p);
    if (child == kNone) {
        handed.key = key;
        handed.value = value;
        handed.child = kNone;
    } else {
        const int result = InsertInto(child, key, value, handed, depth + 1);
        if (result != kSplit) return result;
        node = ReadNode(offset);
    }
    if (node.Count() < 2 * order_) {
        node.InsertAt(handed.key.data(), handed.value, p, handed.child);
        WriteNode(offset, node);
        return kDone;
    }
    SplitNode(node, offset, p, handed);
    return kSplit;
}

void RWDiskBTree::SplitNode(RWDiskTreeNode& node, uint32_t offset, uint32_t position, Handed& handed) {
    // The 2N + 1 keys in order, the new one at position: the node keeps the
    // first N, key N goes up, the new sibling takes the last N.
    const uint32_t n = order_;
    std::vector<std::string> keys;
    std::vector<uint32_t> values, children;
    for (uint32_t i = 0; i < 2 * n; ++i) {
        keys.emplace_back(node.Key(i), keyLength_);
        values.push_back(node.Value(i));
    }
    for (uint32_t i = 0; i <= 2 * n; ++i)
        children.push_back(node.Child(i));
    keys.insert(keys.begin() + position, handed.key);
    values.insert(values.begin() + position, handed.value);
    children.insert(children.begin() + position + 1, handed.child);

    RWDiskTreeNode sibling(*this);
    sibling.SetChild(0, children[n + 1]);
    for (uint32_t i = 0; i < n; ++i)
        sibling.InsertAt(keys[n + 1 + i].data(), values[n + 1 + i], i, children[n + 2 + i]);
    RWDiskTreeNode kept(*this);
    kept.SetChild(0, children[0]);
    for (uint32_t i = 0; i < n; ++i)
        kept.InsertAt(keys[i].data(), values[i], i, children[i + 1]);

    handed.child = AllocateNode(sibling);
    handed.key = keys[n];
    handed.value = values[n];
    node = kept;
    WriteNode(offset, node);
}

bool RWDiskBTree::Remove(const char* key, RWCString& removedKey, uint32_t& value) {
    if (root_ == kNone) return false;
    const std::string form = KeyForm(key);
    const Removal result = RemoveFrom(root_, form, true, removedKey, value, 0);
    if (result == Removal::NotFound) return false;
    if (result == Removal::Short) {
        // The root has no key left: its only child, if any, takes its place.
        const uint32_t old = root_;
        const uint32_t child = ReadNode(old).Child(0);
        file_.Deallocate(old);
        SetRoot(child);
    }
    --entries_;
    return true;
}

RWDiskBTree::Removal RWDiskBTree::RemoveFrom(uint32_t offset, const std::string& key, bool isRoot,
                                             RWCString& removedKey, uint32_t& value, int depth) {
    if (offset == kNone) return Removal::NotFound;
    if (depth > kMaxDepth) file_.RaiseReadError();
    RWDiskTreeNode node = ReadNode(offset);
    const uint32_t p = node.Search(key.data(), compare_);
    uint32_t next = p;
    if (p < node.Count() && KeysEqual(node.Key(p), key.data())) {
        if (node.IsLeaf()) {
            removedKey = StoredKey(node.Key(p));
            value = node.Value(p);
            node.RemoveAt(p);
            WriteNode(offset, node);
            return node.Count() >= (isRoot ? 1 : minimum_) ? Removal::Fine : Removal::Short;
        }
        SwapWithSuccessor(node, offset, p);
        next = p + 1;
    } else if (node.Child(p) == kNone) {
        return Removal::NotFound;
    }
    const Removal result = RemoveFrom(node.Child(next), key, false, removedKey, value, depth + 1);
    if (result != Removal::Short) return result;
    return FixUnderflow(offset, next, isRoot);
}

void RWDiskBTree::SwapWithSuccessor(RWDiskTreeNode& node, uint32_t offset, uint32_t position) {
    uint32_t leafOffset = node.Child(position + 1);
    RWDiskTreeNode leaf = ReadNode(leafOffset);
    for (int depth = 0; !leaf.IsLeaf(); ++depth) {
        if (depth > kMaxDepth) file_.RaiseReadError();
        leafOffset = leaf.Child(0);
        leaf = ReadNode(leafOffset);
    }
    if (leaf.Count() == 0) file_.RaiseReadError();
    const std::string key(node.Key(position), keyLength_);
    const uint32_t value = node.Value(position);
    node.SetKey(position, leaf.Key(0));
    node.SetValue(position, leaf.Value(0));
    leaf.SetKey(0, key.data());
    leaf.SetValue(0, value);
    WriteNode(offset, node);
    WriteNode(leafOffset, leaf);
}

RWDiskBTree::Removal RWDiskBTree::FixUnderflow(uint32_t offset, uint32_t position, bool isRoot) {
    RWDiskTreeNode node = ReadNode(offset);
    const uint32_t count = node.Count();
    if (count == 0) file_.RaiseReadError(); // an inner node always has a sibling to offer
    auto canLend = [this, &node](uint32_t child) { return ReadNode(node.Child(child)).Count() > minimum_; };
    if (position == 0) {
        if (canLend(1)) {
            BorrowFromRight(node, offset, 0);
            return Removal::Fine;
        }
        MergeWithRight(node, offset, 0);
    } else if (position == count) {
        if (canLend(position - 1)) {
            BorrowFromLeft(node, offset, position);
            return Removal::Fine;
        }
        MergeWithRight(node, offset, position - 1);
    } else if (canLend(position - 1)) {
        BorrowFromLeft(node, offset, position);
        return Removal::Fine;
    } else if (canLend(position + 1)) {
        BorrowFromRight(node, offset, position);
        return Removal::Fine;
    } else {
        MergeWithRight(node, offset, position);
    }
    return node.Count() >= (isRoot ? 1 : minimum_) ? Removal::Fine : Removal::Short;
}

void RWDiskBTree::BorrowFromRight(RWDiskTreeNode& node, uint32_t offset, uint32_t position) {
    const uint32_t rightOffset = node.Child(position + 1);
    const uint32_t childOffset = node.Child(position);
    RWDiskTreeNode right = ReadNode(rightOffset);
    RWDiskTreeNode child = ReadNode(childOffset);
    if (child.Count() >= 2 * order_) file_.RaiseReadError();
    const std::string lent(right.Key(0), keyLength_);
    const uint32_t lentValue = right.Value(0);
    const uint32_t lentChild = right.Child(0);
    right.RemoveFirst();
    WriteNode(rightOffset, right);

    const std::string separator(node.Key(position), keyLength_);
    const uint32_t separatorValue = node.Value(position);
    node.SetKey(position, lent.data());
    node.SetValue(position, lentValue);
    WriteNode(offset, node);

    child.InsertAt(separator.data(), separatorValue, child.Count(), lentChild);
    WriteNode(childOffset, child);
}

void RWDiskBTree::BorrowFromLeft(RWDiskTreeNode& node, uint32_t offset, uint32_t position) {
    const uint32_t leftOffset = node.Child(position - 1);
    const uint32_t childOffset = node.Child(position);
    RWDiskTreeNode left = ReadNode(leftOffset);
    RWDiskTreeNode child = ReadNode(childOffset);
    if (child.Count() >= 2 * order_) file_.RaiseReadError();
    const uint32_t last = left.Count() - 1;
    const std::string lent(left.Key(last), keyLength_);
    const uint32_t lentValue = left.Value(last);
    const uint32_t lentChild = left.Child(last + 1);
    left.RemoveAt(last);
    WriteNode(leftOffset, left);

    const std::string separator(node.Key(position - 1), keyLength_);
    const uint32_t separatorValue = node.Value(position - 1);
    node.SetKey(position - 1, lent.data());
    node.SetValue(position - 1, lentValue);
    WriteNode(offset, node);

    // The separator goes in front; the old first child becomes child 1.
    const uint32_t oldFirst = child.Child(0);
    child.InsertAt(separator.data(), separatorValue, 0, oldFirst);
    child.SetChild(0, lentChild);
    WriteNode(childOffset, child);
}

void RWDiskBTree::MergeWithRight(RWDiskTreeNode& node, uint32_t offset, uint32_t position) {
    const uint32_t leftOffset = node.Child(position);
    const uint32_t rightOffset = node.Child(position + 1);
    RWDiskTreeNode left = ReadNode(leftOffset);
    const RWDiskTreeNode right = ReadNode(rightOffset);
    if (left.Count() + 1 + right.Count() > 2 * order_) file_.RaiseReadError();
    const std::string separator(node.Key(position), keyLength_);
    const uint32_t separatorValue = node.Value(position);
    node.RemoveAt(position);
    WriteNode(offset, node);

    left.InsertAt(separator.data(), separatorValue, left.Count(), right.Child(0));
    for (uint32_t i = 0; i < right.Count(); ++i)
        left.InsertAt(right.Key(i), right.Value(i), left.Count(), right.Child(i + 1));
    WriteNode(leftOffset, left);
    file_.Deallocate(rightOffset);
}

void RWDiskBTree::ClearAll() {
    if (root_ != kNone) {
        Walk walk{0, MaxNodes()};
        FreeSubtree(root_, walk, 0);
    }
    ResetHeader();
    WriteHeader();
}

void RWDiskBTree::FreeSubtree(uint32_t offset, Walk& walk, int depth) {
    if (depth > kMaxDepth || ++walk.visits > walk.limit) file_.RaiseReadError();
    const RWDiskTreeNode node = ReadNode(offset);
    if (!node.IsLeaf()) {
        for (uint32_t i = 0; i <= node.Count(); ++i)
            FreeSubtree(node.Child(i), walk, depth + 1);
    }
    file_.Deallocate(offset);
}

uint32_t RWDiskBTree::Entries() {
    if (headerless_ && version_ == kUnknownCount) {
        Walk walk{0, MaxNodes()};
        entries_ = root_ == kNone ? 0 : CountNode(root_, walk, 0);
        version_ = 0;
    }
    return entries_;
}

uint32_t RWDiskBTree::CountNode(uint32_t offset, Walk& walk, int depth) {
    if (depth > kMaxDepth || ++walk.visits > walk.limit) file_.RaiseReadError();
    const RWDiskTreeNode node = ReadNode(offset);
    uint32_t count = node.Count();
    if (!node.IsLeaf()) {
        for (uint32_t i = 0; i <= node.Count(); ++i)
            count += CountNode(node.Child(i), walk, depth + 1);
    }
    return count;
}

uint32_t RWDiskBTree::Height() {
    uint32_t height = 0;
    for (uint32_t offset = root_; offset != kNone; offset = ReadNode(offset).Child(0)) {
        if (++height > kMaxDepth) file_.RaiseReadError();
    }
    return height;
}

void RWDiskBTree::Apply(ApplyFunction function, void* argument) {
    if (root_ == kNone) return;
    Walk walk{0, MaxNodes()};
    ApplyNode(root_, function, argument, walk, 0);
}

void RWDiskBTree::ApplyNode(uint32_t offset, ApplyFunction function, void* argument, Walk& walk, int depth) {
    if (depth > kMaxDepth || ++walk.visits > walk.limit) file_.RaiseReadError();
    const RWDiskTreeNode node = ReadNode(offset);
    std::string key(keyLength_ + 1, '\0');
    for (uint32_t i = 0; i <= node.Count(); ++i) {
        if (!node.IsLeaf()) ApplyNode(node.Child(i), function, argument, walk, depth + 1);
        if (i == node.Count()) break;
        std::memcpy(key.data(), node.Key(i), keyLength_);
        function(key.data(), node.Value(i), argument);
    }
}
