#include "model/MPersistentComposite.h"

#include "model/GChildWalks.h"
#include "model/MPersistentClass.h"

#include "model/MPersistentCompositeIterator.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

MPersistentComposite::MPersistentComposite() : children_(kInitialCapacity) {}

MPersistentComposite::MPersistentComposite(uint32_t id)
    : MPersistentObject(id), children_(kInitialCapacity) {}

MPersistentComposite::MPersistentComposite(const MPersistentComposite& other)
    : MPersistentObject(other), children_(other.children_) {}

MPersistentComposite& MPersistentComposite::operator=(const MPersistentComposite& other) {
    if (this == &other || !IsNotEqualId(&other)) {
        return *this;
    }
    // Everything is taken from other before the old children go (the
    // vector copies first, then releases): other may be a descendant that
    // only those children keep alive.
    MPersistentObject::operator=(other);
    children_ = other.children_;
    return *this;
}

MPersistentComposite::~MPersistentComposite() = default;

// --- Persistence ----------------------------------------------------------

uint32_t MPersistentComposite::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 8 + GChildrenStoreSize(*this, children_);
}

void MPersistentComposite::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    stream << children_.Count();
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        stream << static_cast<const RWCollectable*>(children_.At(i).Get());
    }
}

void MPersistentComposite::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    file.Write(children_.Count());
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        file << static_cast<const RWCollectable*>(children_.At(i).Get());
    }
}

namespace {

bool ReadCount(RWVirtualInStream& stream, uint32_t& count) {
    stream >> count;
    return GRestoreGood(stream);
}

bool ReadCount(RWBinaryFile& file, uint32_t& count) {
    return file.Read(count);
}

} // namespace

template <typename Source> void MPersistentComposite::RestoreChildren(Source& source) {
    MPersistentObject::RestoreGuts(source);
    if (!GReadClassVersion(source, ClassVersion(), ClassVersion())) {
        return; // the children stay as they were
    }
    children_.Clear();
    children_.Resize(kClearedCapacity);
    uint32_t count = 0;
    if (!ReadCount(source, count)) {
        GMarkRestoreFailed(source);
        return;
    }
    // The count is only an upper bound: nothing is sized from it, and the
    // loop ends as soon as the data does.
    for (uint32_t i = 0; i < count && GRestoreGood(source); ++i) {
        GCountedPtr child = GRestoreChild(source);
        if (!child) {
            continue; // a nil child; a refused one has failed the stream
        }
        if (children_.Count() >= kMaxChildren) {
            GMarkRestoreFailed(source);
            return;
        }
        children_.Append(child);
    }
}

void MPersistentComposite::RestoreGuts(RWVirtualInStream& stream) {
    RestoreChildren(stream);
}

void MPersistentComposite::RestoreGuts(RWBinaryFile& file) {
    RestoreChildren(file);
}

// --- Equality ---------------------------------------------------------------

bool MPersistentComposite::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || IsA() != other->IsA() || GetId() != other->GetId()) {
        return false;
    }
    const auto* composite = dynamic_cast<const MPersistentComposite*>(other);
    if (composite == nullptr || children_.Count() != composite->children_.Count()) {
        return false;
    }
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        const MPersistentObject* mine = children_.At(i).Get();
        const MPersistentObject* theirs = composite->children_.At(i).Get();
        if (mine != theirs && (mine == nullptr || mine->IsNotEqualId(theirs))) {
            return false;
        }
    }
    return true;
}

// --- Adding and removing -----------------------------------------------------

void MPersistentComposite::Add(MPersistentObject* object) {
    // A composite never holds itself: the cycle would keep it alive for ever
    // and send every walk round it.
    if (object == nullptr || object == this) {
        return;
    }
    // Held at once: when the object is refused (or growth fails) this holder
    // deletes it, unless someone else holds it too.
    GCountedPtr held(object);
    if (children_.Count() >= kMaxChildren) {
        return;
    }
    children_.Append(held);
}

void MPersistentComposite::AddFirst(MPersistentObject* object) {
    if (object == nullptr || object == this) {
        return;
    }
    GCountedPtr held(object);
    children_.InsertAt(0, held);
}

std::unique_ptr<MPersistentObject> MPersistentComposite::Remove(const MPersistentObject* object) {
    return GRemoveChild(children_, object);
}

std::unique_ptr<MPersistentObject> MPersistentComposite::RemoveById(uint32_t id) {
    return GRemoveChildById(children_, id);
}

std::unique_ptr<MPersistentObject> MPersistentComposite::RemoveByClass(RWClassID classId) {
    return GRemoveChildByClass(children_, classId);
}

void MPersistentComposite::RemoveAll() {
    children_.Clear();
    children_.Resize(kClearedCapacity);
}

// --- Replacing -------------------------------------------------------------

int MPersistentComposite::ReplaceById(uint32_t id, const MPersistentObject* object) {
    return GReplaceChildById(children_, id, object);
}

int MPersistentComposite::ReplaceByClass(RWClassID classId, const MPersistentObject* object) {
    return GReplaceChildByClass(children_, classId, object);
}

int MPersistentComposite::Replace(const MPersistentObject* target, const MPersistentObject* object) {
    return GReplaceChild(children_, target, object);
}

int MPersistentComposite::ReplaceByKind(RWClassID classId, const MPersistentObject* object) {
    return GReplaceChildByKind(children_, classId, object);
}

// --- Finding -----------------------------------------------------------------

MPersistentObject* MPersistentComposite::FindById(uint32_t id) {
    return GFindChildById(children_, id);
}

MPersistentObject* MPersistentComposite::FindByClass(RWClassID classId) {
    return GFindChildByClass(children_, classId);
}

MPersistentObject* MPersistentComposite::FindEqual(const MPersistentObject* object) {
    return GFindInChildren(
        children_, [object](MPersistentObject* child) { return child->IsEqualId(object); },
        [object](MPersistentObject* child) { return child->FindEqual(object); });
}

MPersistentObject* MPersistentComposite::FindByKind(RWClassID classId) {
    return GFindChildByKind(children_, classId);
}

// --- Collecting --------------------------------------------------------------

MPersistentObject* MPersistentComposite::CollectByClassInto(RWClassID classId, MPersistentObject* target) {
    return GCollectFromChildren(children_, target,
                                [classId](MPersistentObject& child, MPersistentObject* into) {
                                    child.CollectByClassInto(classId, into);
                                });
}

MPersistentObject* MPersistentComposite::CollectByIdInto(uint32_t id, MPersistentObject* target) {
    return GCollectFromChildren(children_, target, [id](MPersistentObject& child, MPersistentObject* into) {
        child.CollectByIdInto(id, into);
    });
}

MPersistentObject* MPersistentComposite::CollectByKindInto(RWClassID classId, MPersistentObject* target) {
    return GCollectFromChildren(children_, target,
                                [classId](MPersistentObject& child, MPersistentObject* into) {
                                    child.CollectByKindInto(classId, into);
                                });
}

std::unique_ptr<MPersistentObject> MPersistentComposite::CollectById(uint32_t id) {
    return GCollectIntoNew<MPersistentComposite, uint32_t>(*this, &MPersistentComposite::CollectByIdInto, id);
}

std::unique_ptr<MPersistentObject> MPersistentComposite::CollectByClass(RWClassID classId) {
    return GCollectIntoNew<MPersistentComposite, RWClassID>(*this, &MPersistentComposite::CollectByClassInto,
                                                            classId);
}

std::unique_ptr<MPersistentObject> MPersistentComposite::CollectByKind(RWClassID classId) {
    return GCollectIntoNew<MPersistentComposite, RWClassID>(*this, &MPersistentComposite::CollectByKindInto,
                                                            classId);
}

// --- Shape and walking ----------------------------------------------------------

MPersistentObject* MPersistentComposite::AsComposite() {
    return this;
}

uint32_t MPersistentComposite::GetCount() const {
    return children_.Count();
}

uint32_t MPersistentComposite::GetSubtreeSize() const {
    return GSubtreeSize(children_);
}

std::unique_ptr<MPersistentIterator> MPersistentComposite::CreateIterator() {
    return std::make_unique<MPersistentCompositeIterator>(*this, children_);
}

void MPersistentComposite::Apply(ApplyFunction function, void* argument) {
    if (function == nullptr) {
        return;
    }
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        function(&children_.At(i), argument);
    }
}

MPersistentObject* MPersistentComposite::ApplyUntil(ApplyUntilFunction function, void* argument) {
    if (function == nullptr) {
        return nullptr;
    }
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        GCountedPtr& child = children_.At(i);
        if (function(&child, argument) != 0) {
            // Re-read: the function may have changed the slot.
            return i < children_.Count() ? children_.At(i).Get() : nullptr;
        }
    }
    return nullptr;
}
