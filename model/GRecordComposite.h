#pragma once
// The record of a composite object (class id 785, registered as
// "GRecordComposite"): a GRecord that also holds, in order, the records of
// the composite's children. An on-disk composite's index is one of these.
//
// Saved form: GRecord's, then u32 version 1, u32 count, then each child
// record as an object pointer of the graph. A restore drops the current
// children once it has read version 1, and stops after any other version.
//
// The operations answer for the record itself first (the whole composite
// object is taken, found or replaced when its own key matches); otherwise
// they go through the children in order: a child whose own key matches is
// asked and its answer is the answer (a taken child leaves the list, a
// replaced one is succeeded in its place by the new object's record); a
// child that does not match is asked as well, so composite children search
// their own children, and the first answer that is not null (for a
// replace: true) ends the search.
#include <cstddef>
#include <cstdint>

#include "model/GRecord.h"
#include "model/GRecordRef.h"
#include "rw/RWIntrusiveDlist.h"

class GRecordComposite : public GRecord {
    RW_DECLARE_GUTS()

public:
    static constexpr RWClassID kClassId = 785;
    static constexpr const char* ClassName() { return "GRecordComposite"; }
    static RWCollectable* Create();

    // One child record in the list.
    struct Link : RWIntrusiveDlistLink {
        GRecordRef record;
    };

    GRecordComposite() = default;
    // The object's fields, no children yet.
    explicit GRecordComposite(const MPersistentObject& object);
    // The same fields; the child records are shared.
    GRecordComposite(const GRecordComposite& other);
    GRecordComposite& operator=(const GRecordComposite& other);
    ~GRecordComposite() override;

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // GRecord's + 8 + every child's recursive store size.
    uint32_t BinaryStoreSize() const override;

    GRecordComposite* AsRecordComposite() override;
    void AddRecord(const GRecordRef& record) override;
    GCountedPtr Take(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) override;
    bool Replace(const GRecordQuery& query, const GCountedPtr& object, MPersistentCompositeOnDiskImp& imp,
                 GRecordRef& replacement) override;
    GCountedPtr Find(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) override;
    uint32_t Count() const override;

    // The same questions asked of the children only (how the index of an
    // on-disk composite is asked: it stands for no object of its own).
    GCountedPtr TakeFromChildren(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp);
    bool ReplaceInChildren(const GRecordQuery& query, const GCountedPtr& object,
                           MPersistentCompositeOnDiskImp& imp);
    GCountedPtr FindInChildren(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp);

    // Releases every child record.
    void Clear();
    // The number of child records.
    size_t Entries() const { return list_.Entries(); }
    // The child links, first to last.
    RWIntrusiveDlist& Links() { return list_; }
    // Unlinks the link and hands back its record.
    GRecordRef RemoveLink(Link* link);

    // Visits the child records in order; stops when visit returns false.
    template <typename Visit> void ForEach(Visit visit) const {
        for (const RWIntrusiveDlistLink* p = list_.Head()->next; p != list_.Tail(); p = p->next) {
            if (!visit(*static_cast<const Link*>(p)->record)) return;
        }
    }

private:
    RWIntrusiveDlist list_;
};
