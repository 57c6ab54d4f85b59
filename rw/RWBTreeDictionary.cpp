#include "rw/RWBTreeDictionary.h"

#include <memory>
#include <vector>

#include "rw/RWCollectableAssociation.h"
#include "rw/RWIdentitySet.h"

namespace {
bool IsAssociation(const RWCollectable* object) {
    return dynamic_cast<const RWCollectableAssociation*>(object) != nullptr;
}

// Every pair of a dictionary, in key order.
std::vector<RWCollectableAssociation*> Pairs(const RWBTree& tree) {
    std::vector<RWCollectableAssociation*> pairs;
    pairs.reserve(tree.Entries());
    tree.RWBTree::Apply(
        [](RWCollectable* item, void* out) {
            static_cast<std::vector<RWCollectableAssociation*>*>(out)->push_back(
                static_cast<RWCollectableAssociation*>(item));
        },
        &pairs);
    return pairs;
}
} // namespace

RWBTreeDictionary::RWBTreeDictionary(const RWBTreeDictionary& other) : RWBTree() {
    CopyPairs(other);
}

RWBTreeDictionary& RWBTreeDictionary::operator=(const RWBTreeDictionary& other) {
    if (this != &other) {
        Clear();
        CopyPairs(other);
    }
    return *this;
}

RWBTreeDictionary::~RWBTreeDictionary() {
    Clear();
}

void RWBTreeDictionary::CopyPairs(const RWBTreeDictionary& other) {
    for (RWCollectableAssociation* pair : Pairs(other))
        RWBTree::Insert(pair->Copy());
}

RWCollectable* RWBTreeDictionary::CreateInstance() {
    return new RWBTreeDictionary;
}

RWCollectable* RWBTreeDictionary::NewSpecies() const {
    return new RWBTreeDictionary;
}

RWCollectable* RWBTreeDictionary::Copy() const {
    return new RWBTreeDictionary(*this);
}

RWClassID RWBTreeDictionary::IsA() const {
    return __RWBTREEDICTIONARY;
}

bool RWBTreeDictionary::HasEqualPairs(const RWCollectionBase& self, const RWCollectable* other) {
    const auto& mine = static_cast<const RWBTreeDictionary&>(self);
    const auto& theirs = *static_cast<const RWBTreeDictionary*>(other);
    if (theirs.Entries() != mine.Entries()) return false;
    for (RWCollectableAssociation* pair : Pairs(mine)) {
        RWCollectableAssociation* match = theirs.FindAssociation(pair->Key());
        if (match == nullptr) return false;
        const RWCollectable* value = pair->Value();
        const RWCollectable* theirValue = match->Value();
        if (value == nullptr || theirValue == nullptr) {
            if (value != theirValue) return false;
        } else if (!value->IsEqual(theirValue)) {
            return false;
        }
    }
    return true;
}

bool RWBTreeDictionary::IsEqual(const RWCollectable* other) const {
    if (other == this) return true;
    if (other == nullptr || other->IsA() != IsA() || dynamic_cast<const RWBTreeDictionary*>(other) == nullptr)
        return false;
    return CompareOnce(other, &HasEqualPairs);
}

RWCollectableAssociation* RWBTreeDictionary::FindAssociation(const RWCollectable* key) const {
    return static_cast<RWCollectableAssociation*>(RWBTree::Find(key));
}

void RWBTreeDictionary::Clear() {
    const std::vector<RWCollectableAssociation*> pairs = Pairs(*this);
    RWBTree::Clear();
    for (RWCollectableAssociation* pair : pairs)
        delete pair;
}

void RWBTreeDictionary::ClearAndDestroy() {
    RWIdentitySet distinct(Entries() / 4);
    for (RWCollectableAssociation* pair : Pairs(*this)) {
        distinct.Insert(pair->Key());
        distinct.Insert(pair->Value());
    }
    distinct.Remove(this);
    Clear();
    distinct.ClearAndDestroy();
}

RWCollectable* RWBTreeDictionary::Find(const RWCollectable* key) const {
    RWCollectableAssociation* pair = FindAssociation(key);
    return pair != nullptr ? pair->Key() : nullptr;
}

RWCollectable* RWBTreeDictionary::Remove(const RWCollectable* key) {
    std::unique_ptr<RWCollectableAssociation> pair(
        static_cast<RWCollectableAssociation*>(RWBTree::Remove(key)));
    return pair != nullptr ? pair->Key() : nullptr;
}

void RWBTreeDictionary::RemoveAndDestroy(const RWCollectable* key) {
    std::unique_ptr<RWCollectableAssociation> pair(
        static_cast<RWCollectableAssociation*>(RWBTree::Remove(key)));
    if (pair == nullptr) return;
    RWCollectable* storedKey = pair->Key();
    RWCollectable* value = pair->Value();
    if (value != storedKey && value != this) delete value;
    if (storedKey != this) delete storedKey;
}

RWCollectable* RWBTreeDictionary::InsertKeyAndValue(RWCollectable* key, RWCollectable* value) {
    if (key == nullptr) return nullptr;
    auto pair = std::make_unique<RWCollectableAssociation>(key, value);
    if (RWBTree::Insert(pair.get()) != pair.get()) return nullptr;
    pair.release();
    return key;
}

RWCollectable* RWBTreeDictionary::FindValue(const RWCollectable* key) const {
    RWCollectableAssociation* pair = FindAssociation(key);
    return pair != nullptr ? pair->Value() : nullptr;
}

RWCollectable* RWBTreeDictionary::FindKeyAndValue(const RWCollectable* key, RWCollectable*& value) const {
    RWCollectableAssociation* pair = FindAssociation(key);
    value = pair != nullptr ? pair->Value() : nullptr;
    return pair != nullptr ? pair->Key() : nullptr;
}

RWCollectable* RWBTreeDictionary::ChangeValue(const RWCollectable* key, RWCollectable* value) {
    RWCollectableAssociation* pair = FindAssociation(key);
    return pair != nullptr ? pair->SetValue(value) : nullptr;
}

void RWBTreeDictionary::ApplyToKeyAndValue(KeyValueFunction function, void* argument) const {
    for (RWCollectableAssociation* pair : Pairs(*this))
        function(pair->Key(), pair->Value(), argument);
}

RWBTreeDictionary* RWBTreeDictionary::Select(KeyValueTester tester, void* argument) const {
    auto selected = std::make_unique<RWBTreeDictionary>();
    for (RWCollectableAssociation* pair : Pairs(*this)) {
        if (tester(pair->Key(), pair->Value(), argument) != 0) selected->RWBTree::Insert(pair->Copy());
    }
    return selected.release();
}

template <class Carrier> void RWBTreeDictionary::RestoreGutsFrom(Carrier& carrier) {
    Clear();
    uint32_t count = 0;
    if (!RWRestoreU32(carrier, count)) return;
    try {
        for (uint32_t i = 0; i < count; ++i) {
            RWCollectable* member = nullptr;
            // The dictionary deletes its pairs: it claims them as owned, and
            // frees at once a pair it does not keep (one whose restore failed,
            // or a second pair of an equal key, which only damaged data holds).
            const bool read = RWRestoreObject(carrier, member, RWRestoreHold::Owned, &IsAssociation);
            if (member != nullptr && (!read || RWBTree::Insert(member) != member)) {
                delete member;
                RWMarkRestoreFailed(carrier);
                break;
            }
            if (!read) break;
        }
    } catch (...) {
        Clear();
        throw;
    }
    // The keys and values of a failed graph are freed with it: the pairs
    // pointing at them go too.
    if (!RWRestoreGood(carrier)) Clear();
}

RW_DEFINE_RESTORE_GUTS(RWBTreeDictionary)
