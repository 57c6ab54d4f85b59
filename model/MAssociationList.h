#pragma once
// Key/value pairs of persistent objects (class 772): a composite whose
// children are associations, at most one per key (keys compared by the
// stored key's IsEqualId). Lookups look at the direct children only.
//
// Saved form: the composite's, then the list's own version word (u32, 1).
// A restore drops children that are not associations, and of several
// associations with equal keys keeps the first (the one a lookup finds).
//
// Ownership of what Add is offered: an association is taken over (held by
// the list); any other object is refused and, as the counted-pointer rule
// says, deleted unless someone else holds it. A caller that wants to keep
// an object it offers holds it in a GCountedPtr across the call.
#include <cstdint>
#include <memory>
#include <vector>

#include "model/MPersistentAssociation.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentComposite.h"

class MAssociationList : public MPersistentComposite {
    MPERSISTENT_CLASS_MEMBERS(MAssociationList, MPersistentComposite, 772)

public:
    MAssociationList() = default;
    explicit MAssociationList(uint32_t id) : MPersistentComposite(id) {}
    // Same id and serial; the associations are shared.
    MAssociationList(const MAssociationList& other);
    MAssociationList& operator=(const MAssociationList& other);
    ~MAssociationList() override;

    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // An association (IsKindOf 771) goes through InsertOrReplace; anything
    // else is refused (see the ownership note above).
    void Add(MPersistentObject* object) override;
    // Removes and deletes the association whose key equals the new one's,
    // then appends the new one, so it ends up last. Null is ignored.
    void InsertOrReplace(MPersistentAssociation* association);
    // The first association whose key IsEqualId the given key, or null. No
    // reference is added.
    MPersistentAssociation* Find(const MPersistentObject* key);
    // The value stored under key (still owned by its association), or null.
    MPersistentObject* FindValue(const MPersistentObject* key);
    // Takes out the association stored under key and hands it to the
    // caller, detached (a copy when someone else still holds it); null when
    // there is none.
    std::unique_ptr<MPersistentAssociation> RemoveByKey(const MPersistentObject* key);
    // RemoveByKey with the key of the given association.
    std::unique_ptr<MPersistentAssociation> RemoveByKeyOf(const MPersistentAssociation* association);

private:
    // Restore clean-up: non-associations and later duplicate keys go.
    void DropStrayChildren();

    // Children a restore took out of the list. They stay alive until the
    // next restore (or the list's end): the restore that read them may
    // still hand them out by back-reference.
    std::vector<GCountedPtr> dropped_;
};
