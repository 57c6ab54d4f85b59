#pragma once
// What stays in memory of an object that an on-disk composite wrote to its
// file (class id 783, registered as "GRecord"): the object's class id,
// serial number and id word. The serial, written in lowercase hexadecimal
// (KeyText), is the key of the object's blob in the file's B-tree; the
// class id and id word answer the composite's questions without reading the
// file. GRecordComposite (785) stands for a composite object and holds the
// records of its children; GRecordProxy (784) stands for an object that is
// itself an on-disk composite.
//
// Saved form (after the collectable's, which is empty): u32 version 1, u16
// class id, u32 serial, u32 id. A restore stops after a version word that
// is not 1.
//
// Records are reference counted through GRecordRef; the counts change under
// the lock of this file.
#include <cstdint>

#include "model/GCountedPtr.h"
#include "rw/RWCString.h"
#include "rw/RWCarrier.h"
#include "rw/RWCollectable.h"

class GRecordComposite;
class GRecordRef;
class MPersistentCompositeOnDiskImp;
class MPersistentObject;

// What a take, replace or find looks for: a class id, an id word, or the
// object with a given serial (Equal).
struct GRecordQuery {
    enum class Kind { ByClass, ById, Equal };

    static GRecordQuery ByClass(RWClassID classId) { return {Kind::ByClass, classId, nullptr}; }
    static GRecordQuery ById(uint32_t id) { return {Kind::ById, id, nullptr}; }
    static GRecordQuery Equal(const MPersistentObject* object);

    Kind kind;
    uint32_t value;                  // the class id, the id word or the serial
    const MPersistentObject* object; // Equal: the object asked about
};

class GRecord : public RWCollectable {
    RW_DECLARE_GUTS()

public:
    static constexpr RWClassID kClassId = 783;
    static constexpr const char* ClassName() { return "GRecord"; }
    static RWCollectable* Create();

    // Count -1, every field 0.
    GRecord() = default;
    // The object's class id, serial and id word.
    explicit GRecord(const MPersistentObject& object);
    // The same fields; the count is never copied.
    GRecord(const GRecord& other);
    GRecord& operator=(const GRecord& other);
    ~GRecord() override;

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // The collectable's size + 14.
    uint32_t BinaryStoreSize() const override;

    // The record operations. A plain record answers for itself only: a take
    // loads its object and removes the blob, a find loads it and keeps the
    // blob, a replace drops the blob and stores the new object, handing the
    // new object's record back in replacement (null when the old blob was
    // not in the file). Each answers null (false) when the record does not
    // match.
    virtual GRecordComposite* AsRecordComposite();
    // Nothing here; a composite record appends the record to its children.
    virtual void AddRecord(const GRecordRef& record);
    virtual GCountedPtr Take(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp);
    virtual bool Replace(const GRecordQuery& query, const GCountedPtr& object,
                         MPersistentCompositeOnDiskImp& imp, GRecordRef& replacement);
    virtual GCountedPtr Find(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp);
    // 1; a composite record: the sum of its children's counts.
    virtual uint32_t Count() const;

    // The named forms of the operations.
    GCountedPtr TakeByClass(RWClassID classId, MPersistentCompositeOnDiskImp& imp);
    GCountedPtr TakeById(uint32_t id, MPersistentCompositeOnDiskImp& imp);
    GCountedPtr TakeEqual(const MPersistentObject* object, MPersistentCompositeOnDiskImp& imp);
    bool ReplaceByClass(RWClassID classId, const GCountedPtr& object, MPersistentCompositeOnDiskImp& imp,
                        GRecordRef& replacement);
    bool ReplaceById(uint32_t id, const GCountedPtr& object, MPersistentCompositeOnDiskImp& imp,
                     GRecordRef& replacement);
    bool ReplaceEqual(const MPersistentObject* target, const GCountedPtr& object,
                      MPersistentCompositeOnDiskImp& imp, GRecordRef& replacement);
    GCountedPtr FindByClass(RWClassID classId, MPersistentCompositeOnDiskImp& imp);
    GCountedPtr FindById(uint32_t id, MPersistentCompositeOnDiskImp& imp);
    GCountedPtr FindEqual(const MPersistentObject* object, MPersistentCompositeOnDiskImp& imp);

    // Whether this record itself is what the query looks for.
    bool Matches(const GRecordQuery& query) const;
    // The serial in lowercase hexadecimal, without leading zeros: the key
    // of the record's blob.
    RWCString KeyText() const;
    RWClassID ObjectClassId() const { return classId_; }
    uint32_t Serial() const { return serial_; }
    uint32_t Id() const { return id_; }
    // -1 while nobody holds the record, else holders - 1.
    int32_t GetRefCount() const;

private:
    friend class GRecordRef;
    static void AddReference(GRecord* record);
    static void RemoveReference(GRecord* record);

    uint32_t refCount_ = 0xFFFFFFFF;
    RWClassID classId_ = 0;
    uint32_t serial_ = 0;
    uint32_t id_ = 0;
};
