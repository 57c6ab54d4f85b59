#pragma once
// The record of an object that is itself an on-disk composite (class id
// 784, registered as "GRecordProxy"): a GRecord holding a copy of that
// composite, which shares the composite's file. Questions its own key does
// not answer are passed to the held composite's counted operations, so
// nested on-disk composites are searched through their own files.
//
// Saved form: GRecord's, then u32 version 1, then the held object as an
// object pointer of the graph (the nil object when there is none).
#include "model/GCountedPtr.h"
#include "model/GRecord.h"

class GRecordProxy : public GRecord {
    RW_DECLARE_GUTS()

public:
    static constexpr RWClassID kClassId = 784;
    static constexpr const char* ClassName() { return "GRecordProxy"; }
    static RWCollectable* Create();

    GRecordProxy() = default;
    // The object's fields and a copy of the object.
    explicit GRecordProxy(const MPersistentObject& object);
    // The same fields and a copy of the held object.
    GRecordProxy(const GRecordProxy& other);
    GRecordProxy& operator=(const GRecordProxy& other);
    ~GRecordProxy() override;

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // GRecord's + 4 + the held object's recursive store size (6 for none).
    uint32_t BinaryStoreSize() const override;

    GCountedPtr Take(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) override;
    bool Replace(const GRecordQuery& query, const GCountedPtr& object, MPersistentCompositeOnDiskImp& imp,
                 GRecordRef& replacement) override;
    GCountedPtr Find(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) override;

    const GCountedPtr& Held() const { return held_; }

private:
    static GCountedPtr CopyOf(const MPersistentObject* object);

    GCountedPtr held_;
};
