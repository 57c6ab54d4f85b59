#pragma once
// What both composites of the model share, written once: the children (a
// counted-pointer vector), the children a restore drops, the saved form of
// the children, and the tree operations that only forward to the child
// walks (model/GChildWalks.h). MPersistentComposite derives from
// GCompositeNode<MPersistentObject, MPersistentComposite>, the attribute
// node from GCompositeNode<GAttribute, GAttributeComposite>; Self is the
// composite class, whose new objects the collect operations fill.
//
// Saved form, after Base's part:
//   u32 version (1), u32 count, then count child object pointers (class id
//   and guts on a child's first occurrence in the graph, a back-reference
//   afterwards).
// A restore that meets another version keeps the current children. Restored
// data is untrusted: the count only bounds the loop, which ends as soon as
// the data does; nil children are skipped; children Self does not accept
// (Self::AcceptsRestoredChild) are dropped: held apart until the next
// restore or the node's end, since a later back-reference of the same graph
// may still name them. The children grow geometrically while they arrive,
// so a restore costs time linear in its input.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "model/GChildWalks.h"
#include "model/GCountedPtr.h"
#include "model/GCountedPtrVector.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentCompositeIterator.h"
#include "model/MPersistentObject.h"

template <class Base, class Self> class GCompositeNode : public Base {
public:
    // A restore (and MPersistentComposite's Add) refuses children at this
    // count and above.
    static constexpr uint32_t kMaxChildren = 0x1FFFFFBF;
    static constexpr uint32_t kInitialCapacity = 10;
    // The capacity RemoveAll and a restore leave.
    static constexpr uint32_t kClearedCapacity = 64;

    // Base's size + 8 (version, count) + the recursive store size of every child.
    uint32_t BinaryStoreSize() const override {
        return Base::BinaryStoreSize() + 8 + GChildrenStoreSize(*this, children_);
    }

    RW_INLINE_GUTS()

    template <class Carrier> void SaveGutsTo(Carrier& carrier) const {
        Base::SaveGuts(carrier);
        GWriteClassVersion(carrier);
        RWSaveU32(carrier, children_.Count());
        for (uint32_t i = 0; i < children_.Count(); ++i) {
            RWSaveObject(carrier, children_.At(i).Get());
        }
    }

    template <class Carrier> void RestoreGutsFrom(Carrier& carrier) {
        Base::RestoreGuts(carrier);
        if (!GReadClassVersion(carrier)) {
            return; // the children stay as they were
        }
        children_.Clear();
        children_.Resize(kClearedCapacity);
        dropped_.clear(); // held since an earlier, finished restore
        uint32_t count = 0;
        if (!RWRestoreU32(carrier, count)) {
            return;
        }
        ReserveForRestore(carrier, count);
        // Children go straight into the array (no Add, so no replacement
        // rules of subclasses).
        for (uint32_t i = 0; i < count && RWRestoreGood(carrier); ++i) {
            GCountedPtr child = GRestoreChild(carrier);
            if (!child) {
                continue; // a nil child; a refused one has failed the restore
            }
            if (!Self::AcceptsRestoredChild(*child)) {
                dropped_.push_back(std::move(child));
                continue;
            }
            if (children_.Count() >= kMaxChildren) {
                RWMarkRestoreFailed(carrier);
                return;
            }
            children_.Append(std::move(child));
        }
    }

    // Same object; or same IsA, same id, same number of children and, index
    // by index, children that are not IsNotEqualId (recursively).
    bool IsEqualId(const MPersistentObject* other) const override {
        if (other == this) {
            return true;
        }
        if (other == nullptr || this->IsA() != other->IsA() || this->GetId() != other->GetId()) {
            return false;
        }
        const auto* node = dynamic_cast<const GCompositeNode*>(other);
        if (node == nullptr || children_.Count() != node->children_.Count()) {
            return false;
        }
        for (uint32_t i = 0; i < children_.Count(); ++i) {
            const MPersistentObject* mine = children_.At(i).Get();
            const MPersistentObject* theirs = node->children_.At(i).Get();
            if (mine != theirs && (mine == nullptr || mine->IsNotEqualId(theirs))) {
                return false;
            }
        }
        return true;
    }

    // Depth-first; the matched child is taken out of its node and detached:
    // the object itself when that slot was its last holder, else a copy.
    std::unique_ptr<MPersistentObject> Remove(const MPersistentObject* object) override {
        return GRemoveChild(children_, object);
    }
    std::unique_ptr<MPersistentObject> RemoveById(uint32_t id) override {
        return GRemoveChildById(children_, id);
    }
    std::unique_ptr<MPersistentObject> RemoveByClass(RWClassID classId) override {
        return GRemoveChildByClass(children_, classId);
    }
    // Depth-first; the matched child's slot receives a Clone of object.
    int ReplaceById(uint32_t id, const MPersistentObject* object) override {
        return GReplaceChildById(children_, id, object);
    }
    int ReplaceByClass(RWClassID classId, const MPersistentObject* object) override {
        return GReplaceChildByClass(children_, classId, object);
    }
    int Replace(const MPersistentObject* target, const MPersistentObject* object) override {
        return GReplaceChild(children_, target, object);
    }
    int ReplaceByKind(RWClassID classId, const MPersistentObject* object) override {
        return GReplaceChildByKind(children_, classId, object);
    }
    // Every child released; count 0, capacity 64.
    void RemoveAll() override {
        children_.Clear();
        children_.Resize(kClearedCapacity);
    }
    // Pointers into the tree (no reference added), null on a miss.
    MPersistentObject* FindById(uint32_t id) override { return GFindChildById(children_, id); }
    MPersistentObject* FindByClass(RWClassID classId) override {
        return GFindChildByClass(children_, classId);
    }
    MPersistentObject* FindByKind(RWClassID classId) override { return GFindChildByKind(children_, classId); }
    // Each child's collect-into runs in order: leaves add themselves, nodes
    // pass the call on (a node never adds itself). Returns target.
    MPersistentObject* CollectByClassInto(RWClassID classId, MPersistentObject* target) override {
        return GCollectFromChildren(children_, target,
                                    [classId](MPersistentObject& child, MPersistentObject* into) {
                                        child.CollectByClassInto(classId, into);
                                    });
    }
    MPersistentObject* CollectByIdInto(uint32_t id, MPersistentObject* target) override {
        return GCollectFromChildren(
            children_, target,
            [id](MPersistentObject& child, MPersistentObject* into) { child.CollectByIdInto(id, into); });
    }
    MPersistentObject* CollectByKindInto(RWClassID classId, MPersistentObject* target) override {
        return GCollectFromChildren(children_, target,
                                    [classId](MPersistentObject& child, MPersistentObject* into) {
                                        child.CollectByKindInto(classId, into);
                                    });
    }
    // A new Self of the matching leaves in depth-first order, or null.
    std::unique_ptr<MPersistentObject> CollectById(uint32_t id) override {
        return CollectIntoNew([&](MPersistentObject* into) { CollectByIdInto(id, into); });
    }
    std::unique_ptr<MPersistentObject> CollectByClass(RWClassID classId) override {
        return CollectIntoNew([&](MPersistentObject* into) { CollectByClassInto(classId, into); });
    }
    std::unique_ptr<MPersistentObject> CollectByKind(RWClassID classId) override {
        return CollectIntoNew([&](MPersistentObject* into) { CollectByKindInto(classId, into); });
    }
    MPersistentObject* AsComposite() override { return this; }
    uint32_t GetCount() const override { return children_.Count(); }
    uint32_t GetSubtreeSize() const override { return GSubtreeSize(children_); }
    // Over this node's children; the caller owns it, the node must outlive it.
    std::unique_ptr<MPersistentIterator> CreateIterator() override {
        return std::make_unique<MPersistentCompositeIterator>(*this, children_);
    }

    // The children in order.
    const GCountedPtrVector& GetChildren() const { return children_; }

protected:
    GCompositeNode() : children_(kInitialCapacity) {}
    explicit GCompositeNode(uint32_t id) : Base(id), children_(kInitialCapacity) {}
    // Base's copy, with the given children.
    GCompositeNode(const GCompositeNode& other, GCountedPtrVector children)
        : Base(other), children_(std::move(children)) {}
    GCompositeNode& operator=(const GCompositeNode&) = delete;

    GCountedPtrVector& MutableChildren() { return children_; }

    GCountedPtrVector children_;

private:
    // Room for many children at once, never more than the input left could
    // hold (a child takes at least 3 bytes in any carrier): the stored count
    // alone sizes nothing.
    template <class Carrier> void ReserveForRestore(Carrier& carrier, uint32_t count) {
        constexpr uint32_t kWorthAProbe = 4096;
        constexpr uint64_t kSmallestChild = 3;
        if (count < kWorthAProbe) {
            return;
        }
        const uint64_t room = std::min<uint64_t>(count, RWRestoreRemaining(carrier) / kSmallestChild);
        children_.Reserve(static_cast<uint32_t>(std::min<uint64_t>(room, kMaxChildren)));
    }

    template <typename Collect> std::unique_ptr<MPersistentObject> CollectIntoNew(Collect collect) {
        auto collected = std::make_unique<Self>();
        collect(collected.get());
        if (collected->GetCount() == 0) {
            return nullptr;
        }
        return collected;
    }

    std::vector<GCountedPtr> dropped_;
};
