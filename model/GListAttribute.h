#pragma once
// The shared body of the two list attributes (GOptMediaComposite,
// GBookletComposite): a first word, a second word and an ordered list of
// 16-bit values. The property-sheet pages match the first word against an id
// (a paper tray for GOptMediaComposite) and then read the values.
//
// Not a class of its own in the object model: it has no class id, answers
// IsKindOf as GAttribute does, and each concrete subclass is a leaf of kind
// (own id, 753, 751) whose type code is its IsA.
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (2), i16 firstWord, i16 secondWord, u32 count,
//   count x i16 values in list order
// The two words are read before the version word is checked (a stored
// version the class does not accept still replaces them); versions 1 and 2
// are read alike. Any other version leaves the list as it was and fails the
// restore, as every class of the model does.
//
// The values live in an intrusive singly linked list of small nodes owned by
// the attribute. At most kMaxCount values are kept: the count is a 16-bit
// number to callers, and a restored count above it is damaged data.
#include <cstdint>

#include "model/GAttribute.h"
#include "rw/RWIntrusiveSlist.h"

class GListAttribute : public GAttribute {
public:
    static constexpr uint32_t ClassVersion() { return 2; }
    // The most values a list holds (GetCount is 16 bits).
    static constexpr uint32_t kMaxCount = 0xFFFF;
    // What GetAt answers for an index outside the list.
    static constexpr uint16_t kNoValue = 0xFFFF;

    ~GListAttribute() override;

    // GAttribute + 12 (version, two words, count) + 2 per value.
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // The same object, or the same class, id, first word and values in
    // order. The second word is not compared.
    bool IsEqualId(const MPersistentObject* other) const override;
    // These attributes hand out no iterator at all (not even an empty one).
    std::unique_ptr<MPersistentIterator> CreateIterator() override;
    // No device operation: always 1.
    uint16_t Apply(GPeripheral& device) override;

    uint16_t GetFirstWord() const { return firstWord_; }
    uint16_t GetSecondWord() const { return secondWord_; }
    // The number of values (at most kMaxCount, so a 16-bit number), in
    // place of the leaf's 1.
    uint32_t GetCount() const override { return static_cast<uint32_t>(values_.Entries()); }
    // The value at index (0 = first), or kNoValue for a negative index or
    // one not below the count.
    uint16_t GetAt(int16_t index) const;

protected:
    // Id 0, changed 1, both words 0, no values.
    GListAttribute();
    GListAttribute(uint16_t firstWord, uint16_t secondWord);
    // Root part, changed, both words and a copy of the values.
    GListAttribute(const GListAttribute& other);
    GListAttribute& operator=(const GListAttribute& other);

    // Appends the values in order, all or none: false when they would take
    // the list past kMaxCount.
    bool AppendValues(const uint16_t* values, uint32_t n);

private:
    struct Node : RWIntrusiveSlistLink {
        uint16_t value = 0;
    };

    // Nodes built during a copy or a restore: freed unless handed over, so
    // an allocation failure or a cut-off stream leaks nothing.
    struct OwnedNodes {
        OwnedNodes() = default;
        OwnedNodes(const OwnedNodes&) = delete;
        OwnedNodes& operator=(const OwnedNodes&) = delete;
        ~OwnedNodes() { FreeAll(list); }
        RWIntrusiveSlist list;
    };

    // Appends one node; the caller has checked the bound.
    static void AppendTo(RWIntrusiveSlist& list, uint16_t value);
    // Appends a copy of every node of source to target, in order.
    static void CopyAll(const RWIntrusiveSlist& source, RWIntrusiveSlist& target);
    // Frees every node of list and empties it.
    static void FreeAll(RWIntrusiveSlist& list);
    // Moves the nodes of source to the end of target.
    static void MoveAll(RWIntrusiveSlist& source, RWIntrusiveSlist& target);

    uint16_t secondWord_ = 0;
    uint16_t firstWord_ = 0;
    RWIntrusiveSlist values_;
};
