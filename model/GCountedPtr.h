#pragma once
// The counted pointer: the only way a persistent object's reference count
// changes.
//
// Counting rule (the count lives in MPersistentObject): a new object has
// count -1 (nobody holds it); every counted pointer that points at it adds
// one (one holder 0, two holders 1, ...); releasing a holder subtracts one,
// and the holder that finds 0 before its decrement was the last and deletes
// the object. A copy of an object never copies the count.
//
// A counted pointer is a collectable (class 773) so that it can be saved as
// part of an object graph, but it is never made by the factory or by Copy:
// it lives only as a member or local of its holder.
#include <cstdint>
#include <memory>

#include "rw/RWCarrier.h"
#include "rw/RWCollectable.h"

class MPersistentObject;

class GCountedPtr : public RWCollectable {
public:
    static constexpr RWClassID kClassId = 773;
    static constexpr const char* ClassName() { return "GCountedPtr"; }
    static RWClassID ClassId() { return kClassId; }

    GCountedPtr() noexcept = default;
    // Holds object (null allowed); a non-null object gains a reference. An
    // object with count -1 is owned by this pointer from now on.
    explicit GCountedPtr(MPersistentObject* object);
    // Takes over an object the caller owned outright.
    template <typename T>
    explicit GCountedPtr(std::unique_ptr<T> object)
        : GCountedPtr(static_cast<MPersistentObject*>(object.release())) {}
    GCountedPtr(const GCountedPtr& other);
    GCountedPtr(GCountedPtr&& other) noexcept;
    // Nothing happens when both hold the same object. Otherwise the new
    // object gains its reference before the old one is released, so
    // assigning an object that only the old one kept alive is safe.
    GCountedPtr& operator=(const GCountedPtr& other);
    GCountedPtr& operator=(GCountedPtr&& other) noexcept;
    ~GCountedPtr() override;

    // Never made by the factory or by copy: these answer null.
    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // The base size plus the held object's recursive store size, or plus 6
    // (the nil object's back-reference) when null.
    uint32_t BinaryStoreSize() const override;
    // Save: the held object as a polymorphic object pointer (nil when
    // null). Restore: reads one; the old object is released and the
    // restored one held. Anything that is not a persistent object (or would
    // close a cycle) is refused and fails the restore.
    RW_DECLARE_GUTS()

    // True for 773 and for the persistent root's kind id 751.
    virtual bool IsKindOf(RWClassID classId) const;
    // A deep copy of the held object (count -1, the caller owns it), or null.
    virtual std::unique_ptr<MPersistentObject> CloneObject() const;

    MPersistentObject* Get() const noexcept { return object_; }
    MPersistentObject* operator->() const noexcept { return object_; }
    MPersistentObject& operator*() const noexcept { return *object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }
    // The held object as a T, or null when it is none or of another class.
    template <typename T> T* As() const { return dynamic_cast<T*>(object_); }

    // Releases the held object (deleting it when this was its last holder)
    // and holds object instead.
    void Reset(MPersistentObject* object = nullptr);

    // Gives up the held object and hands the caller something it owns
    // outright: the object itself when this was its last holder (its count
    // is then -1), else a copy made by its Copy while the shared object stays
    // with its other holders. Null when nothing is held. The pointer is null
    // afterwards.
    std::unique_ptr<MPersistentObject> Detach();

    // The factory's create function: always null.
    static RWCollectable* Create();

private:
    static void Acquire(MPersistentObject* object);
    static void Release(MPersistentObject* object);

    MPersistentObject* object_ = nullptr;
};

// The process-wide counted pointer that is always null; counted finds hand
// back a copy of it when they miss.
const GCountedPtr& NullCountedPtr();
