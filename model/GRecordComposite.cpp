#include "model/GRecordComposite.h"

#include <memory>

#include "model/MPersistentClass.h"
#include "model/MPersistentCompositeOnDiskImp.h"

namespace {
bool IsRecord(const RWCollectable* object) {
    return dynamic_cast<const GRecord*>(object) != nullptr;
}
} // namespace

RWCollectable* GRecordComposite::Create() {
    return new GRecordComposite;
}

GRecordComposite::GRecordComposite(const MPersistentObject& object) : GRecord(object) {}

GRecordComposite::GRecordComposite(const GRecordComposite& other) : GRecord(other) {
    other.ForEach([this](GRecord& child) {
        AddRecord(GRecordRef(&child));
        return true;
    });
}

GRecordComposite& GRecordComposite::operator=(const GRecordComposite& other) {
    if (this == &other) return *this;
    GRecord::operator=(other);
    Clear();
    other.ForEach([this](GRecord& child) {
        AddRecord(GRecordRef(&child));
        return true;
    });
    return *this;
}

GRecordComposite::~GRecordComposite() {
    Clear();
}

RWCollectable* GRecordComposite::NewSpecies() const {
    return new GRecordComposite;
}

RWCollectable* GRecordComposite::Copy() const {
    return new GRecordComposite(*this);
}

RWClassID GRecordComposite::IsA() const {
    return kClassId;
}

uint32_t GRecordComposite::BinaryStoreSize() const {
    uint32_t size = GRecord::BinaryStoreSize() + 8;
    ForEach([&size](GRecord& child) {
        size += child.RecursiveStoreSize();
        return true;
    });
    return size;
}

template <class Carrier> void GRecordComposite::SaveGutsTo(Carrier& carrier) const {
    GRecord::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveU32(carrier, static_cast<uint32_t>(Entries()));
    ForEach([&carrier](GRecord& child) {
        RWSaveObject(carrier, &child);
        return true;
    });
}

template <class Carrier> void GRecordComposite::RestoreGutsFrom(Carrier& carrier) {
    GRecord::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    Clear();
    uint32_t count = 0;
    if (!RWRestoreU32(carrier, count)) return;
    for (uint32_t i = 0; i < count; ++i) {
        RWCollectable* object = nullptr;
        const bool read = RWRestoreObject(carrier, object, RWRestoreHold::Counted, &IsRecord);
        // Held at once: a counted member is freed by its holder.
        GRecordRef child(static_cast<GRecord*>(object));
        if (!read) return;
        if (child) AddRecord(child);
    }
}

RW_DEFINE_GUTS(GRecordComposite)

GRecordComposite* GRecordComposite::AsRecordComposite() {
    return this;
}

void GRecordComposite::AddRecord(const GRecordRef& record) {
    if (!record || record.Get() == this) return;
    auto link = std::make_unique<Link>();
    link->record = record;
    list_.Append(link.release());
}

GRecordRef GRecordComposite::RemoveLink(Link* link) {
    std::unique_ptr<Link> owned(static_cast<Link*>(list_.RemoveReference(link)));
    return owned != nullptr ? std::move(owned->record) : GRecordRef();
}

void GRecordComposite::Clear() {
    while (!list_.IsEmpty())
        RemoveLink(static_cast<Link*>(list_.First()));
}

uint32_t GRecordComposite::Count() const {
    uint32_t count = 0;
    ForEach([&count](GRecord& child) {
        count += child.Count();
        return true;
    });
    return count;
}

GCountedPtr GRecordComposite::Take(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) {
    if (Matches(query)) return GRecord::Take(query, imp);
    return TakeFromChildren(query, imp);
}

bool GRecordComposite::Replace(const GRecordQuery& query, const GCountedPtr& object,
                               MPersistentCompositeOnDiskImp& imp, GRecordRef& replacement) {
    if (Matches(query)) return GRecord::Replace(query, object, imp, replacement);
    return ReplaceInChildren(query, object, imp);
}

GCountedPtr GRecordComposite::Find(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) {
    if (Matches(query)) return GRecord::Find(query, imp);
    return FindInChildren(query, imp);
}

GCountedPtr GRecordComposite::TakeFromChildren(const GRecordQuery& query,
                                               MPersistentCompositeOnDiskImp& imp) {
    for (RWIntrusiveDlistLink* p = list_.Head()->next; p != list_.Tail(); p = p->next) {
        auto* link = static_cast<Link*>(p);
        // Held across the question: taking it may release the link's reference.
        const GRecordRef child = link->record;
        if (child->Matches(query)) {
            GCountedPtr taken = child->Take(query, imp);
            RemoveLink(link);
            return taken;
        }
        GCountedPtr taken = child->Take(query, imp);
        if (taken) return taken;
    }
    return NullCountedPtr();
}

bool GRecordComposite::ReplaceInChildren(const GRecordQuery& query, const GCountedPtr& object,
                                         MPersistentCompositeOnDiskImp& imp) {
    for (RWIntrusiveDlistLink* p = list_.Head()->next; p != list_.Tail(); p = p->next) {
        auto* link = static_cast<Link*>(p);
        const GRecordRef child = link->record;
        GRecordRef replacement;
        if (child->Replace(query, object, imp, replacement)) {
            // The new object's record takes the old one's place.
            if (replacement) link->record = replacement;
            return true;
        }
        if (child->Matches(query)) return false;
    }
    return false;
}

GCountedPtr GRecordComposite::FindInChildren(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) {
    for (RWIntrusiveDlistLink* p = list_.Head()->next; p != list_.Tail(); p = p->next) {
        const GRecordRef child = static_cast<Link*>(p)->record;
        GCountedPtr found = child->Find(query, imp);
        if (found || child->Matches(query)) return found;
    }
    return NullCountedPtr();
}
