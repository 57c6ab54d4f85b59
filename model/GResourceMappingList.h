#pragma once
// Resource mappings (class 1005): a composite of GResourceMapping children
// that enter only through the unique-add operations. Lookups look at the
// direct children only, in order.
//
// Saved form: the composite's, then the list's own version word (u32, 1).
// A restore drops children that are not mappings.
#include <cstdint>
#include <memory>
#include <vector>

#include "model/GResourceMapping.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentComposite.h"

class GResourceMappingList : public MPersistentComposite {
    MPERSISTENT_CLASS_MEMBERS(GResourceMappingList, MPersistentComposite, 1005)

public:
    GResourceMappingList() = default;
    explicit GResourceMappingList(uint32_t id) : MPersistentComposite(id) {}
    // Same id and serial; the mappings are shared.
    GResourceMappingList(const GResourceMappingList& other);
    GResourceMappingList& operator=(const GResourceMappingList& other);
    ~GResourceMappingList() override;

    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // Adds nothing: mappings enter through AddUnique / AddUniqueSecond. The
    // offered object is refused as the counted-pointer rule says (deleted
    // unless someone holds it), so a Clone of a list is an empty list.
    void Add(MPersistentObject* object) override;

    // 0, adding nothing, when a mapping with the same second (FindBySecond)
    // or the same value32 is present, or mapping is null; the caller keeps
    // the mapping then. Else the mapping is taken over and appended: 1.
    int AddUnique(GResourceMapping* mapping);
    // The same, checking second only.
    int AddUniqueSecond(GResourceMapping* mapping);

    // The first mapping whose first equals key, or null (no reference added).
    GResourceMapping* FindByFirst(uint16_t key);
    // The first mapping whose second, as a signed number, equals key as an
    // unsigned number: a mapping with a negative second is never found.
    GResourceMapping* FindBySecond(uint16_t key);
    GResourceMapping* FindByValue32(uint32_t key);

    // Find as above, then take the mapping out and hand it to the caller
    // detached (a copy when someone else still holds it); null when none.
    std::unique_ptr<GResourceMapping> RemoveByFirst(uint16_t key);
    std::unique_ptr<GResourceMapping> RemoveBySecond(uint16_t key);
    std::unique_ptr<GResourceMapping> RemoveByValue32(uint32_t key);

private:
    template <typename Match> GResourceMapping* FindFirstMapping(Match match);
    std::unique_ptr<GResourceMapping> Take(GResourceMapping* mapping);
    void DropStrayChildren();

    // Children a restore took out of the list. They stay alive until the
    // next restore (or the list's end): the restore that read them may
    // still hand them out by back-reference.
    std::vector<GCountedPtr> dropped_;
};
