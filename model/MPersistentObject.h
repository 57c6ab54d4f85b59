#pragma once
// The persistent root: every object of the settings, device and job models
// derives from it. It adds to the collectable base a reference count (changed
// only by GCountedPtr), a 32-bit id word (the attribute id, the key of every
// lookup in a tree) and a serial number, and declares the uniform child
// operations of the model. A leaf answers them with nothing; composites
// (MPersistentComposite, the attribute composite) give them their tree
// meaning.
//
// ---------------------------------------------------------------------------
// Conventions every persistent class follows
// ---------------------------------------------------------------------------
//
// Saved form. SaveGuts calls the base class's SaveGuts first, then writes
// the class's own version word (u32, 1 unless the class says otherwise),
// then its own fields. RestoreGuts reads in the same order. The root's own
// part is three u32 words: version 1, id, serial.
//
// One body per class. A class writes its save and its restore once, as
// templates over the carrier (a virtual stream or a binary file), with the
// carrier primitives of rw/RWCarrier.h (RWSaveU32 / RWRestoreU32, I32, U16,
// I16, U8, I8, Char, String, Object) and the version word and child helpers
// of model/MPersistentClass.h. The primitives write what the carrier's own
// operation of that width writes, so the bytes are the carrier's; nothing
// is ever written twice by hand, once per carrier. RW_DECLARE_GUTS() in the
// class body declares the four virtual overrides and the two templates;
// RW_DEFINE_GUTS(Class) in the .cpp defines the overrides, each forwarding
// to its template.
//
// Another version word. A restore that meets a version word the class does
// not accept:
//   - reads none of the class's own fields, which keep their values;
//   - returns normally, so the enclosing restore goes on;
//   - and marks the restore failed, so that the outermost restore is
//     refused: a graph that was only partly understood is never taken for a
//     good one.
// GReadClassVersion (model/MPersistentClass.h) does all of this; every class
// reads its version word through it and nothing else.
//
// One failure signal. A restore fails through the carrier's failure flag
// (the fail bit of a virtual stream, the restore-failure flag of a binary
// file): a primitive that cannot deliver sets it, GMarkRestoreFailed sets it
// for a value the class refuses, GRestoreGood reads it, and the outermost
// restore checks it. Marking a failure never reads or seeks the carrier.
//
// Restores are untrusted input. A class reads its fields only while the
// restore is good (each RWRestore* primitive answers false, target
// unchanged, once it is not), never sizes an allocation from a count it
// read, stops a loop as soon as the restore fails, grows what it fills
// geometrically, and restores child objects through GRestoreChild /
// GRestorePtr (model/MPersistentClass.h), which claim them as counted
// members under the graph restore's ownership rule (rw/RWCollectableIO.h: a
// wrong class or a cycle is refused, a failed graph is freed by the restore)
// and hand them over already held by a counted pointer. A class must be
// destructible in any partly restored state.
//
// Per-class boilerplate. MPERSISTENT_CLASS_MEMBERS (model/MPersistentClass.h)
// declares the class id, the class name, the factory's create function,
// NewSpecies, Copy, IsA and IsKindOf in one line; the class then writes only
// its constructors, its two guts templates and BinaryStoreSize.
// Registration with the factory is one line in GRegisterModelClasses
// (model/GModelClasses.cpp):
//     GAddToFactory<GMyLeaf>();
// A complete leaf class, header:
//
//     class GMyLeaf : public MPersistentObject {
//         MPERSISTENT_CLASS_MEMBERS(GMyLeaf, MPersistentObject, 1234)
//         RW_DECLARE_GUTS()
//     public:
//         GMyLeaf() = default;
//         uint32_t BinaryStoreSize() const override { // version, value, flags, member
//             return MPersistentObject::BinaryStoreSize() + 4 + 4 + 2 +
//                    RWObjectStoreSize(member_.Get());
//         }
//     private:
//         uint32_t value_ = 0;
//         int16_t flags_ = 0;
//         GCountedPtr member_; // a GMemberClass, or null
//     };
//
// and its .cpp:
//
//     template <class Carrier> void GMyLeaf::SaveGutsTo(Carrier& carrier) const {
//         MPersistentObject::SaveGuts(carrier);   // the base, for either carrier
//         GWriteClassVersion(carrier);
//         RWSaveU32(carrier, value_);             // a 32-bit "long"
//         RWSaveI16(carrier, flags_);
//         RWSaveObject(carrier, member_.Get());   // the nil object for null
//     }
//
//     template <class Carrier> void GMyLeaf::RestoreGutsFrom(Carrier& carrier) {
//         MPersistentObject::RestoreGuts(carrier);
//         if (!GReadClassVersion(carrier)) return; // fields stay as they were
//         uint32_t value = 0;
//         int16_t flags = 0;
//         // All or none: a cut record leaves the object as it was.
//         if (!RWRestoreU32(carrier, value) || !RWRestoreI16(carrier, flags)) return;
//         value_ = value;
//         flags_ = flags;
//         member_ = GRestorePtr<GMemberClass>(carrier); // null for nil
//     }
//
//     RW_DEFINE_GUTS(GMyLeaf)
//
// A member that is itself a persistent object is kept in a GCountedPtr and
// restored with GRestorePtr as above. A class with an unusual IsKindOf
// chain writes that member by hand; a version other than 1 is written with
// GWriteClassVersion(carrier, version) and read with
// GReadClassVersion(carrier, highest, lowest).
//
// Ownership. An object nobody holds (count -1) belongs to whoever made it.
// Add/AddFirst of a composite take such an object over (the composite holds
// it); an object already held elsewhere is shared. Operations returning
// std::unique_ptr hand the caller something it owns outright (a detached
// child, or a copy when the child was shared). Find operations return a
// pointer into the tree without adding a reference.
// ---------------------------------------------------------------------------
#include <cstdint>
#include <memory>

#include "model/GCountedPtr.h"
#include "rw/RWCarrier.h"
#include "rw/RWCollectable.h"
#include "rw/RWCollectableIO.h"

class MPersistentIterator;

class MPersistentObject : public RWCollectable {
public:
    // The root's kind id: answered by IsKindOf, never registered.
    static constexpr RWClassID kClassId = 751;
    static constexpr const char* ClassName() { return "MPersistentObject"; }
    static RWClassID ClassId() { return kClassId; }
    // The root's version word.
    static constexpr uint32_t ClassVersion() { return 1; }

    // A process-wide serial counter: NewSerial skips 0, so the first serial
    // is 1 and a wrapped counter goes on at 1. Atomic, so objects made on
    // different threads never share a serial.
    class SerialCounter {
    public:
        // next: the counter's value before the first Next (0 for the
        // process-wide counter).
        constexpr explicit SerialCounter(uint32_t next = 0) : next_(next) {}
        uint32_t Next();

    private:
        uint32_t next_ = 0;
    };

    // count -1, id 0, a new serial.
    MPersistentObject();
    explicit MPersistentObject(uint32_t id);
    // count -1; id and serial copied (a copy has its source's serial).
    MPersistentObject(const MPersistentObject& other);
    // Copies id and serial, never the count.
    MPersistentObject& operator=(const MPersistentObject& other);
    ~MPersistentObject() override;

    // The class library's size + 12 (version, id, serial).
    uint32_t BinaryStoreSize() const override;
    // By address: 0 for the same object, -1 when this one is lower, else 1.
    int CompareTo(const RWCollectable* other) const override;
    // Same IsA and IsEqualId.
    bool IsEqual(const RWCollectable* other) const override;
    // Version 1, id, serial. A saved serial of 0 keeps the object's own.
    RW_DECLARE_GUTS()

    // True for the class's own id and every base's up to 751.
    virtual bool IsKindOf(RWClassID classId) const;
    // The root compares id words; composites compare deeply.
    virtual bool IsEqualId(const MPersistentObject* other) const;
    bool IsNotEqualId(const MPersistentObject* other) const { return !IsEqualId(other); }

    // Child operations. At a leaf (this class) they do nothing, find only
    // the object itself and collect only the object itself.
    //
    // Add/AddFirst: a node that keeps object holds it with a counted
    // pointer. A node that does not keep it (a leaf, a full composite, a
    // node that refuses the class) must treat it as a counted pointer
    // would: delete it only when nobody holds it (GCountedPtr(object) going
    // out of scope does exactly that), never with a plain delete. So
    // callers may hold what they offer in a GCountedPtr across the call.
    virtual void Add(MPersistentObject* object);
    virtual void AddFirst(MPersistentObject* object);
    virtual std::unique_ptr<MPersistentObject> Remove(const MPersistentObject* object);
    virtual std::unique_ptr<MPersistentObject> RemoveById(uint32_t id);
    virtual std::unique_ptr<MPersistentObject> RemoveByClass(RWClassID classId);
    // Replace: the matched child's slot receives a Clone of object (the
    // caller keeps object). 1 when a child was replaced, else 0.
    virtual int ReplaceById(uint32_t id, const MPersistentObject* object);
    virtual int ReplaceByClass(RWClassID classId, const MPersistentObject* object);
    virtual int Replace(const MPersistentObject* target, const MPersistentObject* object);
    virtual int ReplaceByKind(RWClassID classId, const MPersistentObject* object);
    // Counted forms: given their tree meaning only by the on-disk composite.
    virtual void AddCounted(const GCountedPtr& pointer);
    virtual void AddCountedFirst(const GCountedPtr& pointer);
    virtual GCountedPtr RemoveCountedEqual(const MPersistentObject* object);
    virtual GCountedPtr RemoveCountedById(uint32_t id);
    virtual GCountedPtr RemoveCountedByClass(RWClassID classId);
    virtual int ReplaceCountedById(uint32_t id, const GCountedPtr& pointer);
    virtual int ReplaceCountedByClass(RWClassID classId, const GCountedPtr& pointer);
    virtual void RemoveAll();
    // Finds: pointers into the tree, no reference added; null on a miss.
    virtual MPersistentObject* FindById(uint32_t id);
    virtual MPersistentObject* FindByClass(RWClassID classId);
    virtual MPersistentObject* FindEqual(const MPersistentObject* object);
    virtual MPersistentObject* FindByKind(RWClassID classId);
    // Collect into target: matching leaves Add themselves (one more
    // reference each, so only call these on objects held by a counted
    // pointer). Returns target.
    virtual MPersistentObject* CollectByClassInto(RWClassID classId, MPersistentObject* target);
    virtual MPersistentObject* CollectByIdInto(uint32_t id, MPersistentObject* target);
    // A new composite holding the matches, or null when there are none.
    virtual std::unique_ptr<MPersistentObject> CollectById(uint32_t id);
    virtual std::unique_ptr<MPersistentObject> CollectByClass(RWClassID classId);
    virtual MPersistentObject* CollectByKindInto(RWClassID classId, MPersistentObject* target);
    virtual std::unique_ptr<MPersistentObject> CollectByKind(RWClassID classId);
    // Counted finds: this object when it matches, else a null pointer.
    virtual GCountedPtr FindCountedById(uint32_t id);
    virtual GCountedPtr FindCountedByClass(RWClassID classId);
    virtual GCountedPtr FindCountedEqual(const MPersistentObject* object);
    // Non-null (the object itself) for every node that has children.
    virtual MPersistentObject* AsComposite();
    virtual uint32_t GetSerial() const;
    // 1 at a leaf; a composite's number of children.
    virtual uint32_t GetCount() const;
    // 1 plus the subtree sizes of the children.
    virtual uint32_t GetSubtreeSize() const;
    // The caller owns the iterator; leaves hand out an empty one.
    virtual std::unique_ptr<MPersistentIterator> CreateIterator();
    // The kind of setting this is: IsA unless a family shares one code.
    virtual RWClassID GetTypeCode() const;
    // Deep copy, count -1, the caller owns it. A leaf: Copy. A node: a
    // NewSpecies with this id and the Clone of every child added in order.
    virtual std::unique_ptr<MPersistentObject> Clone() const;

    uint32_t GetId() const { return id_; }
    void SetId(uint32_t id) { id_ = id; }
    void SetSerial(uint32_t serial) { serial_ = serial; }
    // -1 when no counted pointer holds the object, else holders - 1.
    int32_t GetRefCount() const;
    // Zeroes the serial of this object and of every descendant.
    void ClearSerialsRecursive();

    // The process-wide serial: the next object's serial number.
    static uint32_t NewSerial();

private:
    friend class GCountedPtr;

    uint32_t refCount_ = 0xFFFFFFFF; // -1: nobody holds it
    uint32_t id_ = 0;
    uint32_t serial_ = 0;
};

// Restores a polymorphic persistent-object pointer (a new object from the
// factory, or a back-reference into the graph); object is null for the nil
// object and when nothing could be read. An object of another kind is
// refused with REF. hold says how the caller keeps the object, as the graph
// restore's ownership rule defines (rw/RWCollectableIO.h); the outermost
// caller owns what it gets. Composites use GRestoreChild instead.
void RestoreMPersistentObjectPtr(RWVirtualInStream& stream, MPersistentObject*& object,
                                 RWRestoreHold hold = RWRestoreHold::Borrowed);
void RestoreMPersistentObjectPtr(RWBinaryFile& file, MPersistentObject*& object,
                                 RWRestoreHold hold = RWRestoreHold::Borrowed);
