#include "rw/RWBTree.h"

#include <utility>
#include <vector>

RWBTree::RWBTree(const RWBTree& other) : RWCollectionBase(other) {
    InsertAll(other);
}

RWBTree& RWBTree::operator=(const RWBTree& other) {
    if (this != &other) {
        Clear();
        InsertAll(other);
    }
    return *this;
}

RWBTree::~RWBTree() {
    FreeNodes(root_);
}

void RWBTree::InsertAll(const RWBTree& other) {
    other.Apply([](RWCollectable* item, void* self) { static_cast<RWBTree*>(self)->Insert(item); }, this);
}

RWCollectable* RWBTree::CreateInstance() {
    return new RWBTree;
}

RWCollectable* RWBTree::NewSpecies() const {
    return new RWBTree;
}

RWCollectable* RWBTree::Copy() const {
    return new RWBTree(*this);
}

RWClassID RWBTree::IsA() const {
    return __RWBTREE;
}

bool RWBTree::ContainsAll(const RWCollectionBase& self, const RWCollectable* other) {
    const auto& tree = static_cast<const RWBTree&>(self);
    const auto* theirs = static_cast<const RWBTree*>(other);
    if (theirs->Entries() != tree.Entries()) return false;
    struct Check {
        const RWBTree* theirs;
        bool all;
    } check{theirs, true};
    tree.Apply(
        [](RWCollectable* item, void* argument) {
            auto& c = *static_cast<Check*>(argument);
            if (c.all) c.all = c.theirs->Contains(item);
        },
        &check);
    return check.all;
}

bool RWBTree::IsEqual(const RWCollectable* other) const {
    if (other == this) return true;
    if (other == nullptr || other->IsA() != IsA() || dynamic_cast<const RWBTree*>(other) == nullptr)
        return false;
    return CompareOnce(other, &ContainsAll);
}

uint32_t RWBTree::LowerBound(const Node& node, const RWCollectable* key) {
    if (node.count == 0 || node.items[0]->CompareTo(key) >= 0) return 0;
    if (node.items[node.count - 1]->CompareTo(key) < 0) return node.count;
    // items[lo] is below the key, items[hi] is not.
    uint32_t lo = 0, hi = node.count - 1;
    while (hi - lo > 1) {
        const uint32_t mid = (lo + hi) / 2;
        if (node.items[mid]->CompareTo(key) < 0) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return hi;
}

void RWBTree::FreeNodes(Node* node) {
    if (node == nullptr) return;
    if (!node->IsLeaf()) {
        for (uint32_t i = 0; i <= node->count; ++i)
            FreeNodes(node->children[i]);
    }
    delete node;
}

void RWBTree::Clear() {
    FreeNodes(root_);
    root_ = nullptr;
    entries_ = 0;
}

size_t RWBTree::Entries() const {
    return entries_;
}

void RWBTree::ApplyNode(const Node* node, RWApplyCollectable function, void* argument) {
    for (uint32_t i = 0; i < node->count; ++i) {
        if (!node->IsLeaf()) ApplyNode(node->children[i], function, argument);
        function(node->items[i], argument);
    }
    if (!node->IsLeaf()) ApplyNode(node->children[node->count], function, argument);
}

void RWBTree::Apply(RWApplyCollectable function, void* argument) const {
    if (root_ != nullptr) ApplyNode(root_, function, argument);
}

RWCollectable* RWBTree::Find(const RWCollectable* object) const {
    if (object == nullptr) return nullptr;
    for (const Node* node = root_; node != nullptr;) {
        const uint32_t p = LowerBound(*node, object);
        if (p < node->count && node->items[p]->CompareTo(object) == 0) return node->items[p];
        node = node->children[p];
    }
    return nullptr;
}

size_t RWBTree::OccurrencesOf(const RWCollectable* object) const {
    return Find(object) != nullptr ? 1 : 0;
}

unsigned RWBTree::Height() const {
    unsigned height = 0;
    for (const Node* node = root_; node != nullptr; node = node->children[0])
        ++height;
    return height;
}

RWCollectable* RWBTree::Insert(RWCollectable* object) {
    if (object == nullptr) return nullptr;
    if (root_ == nullptr) {
        root_ = new Node;
        root_->count = 1;
        root_->items[0] = object;
        ++entries_;
        return object;
    }
    RWCollectable* result = nullptr;
    RWCollectable* up = nullptr;
    Node* upChild = nullptr;
    const Growth growth = InsertInto(*root_, object, result, up, upChild);
    if (growth == Growth::Found) return result;
    if (growth == Growth::Split) {
        Node* root = new Node;
        root->count = 1;
        root->items[0] = up;
        root->children[0] = root_;
        root->children[1] = upChild;
        root_ = root;
    }
    ++entries_;
    return object;
}

RWBTree::Growth RWBTree::InsertInto(Node& node, RWCollectable* object, RWCollectable*& result,
                                    RWCollectable*& up, Node*& upChild) {
    const uint32_t p = LowerBound(node, object);
    if (p < node.count && node.items[p]->CompareTo(object) == 0) {
        result = node.items[p];
        return Growth::Found;
    }
    if (node.children[p] == nullptr) {
        up = object;
        upChild = nullptr;
    } else {
        const Growth growth = InsertInto(*node.children[p], object, result, up, upChild);
        if (growth != Growth::Split) return growth;
    }
    if (node.count < kMaxItems) {
        for (uint32_t i = node.count; i > p; --i) {
            node.items[i] = node.items[i - 1];
            node.children[i + 1] = node.children[i];
        }
        node.items[p] = up;
        node.children[p + 1] = upChild;
        ++node.count;
        return Growth::Done;
    }
    SplitNode(node, p, up, upChild);
    return Growth::Split;
}

void RWBTree::SplitNode(Node& node, uint32_t position, RWCollectable*& up, Node*& upChild) {
    // One item and its right child do not fit: that pair is the overflow.
    RWCollectable* overflow = up;
    Node* overflowChild = upChild;
    if (position < kMaxItems) {
        overflow = node.items[kMaxItems - 1];
        overflowChild = node.children[kMaxItems];
        for (uint32_t i = kMaxItems - 1; i > position; --i) {
            node.items[i] = node.items[i - 1];
            node.children[i + 1] = node.children[i];
        }
        node.items[position] = up;
        node.children[position + 1] = upChild;
    }
    // The node keeps items 0..49, item 50 goes up, a new right node takes
    // items 51..99 and the overflow.
    Node* right = new Node;
    right->count = kOrder;
    for (uint32_t i = 0; i < kOrder - 1; ++i) {
        right->items[i] = node.items[kOrder + 1 + i];
        right->children[i] = node.children[kOrder + 1 + i];
        node.items[kOrder + 1 + i] = nullptr;
        node.children[kOrder + 1 + i] = nullptr;
    }
    right->children[kOrder - 1] = node.children[kMaxItems];
    node.children[kMaxItems] = nullptr;
    right->items[kOrder - 1] = overflow;
    right->children[kOrder] = overflowChild;
    up = node.items[kOrder];
    node.items[kOrder] = nullptr;
    node.count = kOrder;
    upChild = right;
}

RWCollectable* RWBTree::Remove(const RWCollectable* object) {
    if (object == nullptr || root_ == nullptr) return nullptr;
    RWCollectable* removed = nullptr;
    const Removal removal = RemoveFrom(*root_, object, removed, true);
    if (removal == Removal::NotFound) return nullptr;
    if (root_->count == 0) {
        Node* old = root_;
        root_ = old->children[0];
        delete old;
    }
    --entries_;
    return removed;
}

RWBTree::Removal RWBTree::RemoveFrom(Node& node, const RWCollectable* key, RWCollectable*& removed,
                                     bool isRoot) {
    const uint32_t p = LowerBound(node, key);
    if (node.IsLeaf()) {
        if (p == node.count || node.items[p]->CompareTo(key) > 0) return Removal::NotFound;
        removed = node.items[p];
        for (uint32_t i = p; i + 1 < node.count; ++i)
            node.items[i] = node.items[i + 1];
        node.items[--node.count] = nullptr;
        return IsShort(node, isRoot) ? Removal::Short : Removal::Fine;
    }
    if (p < node.count && node.items[p]->CompareTo(key) == 0) {
        // The item changes places with its in-order predecessor, the last
        // item of the rightmost leaf under child p, and is removed there.
        Node* leaf = node.children[p];
        while (!leaf->IsLeaf())
            leaf = leaf->children[leaf->count];
        std::swap(node.items[p], leaf->items[leaf->count - 1]);
    }
    const Removal removal = RemoveFrom(*node.children[p], key, removed, false);
    if (removal != Removal::Short) return removal;
    return Refill(node, p, isRoot);
}

RWBTree::Removal RWBTree::Refill(Node& node, uint32_t position, bool isRoot) {
    Node& child = *node.children[position];
    if (position == node.count) {
        // The last child borrows from its left sibling through separator p - 1.
        Node& left = *node.children[position - 1];
        for (uint32_t i = child.count; i > 0; --i) {
            child.items[i] = child.items[i - 1];
            child.children[i + 1] = child.children[i];
        }
        child.children[1] = child.children[0];
        child.items[0] = node.items[position - 1];
        child.children[0] = left.children[left.count];
        ++child.count;
        node.items[position - 1] = left.items[left.count - 1];
        left.items[left.count - 1] = nullptr;
        left.children[left.count] = nullptr;
        --left.count;
        if (left.count >= kOrder) return Removal::Fine;
        Merge(node, position - 1);
    } else {
        Node& right = *node.children[position + 1];
        if (right.count > kOrder) {
            child.items[child.count] = node.items[position];
            child.children[child.count + 1] = right.children[0];
            ++child.count;
            node.items[position] = right.items[0];
            for (uint32_t i = 0; i + 1 < right.count; ++i) {
                right.items[i] = right.items[i + 1];
                right.children[i] = right.children[i + 1];
            }
            right.children[right.count - 1] = right.children[right.count];
            right.children[right.count] = nullptr;
            right.items[--right.count] = nullptr;
            return Removal::Fine;
        }
        Merge(node, position);
    }
    return IsShort(node, isRoot) ? Removal::Short : Removal::Fine;
}

void RWBTree::Merge(Node& node, uint32_t left) {
    Node& into = *node.children[left];
    Node* right = node.children[left + 1];
    into.items[into.count] = node.items[left];
    for (uint32_t i = 0; i < right->count; ++i) {
        into.items[into.count + 1 + i] = right->items[i];
        into.children[into.count + 1 + i] = right->children[i];
    }
    into.children[into.count + 1 + right->count] = right->children[right->count];
    into.count += 1 + right->count;
    delete right;
    for (uint32_t i = left; i + 1 < node.count; ++i) {
        node.items[i] = node.items[i + 1];
        node.children[i + 1] = node.children[i + 2];
    }
    node.items[node.count - 1] = nullptr;
    node.children[node.count] = nullptr;
    --node.count;
}

template <class Carrier> void RWBTree::RestoreGutsFrom(Carrier& carrier) {
    Clear();
    uint32_t count = 0;
    if (!RWRestoreU32(carrier, count)) return;
    // Members are inserted only once all of them were read: a restore that
    // fails part way frees what it made, so the tree must keep none of it.
    std::vector<RWCollectable*> members;
    for (uint32_t i = 0; i < count; ++i) {
        RWCollectable* member = nullptr;
        if (!RWRestoreObject(carrier, member)) return;
        if (member != nullptr) members.push_back(member);
    }
    for (RWCollectable* member : members) {
        if (Insert(member) != member) {
            Clear();
            RWMarkRestoreFailed(carrier);
            return;
        }
    }
}

RW_DEFINE_RESTORE_GUTS(RWBTree)
