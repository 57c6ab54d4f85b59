#include "model/MPersistentCompositeOnDiskFiles.h"

#include <memory>

#include "model/MPersistentObject.h"
#include "rw/RWIntrusiveDlist.h"

namespace {
constinit RWLazyCriticalSection gOnDiskLock;

struct Entry : RWIntrusiveDlistLink {
    RWCString name;
    GCountedPtr imp;
};

// The list, emptied at exit: each entry's implementation is released.
class OpenFiles {
public:
    ~OpenFiles() {
        RWLazyLockGuard guard(gOnDiskLock);
        while (!list.IsEmpty())
            delete static_cast<Entry*>(list.RemoveReference(list.First()));
    }
    Entry* Find(const RWCString& name) {
        for (RWIntrusiveDlistLink* p = list.Head()->next; p != list.Tail(); p = p->next) {
            auto* entry = static_cast<Entry*>(p);
            if (entry->name == name) return entry;
        }
        return nullptr;
    }

    RWIntrusiveDlist list;
};

OpenFiles& Files() {
    static OpenFiles files;
    return files;
}
} // namespace

RWLazyCriticalSection& MPersistentCompositeOnDiskFiles::Lock() {
    return gOnDiskLock;
}

GCountedPtr MPersistentCompositeOnDiskFiles::Find(const RWCString& name) {
    RWLazyLockGuard guard(gOnDiskLock);
    Entry* entry = Files().Find(name);
    return entry != nullptr ? entry->imp : GCountedPtr();
}

void MPersistentCompositeOnDiskFiles::Add(const RWCString& name, const GCountedPtr& imp) {
    RWLazyLockGuard guard(gOnDiskLock);
    auto entry = std::make_unique<Entry>();
    entry->name = name;
    entry->imp = imp;
    Files().list.Append(entry.release());
}

void MPersistentCompositeOnDiskFiles::ReleaseIfUnused(const RWCString& name) {
    RWLazyLockGuard guard(gOnDiskLock);
    Entry* entry = Files().Find(name);
    if (entry == nullptr || entry->imp->GetRefCount() > 0) return;
    Files().list.RemoveReference(entry);
    delete entry;
}

size_t MPersistentCompositeOnDiskFiles::Entries() {
    RWLazyLockGuard guard(gOnDiskLock);
    return Files().list.Entries();
}
