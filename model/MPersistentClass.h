#pragma once
// What every persistent class of the model needs to follow the conventions
// written down at the persistent root (model/MPersistentObject.h): the
// version word, the restore of child objects and the per-class boilerplate.
#include <cstdint>
#include <memory>

#include "model/GCountedPtr.h"
#include "model/MPersistentObject.h"
#include "rw/RWCarrier.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWFactory.h"

// --- Version word ---------------------------------------------------------

// Writes a class's version word (u32) after its base's guts.
void GWriteClassVersion(RWVirtualOutStream& stream, uint32_t version = 1);
void GWriteClassVersion(RWBinaryFile& file, uint32_t version = 1);

// Reads a class's version word and checks it: true when it lies in
// [lowest, highest], and the class then reads its own fields. False when it
// does not, or when it could not be read (the restore had already failed or
// the carrier ended): the class then reads none of its own fields, keeps
// their values and returns normally; the restore is marked failed
// (GMarkRestoreFailed), so the outermost restore is refused. `version`
// receives the word read (0 when none was).
bool GReadClassVersion(RWVirtualInStream& stream, uint32_t highest = 1, uint32_t lowest = 1);
bool GReadClassVersion(RWBinaryFile& file, uint32_t highest = 1, uint32_t lowest = 1);
bool GReadClassVersion(RWVirtualInStream& stream, uint32_t& version, uint32_t highest, uint32_t lowest);
bool GReadClassVersion(RWBinaryFile& file, uint32_t& version, uint32_t highest, uint32_t lowest);

// The restore's one failure signal (rw/RWCarrier.h): marking it sets the fail
// bit of a virtual stream or the restore-failure flag of a binary file,
// without reading or seeking; GRestoreGood says whether a restore may go on
// reading.
inline void GMarkRestoreFailed(RWVirtualInStream& stream) {
    RWMarkRestoreFailed(stream);
}
inline void GMarkRestoreFailed(RWBinaryFile& file) {
    RWMarkRestoreFailed(file);
}
inline bool GRestoreGood(const RWVirtualInStream& stream) {
    return RWRestoreGood(stream);
}
inline bool GRestoreGood(const RWBinaryFile& file) {
    return RWRestoreGood(file);
}

// --- Child objects ---------------------------------------------------------

// Restores one child pointer and hands it back held by a counted pointer
// (null for the nil object). The object is claimed as a counted member under
// the graph restore's ownership rule (rw/RWCollectableIO.h), so anything
// that is not a persistent object, an object whose own restore is still
// running (a cycle), or data nested too deep is refused with REF, and the
// objects of the failed graph are freed by the restore. When nothing could
// be read the result is null and the restore has failed.
GCountedPtr GRestoreChild(RWVirtualInStream& stream);
GCountedPtr GRestoreChild(RWBinaryFile& file);

// --- Per-class boilerplate -------------------------------------------------

// Declares, inside the class body of a concrete persistent class, the class
// id, the class name, the factory's create function, NewSpecies (a default
// object), Copy (the copy constructor), IsA and IsKindOf (this id, then the
// base's chain). Leaves the following declarations public.
#define MPERSISTENT_CLASS_MEMBERS(Class, Base, Id)                                                           \
public:                                                                                                      \
    static constexpr RWClassID kClassId = (Id);                                                              \
    static constexpr const char* ClassName() {                                                               \
        return #Class;                                                                                       \
    }                                                                                                        \
    static RWClassID ClassId() {                                                                             \
        return kClassId;                                                                                     \
    }                                                                                                        \
    static RWCollectable* Create() {                                                                         \
        return new Class();                                                                                  \
    }                                                                                                        \
    RWCollectable* NewSpecies() const override {                                                             \
        return new Class();                                                                                  \
    }                                                                                                        \
    RWCollectable* Copy() const override {                                                                   \
        return new Class(*this);                                                                             \
    }                                                                                                        \
    RWClassID IsA() const override {                                                                         \
        return kClassId;                                                                                     \
    }                                                                                                        \
    bool IsKindOf(RWClassID classId) const override {                                                        \
        return classId == kClassId || Base::IsKindOf(classId);                                               \
    }

// The same for an abstract class known only by its kind id (never
// registered, never made): the id, the name and IsKindOf.
#define MPERSISTENT_KIND_MEMBERS(Class, Base, Id)                                                            \
public:                                                                                                      \
    static constexpr RWClassID kClassId = (Id);                                                              \
    static constexpr const char* ClassName() {                                                               \
        return #Class;                                                                                       \
    }                                                                                                        \
    static RWClassID ClassId() {                                                                             \
        return kClassId;                                                                                     \
    }                                                                                                        \
    bool IsKindOf(RWClassID classId) const override {                                                        \
        return classId == kClassId || Base::IsKindOf(classId);                                               \
    }

// Registers a class declared with MPERSISTENT_CLASS_MEMBERS under its id and
// name: one line per class in GRegisterModelClasses.
template <typename Class> void GAddToFactory() {
    RWAddToFactory(&Class::Create, Class::kClassId, Class::ClassName());
}

// GRestoreChild for a member of one class: an object of another class is
// refused with REF as well.
template <typename Class, typename Carrier> GCountedPtr GRestorePtr(Carrier& carrier) {
    RWCollectable* object = nullptr;
    RWRestoreObject(carrier, object, RWRestoreHold::Counted,
                    [](const RWCollectable* o) { return dynamic_cast<const Class*>(o) != nullptr; });
    return GCountedPtr(static_cast<Class*>(object));
}
