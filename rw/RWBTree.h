#pragma once
// Collectables kept sorted by their CompareTo in a B-tree of order 50 held
// in memory (class id 0x8003, registered as "RWBTree"). No two members
// compare equal: inserting an equal object returns the member.
//
// Nodes hold 1 to 100 items (the root) or 50 to 100 (every other node) and
// one child more than items; a leaf's children are all null. The tree holds
// its members, never owns them. Saved as the collection base saves: the
// count, then every member in order.
#include <cstddef>
#include <cstdint>

#include "rw/RWCarrier.h"
#include "rw/RWCollectionBase.h"

constexpr RWClassID __RWBTREE = 0x8003;

class RWBTree : public RWCollectionBase {
    // The collection base's, except that data holding two equal members is
    // refused (only damaged data does): the second could not be held.
    RW_DECLARE_RESTORE_GUTS()

public:
    static constexpr uint32_t kOrder = 50;
    static constexpr uint32_t kMaxItems = 2 * kOrder;

    struct Node {
        uint32_t count = 0;
        RWCollectable* items[kMaxItems] = {};
        Node* children[kMaxItems + 1] = {};
        bool IsLeaf() const { return children[0] == nullptr; }
    };

    RWBTree() = default;
    // Inserts every member of other.
    RWBTree(const RWBTree& other);
    RWBTree& operator=(const RWBTree& other);
    ~RWBTree() override;

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // Same class id, same number of members, and other Contains every member.
    bool IsEqual(const RWCollectable* other) const override;

    // In order.
    void Apply(RWApplyCollectable function, void* argument) const override;
    // Frees every node; the members are untouched.
    void Clear() override;
    size_t Entries() const override;
    // The member that compares equal, else null.
    RWCollectable* Find(const RWCollectable* object) const override;
    // The object, or the member equal to it (nothing is inserted then).
    RWCollectable* Insert(RWCollectable* object) override;
    // 1 when Find succeeds, else 0.
    size_t OccurrencesOf(const RWCollectable* object) const override;
    // The removed member, or null.
    RWCollectable* Remove(const RWCollectable* object) override;

    // 0 when empty, else 1 plus the levels below the root.
    unsigned Height() const;
    const Node* Root() const { return root_; }

private:
    enum class Growth { Found, Done, Split };
    enum class Removal { NotFound, Fine, Short };

    // The position of the first item that does not compare below key.
    static uint32_t LowerBound(const Node& node, const RWCollectable* key);
    static void FreeNodes(Node* node);
    static void ApplyNode(const Node* node, RWApplyCollectable function, void* argument);
    Growth InsertInto(Node& node, RWCollectable* object, RWCollectable*& result, RWCollectable*& up,
                      Node*& upChild);
    static void SplitNode(Node& node, uint32_t position, RWCollectable*& up, Node*& upChild);
    Removal RemoveFrom(Node& node, const RWCollectable* key, RWCollectable*& removed, bool isRoot);
    static Removal Refill(Node& node, uint32_t position, bool isRoot);
    static void Merge(Node& node, uint32_t left);
    static bool IsShort(const Node& node, bool isRoot) { return node.count < (isRoot ? 1 : kOrder); }
    static bool ContainsAll(const RWCollectionBase& self, const RWCollectable* other);
    void InsertAll(const RWBTree& other);

    Node* root_ = nullptr;
    uint32_t entries_ = 0;
};
