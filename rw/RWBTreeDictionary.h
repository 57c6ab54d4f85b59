#pragma once
// Key/value pairs kept sorted by key in an RWBTree (class id 0x8004,
// registered as "RWBTreeDictionary"). Each pair is an
// RWCollectableAssociation that the dictionary owns; keys and values are
// not owned (ClearAndDestroy and RemoveAndDestroy delete them).
//
// Saved as the collection base saves: the count, then every pair in key
// order. A restore claims the pairs as owned members and refuses data that
// holds two equal keys.
#include <cstdint>

#include "rw/RWBTree.h"
#include "rw/RWCarrier.h"

class RWCollectableAssociation;

constexpr RWClassID __RWBTREEDICTIONARY = 0x8004;

class RWBTreeDictionary : public RWBTree {
    RW_DECLARE_RESTORE_GUTS()

public:
    using KeyValueFunction = void (*)(RWCollectable* key, RWCollectable* value, void* argument);
    using KeyValueTester = int (*)(const RWCollectable* key, const RWCollectable* value, void* argument);

    RWBTreeDictionary() = default;
    // A copy of every pair of other (keys and values shared).
    RWBTreeDictionary(const RWBTreeDictionary& other);
    RWBTreeDictionary& operator=(const RWBTreeDictionary& other);
    // Deletes the pairs.
    ~RWBTreeDictionary() override;

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // Same class id and entries, and for every pair here other holds an
    // equal key whose value IsEqual this value (or both values null).
    bool IsEqual(const RWCollectable* other) const override;

    // Deletes every pair (keys and values untouched), then empties the tree.
    void Clear() override;
    // Deletes every distinct key and value once, then Clear.
    void ClearAndDestroy() override;
    // The stored key equal to key, else null.
    RWCollectable* Find(const RWCollectable* key) const override;
    // Removes and deletes the pair; returns its key.
    RWCollectable* Remove(const RWCollectable* key) override;
    // Removes the pair and deletes its key, its value (once when they are
    // the same object) and the pair.
    void RemoveAndDestroy(const RWCollectable* key) override;

    // A new pair: returns key, or null (the new pair is dropped and the old
    // value kept) when an equal key is already there.
    RWCollectable* InsertKeyAndValue(RWCollectable* key, RWCollectable* value);
    // The value stored under key, else null.
    RWCollectable* FindValue(const RWCollectable* key) const;
    // The stored key and, in value, its value; null and a null value when
    // absent.
    RWCollectable* FindKeyAndValue(const RWCollectable* key, RWCollectable*& value) const;
    // Replaces the value stored under key; the old value (null when absent).
    RWCollectable* ChangeValue(const RWCollectable* key, RWCollectable* value);
    // Every pair in key order.
    void ApplyToKeyAndValue(KeyValueFunction function, void* argument) const;
    // A new dictionary, the caller's, of the pairs the tester accepts
    // (keys and values shared).
    RWBTreeDictionary* Select(KeyValueTester tester, void* argument) const;

private:
    RWCollectableAssociation* FindAssociation(const RWCollectable* key) const;
    void CopyPairs(const RWBTreeDictionary& other);
    static bool HasEqualPairs(const RWCollectionBase& self, const RWCollectable* other);
};
