#pragma once
// What every persistent class of the model needs to follow the conventions
// written down at the persistent root (model/MPersistentObject.h): the
// version word, the restore of child objects and the per-class boilerplate.
#include <cstdint>
#include <memory>

#include "model/GCountedPtr.h"
#include "model/GCountedPtrVector.h"
#include "model/MPersistentObject.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWFactory.h"

class RWVirtualInStream;
class RWVirtualOutStream;
class RWBinaryFile;

// --- Version word ---------------------------------------------------------

// Writes a class's version word (u32) after its base's guts.
void GWriteClassVersion(RWVirtualOutStream& stream, uint32_t version = 1);
void GWriteClassVersion(RWBinaryFile& file, uint32_t version = 1);

// Reads a class's version word and checks it: true when it lies in
// [lowest, highest], and the class then reads its own fields. False when it
// does not, or when it could not be read (the stream was not good or ended):
// the class then reads none of its own fields, keeps their values and
// returns normally; the stream is marked failed (GMarkRestoreFailed), so the
// outermost restore is refused. `version` receives the word read (0 when
// none was).
bool GReadClassVersion(RWVirtualInStream& stream, uint32_t highest = 1, uint32_t lowest = 1);
bool GReadClassVersion(RWBinaryFile& file, uint32_t highest = 1, uint32_t lowest = 1);
bool GReadClassVersion(RWVirtualInStream& stream, uint32_t& version, uint32_t highest, uint32_t lowest);
bool GReadClassVersion(RWBinaryFile& file, uint32_t& version, uint32_t highest, uint32_t lowest);

// Marks a restore failed: the fail bit of a virtual stream. A binary file
// has no failure bit of its own: it is moved to its end and read once, which
// sets its end-of-file flag; every later read then fails, and the outermost
// restore, which refuses a graph whose file has reached its end, yields
// nothing.
void GMarkRestoreFailed(RWVirtualInStream& stream);
void GMarkRestoreFailed(RWBinaryFile& file);
// Whether a restore may go on reading: the stream is good / the file has
// neither reached its end nor failed.
bool GRestoreGood(const RWVirtualInStream& stream);
bool GRestoreGood(const RWBinaryFile& file);

// --- Child objects ---------------------------------------------------------

// Restores one child pointer and hands it back held by a counted pointer
// (null for the nil object). The object is claimed as a counted member under
// the graph restore's ownership rule (rw/RWCollectableIO.h), so anything
// that is not a persistent object, an object whose own restore is still
// running (a cycle), or data nested too deep is refused with REF, and the
// objects of the failed graph are freed by the restore. When nothing could
// be read the result is null and the stream has failed.
GCountedPtr GRestoreChild(RWVirtualInStream& stream);
GCountedPtr GRestoreChild(RWBinaryFile& file);

// --- Store size of a node's children ---------------------------------------

// The bytes a node's children take in a binary file, counted with one store
// table for all of them, as a save has: a child shared by two slots counts
// once, and asked on its own the size holds no file magic per child. owner
// takes the table's first index, as it does when it is saved.
uint32_t GChildrenStoreSize(const MPersistentObject& owner, const GCountedPtrVector& children);

// --- Walking a node's children ------------------------------------------------

// Asks each child of a node, in order, to collect into target (collect is
// called with the child and target). The count is read once: collecting
// into the node itself must not walk what it adds.
template <typename Collect>
MPersistentObject* GCollectFromChildren(const GCountedPtrVector& children, MPersistentObject* target,
                                        Collect collect) {
    const uint32_t n = children.Count();
    for (uint32_t i = 0; i < n && target != nullptr; ++i) {
        if (MPersistentObject* child = children.At(i).Get()) collect(*child, target);
    }
    return target;
}

// A new node of the given class holding what the collect operation (a
// member such as &MPersistentObject::CollectByIdInto) finds under node, or
// null when it finds nothing.
template <typename Node, typename Key>
std::unique_ptr<MPersistentObject> GCollectIntoNew(Node& node, MPersistentObject* (Node::*collect)(Key, MPersistentObject*),
                                                   Key key) {
    auto collected = std::make_unique<Node>();
    (node.*collect)(key, collected.get());
    if (collected->GetCount() == 0) return nullptr;
    return collected;
}

// 1 plus the subtree sizes of the children.
uint32_t GSubtreeSize(const GCountedPtrVector& children);

// --- Per-class boilerplate -------------------------------------------------

// Declares, inside the class body of a concrete persistent class, the class
// id, the class name, the factory's create function, NewSpecies (a default
// object), Copy (the copy constructor), IsA and IsKindOf (this id, then the
// base's chain). Leaves the following declarations public.
#define MPERSISTENT_CLASS_MEMBERS(Class, Base, Id)                                                          \
public:                                                                                                    \
    static constexpr RWClassID kClassId = (Id);                                                           \
    static constexpr const char* ClassName() { return #Class; }                                           \
    static RWClassID ClassId() { return kClassId; }                                                       \
    static RWCollectable* Create() { return new Class(); }                                                 \
    RWCollectable* NewSpecies() const override { return new Class(); }                                     \
    RWCollectable* Copy() const override { return new Class(*this); }                                      \
    RWClassID IsA() const override { return kClassId; }                                                    \
    bool IsKindOf(RWClassID classId) const override { return classId == kClassId || Base::IsKindOf(classId); }

// The same for an abstract class known only by its kind id (never
// registered, never made): the id, the name and IsKindOf.
#define MPERSISTENT_KIND_MEMBERS(Class, Base, Id)                                                           \
public:                                                                                                    \
    static constexpr RWClassID kClassId = (Id);                                                           \
    static constexpr const char* ClassName() { return #Class; }                                           \
    static RWClassID ClassId() { return kClassId; }                                                       \
    bool IsKindOf(RWClassID classId) const override { return classId == kClassId || Base::IsKindOf(classId); }

// Registers a class declared with MPERSISTENT_CLASS_MEMBERS under its id and
// name: one line per class in GRegisterModelClasses.
template <typename Class>
void GAddToFactory() {
    RWAddToFactory(&Class::Create, Class::kClassId, Class::ClassName());
}

// GRestoreChild for a member of one class: an object of another class is
// refused with REF as well.
template <typename Class>
GCountedPtr GRestorePtr(RWVirtualInStream& stream) {
    RWCollectable* object = nullptr;
    RWRestoreObjectPointer(stream, object, RWRestoreHold::Counted,
                           [](const RWCollectable* o) { return dynamic_cast<const Class*>(o) != nullptr; });
    return GCountedPtr(dynamic_cast<Class*>(object));
}

template <typename Class>
GCountedPtr GRestorePtr(RWBinaryFile& file) {
    RWCollectable* object = nullptr;
    RWRestoreObjectPointer(file, object, RWRestoreHold::Counted,
                           [](const RWCollectable* o) { return dynamic_cast<const Class*>(o) != nullptr; });
    return GCountedPtr(dynamic_cast<Class*>(object));
}
