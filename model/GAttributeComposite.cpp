#include "model/GAttributeComposite.h"

#include <utility>

#include "model/GChildWalks.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentCompositeIterator.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

namespace {

// A copy (the class's Copy) owned by the caller, or null when the class
// makes none.
std::unique_ptr<MPersistentObject> CopyOf(const MPersistentObject& object) {
    std::unique_ptr<RWCollectable> copy(object.Copy());
    auto* persistent = dynamic_cast<MPersistentObject*>(copy.get());
    if (persistent == nullptr) {
        return nullptr;
    }
    copy.release();
    return std::unique_ptr<MPersistentObject>(persistent);
}

} // namespace

GAttributeComposite::GAttributeComposite() : children_(kInitialCapacity) {}

GAttributeComposite::GAttributeComposite(uint32_t id) : GAttribute(id), children_(kInitialCapacity) {}

GAttributeComposite::GAttributeComposite(const GAttributeComposite& other)
    : GAttribute(other), children_(other.children_.Count()) {
    for (uint32_t i = 0; i < other.children_.Count(); ++i) {
        children_.Append(other.children_.At(i));
    }
}

GAttributeComposite& GAttributeComposite::operator=(const GAttributeComposite& other) {
    if (this != &other) {
        // The vector takes other's children before it lets its own go.
        children_ = other.children_;
        GAttribute::operator=(other);
    }
    return *this;
}

GAttributeComposite::~GAttributeComposite() = default;

GAttribute* GAttributeComposite::AttributeAt(uint32_t index) const {
    return dynamic_cast<GAttribute*>(children_.At(index).Get());
}

// --- Persistence ----------------------------------------------------------

uint32_t GAttributeComposite::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 8 + GChildrenStoreSize(*this, children_);
}

void GAttributeComposite::SaveGuts(RWVirtualOutStream& stream) const {
    GAttribute::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    stream << children_.Count();
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        stream << static_cast<const RWCollectable*>(children_.At(i).Get());
    }
}

void GAttributeComposite::SaveGuts(RWBinaryFile& file) const {
    GAttribute::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    file.Write(children_.Count());
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        file << static_cast<const RWCollectable*>(children_.At(i).Get());
    }
}

namespace {

bool ReadCount(RWVirtualInStream& stream, uint32_t& count) {
    unsigned int word = 0;
    stream >> word;
    count = word;
    return GRestoreGood(stream);
}

bool ReadCount(RWBinaryFile& file, uint32_t& count) {
    return file.Read(count);
}

} // namespace

template <typename Source> void GAttributeComposite::RestoreChildren(Source& source) {
    GAttribute::RestoreGuts(source);
    if (!GReadClassVersion(source, ClassVersion(), ClassVersion())) {
        return; // the children stay as they were
    }
    children_.Clear();
    children_.Resize(kClearedCapacity);
    dropped_.clear(); // held since an earlier, finished restore
    uint32_t count = 0;
    if (!ReadCount(source, count)) {
        GMarkRestoreFailed(source);
        return;
    }
    // The count only bounds the loop: nothing is sized from it, and the
    // loop ends as soon as the data does. Children go straight into the
    // array (no Add, so no replacement rules of subclasses), but only
    // attributes: anything else would later be used as one.
    for (uint32_t i = 0; i < count && GRestoreGood(source); ++i) {
        GCountedPtr child = GRestoreChild(source);
        if (!child) {
            continue; // a nil child; a refused one has failed the stream
        }
        if (!child->IsKindOf(GAttribute::kClassId)) {
            dropped_.push_back(std::move(child));
            continue;
        }
        children_.Append(child);
    }
}

void GAttributeComposite::RestoreGuts(RWVirtualInStream& stream) {
    RestoreChildren(stream);
}

void GAttributeComposite::RestoreGuts(RWBinaryFile& file) {
    RestoreChildren(file);
}

// --- Equality ---------------------------------------------------------------

bool GAttributeComposite::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || IsA() != other->IsA() || GetId() != other->GetId()) {
        return false;
    }
    const auto* composite = dynamic_cast<const GAttributeComposite*>(other);
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

void GAttributeComposite::Add(MPersistentObject* object) {
    if (object == nullptr) {
        return;
    }
    // Held at once: a refused object (or a failed growth) is deleted by this
    // holder, unless someone else holds it too.
    GCountedPtr held(object);
    if (!object->IsKindOf(GAttribute::kClassId)) {
        return;
    }
    children_.Append(held);
}

std::unique_ptr<MPersistentObject> GAttributeComposite::Remove(const MPersistentObject* object) {
    return GRemoveChild(children_, object);
}

std::unique_ptr<MPersistentObject> GAttributeComposite::RemoveById(uint32_t id) {
    return GRemoveChildById(children_, id);
}

std::unique_ptr<MPersistentObject> GAttributeComposite::RemoveByClass(RWClassID classId) {
    return GRemoveChildByClass(children_, classId);
}

void GAttributeComposite::RemoveAll() {
    children_.Clear();
    children_.Resize(kClearedCapacity);
}

// --- Replacing -------------------------------------------------------------

int GAttributeComposite::ReplaceById(uint32_t id, const MPersistentObject* object) {
    return GReplaceChildById(children_, id, object);
}

int GAttributeComposite::ReplaceByClass(RWClassID classId, const MPersistentObject* object) {
    return GReplaceChildByClass(children_, classId, object);
}

int GAttributeComposite::Replace(const MPersistentObject* target, const MPersistentObject* object) {
    return GReplaceChild(children_, target, object);
}

int GAttributeComposite::ReplaceByKind(RWClassID classId, const MPersistentObject* object) {
    return GReplaceChildByKind(children_, classId, object);
}

// --- Finding -----------------------------------------------------------------

MPersistentObject* GAttributeComposite::FindById(uint32_t id) {
    return GFindChildById(children_, id);
}

MPersistentObject* GAttributeComposite::FindByClass(RWClassID classId) {
    return GFindChildByClass(children_, classId);
}

MPersistentObject* GAttributeComposite::FindEqual(const MPersistentObject* object) {
    return GFindInChildren(
        children_, [object](MPersistentObject* child) { return child == object; },
        [object](MPersistentObject* child) { return child->FindEqual(object); });
}

MPersistentObject* GAttributeComposite::FindByKind(RWClassID classId) {
    return GFindChildByKind(children_, classId);
}

// --- Collecting --------------------------------------------------------------

MPersistentObject* GAttributeComposite::CollectByClassInto(RWClassID classId, MPersistentObject* target) {
    return GCollectFromChildren(children_, target,
                                [classId](MPersistentObject& child, MPersistentObject* into) {
                                    child.CollectByClassInto(classId, into);
                                });
}

MPersistentObject* GAttributeComposite::CollectByIdInto(uint32_t id, MPersistentObject* target) {
    return GCollectFromChildren(children_, target, [id](MPersistentObject& child, MPersistentObject* into) {
        child.CollectByIdInto(id, into);
    });
}

MPersistentObject* GAttributeComposite::CollectByKindInto(RWClassID classId, MPersistentObject* target) {
    return GCollectFromChildren(children_, target,
                                [classId](MPersistentObject& child, MPersistentObject* into) {
                                    child.CollectByKindInto(classId, into);
                                });
}

std::unique_ptr<MPersistentObject> GAttributeComposite::CollectById(uint32_t id) {
    return GCollectIntoNew<GAttributeComposite, uint32_t>(*this, &GAttributeComposite::CollectByIdInto, id);
}

std::unique_ptr<MPersistentObject> GAttributeComposite::CollectByClass(RWClassID classId) {
    return GCollectIntoNew<GAttributeComposite, RWClassID>(*this, &GAttributeComposite::CollectByClassInto,
                                                           classId);
}

std::unique_ptr<MPersistentObject> GAttributeComposite::CollectByKind(RWClassID classId) {
    return GCollectIntoNew<GAttributeComposite, RWClassID>(*this, &GAttributeComposite::CollectByKindInto,
                                                           classId);
}

// --- Shape and walking ----------------------------------------------------------

MPersistentObject* GAttributeComposite::AsComposite() {
    return this;
}

uint32_t GAttributeComposite::GetCount() const {
    return children_.Count();
}

uint32_t GAttributeComposite::GetSubtreeSize() const {
    return GSubtreeSize(children_);
}

std::unique_ptr<MPersistentIterator> GAttributeComposite::CreateIterator() {
    return std::make_unique<MPersistentCompositeIterator>(*this, children_);
}

// --- Attribute protocol -----------------------------------------------------------

void GAttributeComposite::AssignFrom(GAttribute* object) {
    if (object == nullptr || object == this) {
        return;
    }
    if (object->GetTypeCode() != GetTypeCode() || object->GetId() != GetId()) {
        if (std::unique_ptr<MPersistentObject> copy = CopyOf(*object)) {
            Add(copy.release());
        }
        return;
    }
    const auto* source = dynamic_cast<const GAttributeComposite*>(object);
    if (source == nullptr) {
        return;
    }
    // Held apart first: Add may change what object holds when it is part
    // of this tree.
    const GCountedPtrVector children(source->children_);
    for (uint32_t i = 0; i < children.Count(); ++i) {
        if (const MPersistentObject* child = children.At(i).Get()) {
            if (std::unique_ptr<MPersistentObject> copy = CopyOf(*child)) {
                Add(copy.release());
            }
        }
    }
}

uint16_t GAttributeComposite::Apply(GPeripheral& device) {
    uint16_t result = 0;
    const uint32_t n = children_.Count();
    for (uint32_t i = 0; i < n; ++i) {
        // Held across the call: a device may change this node.
        const GCountedPtr child = children_.At(i);
        auto* attribute = dynamic_cast<GAttribute*>(child.Get());
        if (attribute == nullptr || attribute->GetChanged() == 0) {
            continue;
        }
        const uint16_t status = attribute->Apply(device);
        if (status != 0) {
            result = status;
        }
    }
    SetChanged(0);
    return result;
}

void GAttributeComposite::MarkAllChanged() {
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        if (GAttribute* child = AttributeAt(i)) {
            child->SetChanged(1);
        }
    }
    SetChanged(1);
}

void GAttributeComposite::MarkAllUnchanged() {
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        if (GAttribute* child = AttributeAt(i)) {
            child->SetChanged(0);
        }
    }
    SetChanged(0);
}

void GAttributeComposite::ForEach(ForEachFunction function, void* argument) {
    if (function == nullptr) {
        return;
    }
    const uint32_t n = children_.Count();
    for (uint32_t i = 0; i < n; ++i) {
        function(&children_.At(i), argument);
    }
}

MPersistentObject* GAttributeComposite::FindFirst(FindFirstFunction function, void* argument) {
    if (function == nullptr) {
        return nullptr;
    }
    const uint32_t n = children_.Count();
    for (uint32_t i = 0; i < n; ++i) {
        if (function(&children_.At(i), argument) != 0) {
            // Re-read: the function may have changed the slot.
            return i < children_.Count() ? children_.At(i).Get() : nullptr;
        }
    }
    return nullptr;
}
