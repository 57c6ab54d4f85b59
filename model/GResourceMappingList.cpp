#include "model/GResourceMappingList.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

// What an earlier restore dropped stays with the list it was read into.
GResourceMappingList::GResourceMappingList(const GResourceMappingList& other) : MPersistentComposite(other) {}

GResourceMappingList& GResourceMappingList::operator=(const GResourceMappingList& other) {
    if (this != &other) {
        MPersistentComposite::operator=(other);
    }
    return *this;
}

GResourceMappingList::~GResourceMappingList() = default;

uint32_t GResourceMappingList::BinaryStoreSize() const {
    return MPersistentComposite::BinaryStoreSize() + 4;
}

void GResourceMappingList::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentComposite::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
}

void GResourceMappingList::SaveGuts(RWBinaryFile& file) const {
    MPersistentComposite::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
}

void GResourceMappingList::RestoreGuts(RWVirtualInStream& stream) {
    dropped_.clear(); // held since an earlier, finished restore
    MPersistentComposite::RestoreGuts(stream);
    GReadClassVersion(stream, ClassVersion(), ClassVersion());
    DropStrayChildren();
}

void GResourceMappingList::RestoreGuts(RWBinaryFile& file) {
    dropped_.clear(); // held since an earlier, finished restore
    MPersistentComposite::RestoreGuts(file);
    GReadClassVersion(file, ClassVersion(), ClassVersion());
    DropStrayChildren();
}

void GResourceMappingList::DropStrayChildren() {
    GCountedPtrVector& children = MutableChildren();
    uint32_t i = 0;
    while (i < children.Count()) {
        if (children.At(i).As<GResourceMapping>() != nullptr) {
            ++i;
        } else {
            dropped_.push_back(children.RemoveAt(i));
        }
    }
}

void GResourceMappingList::Add(MPersistentObject* object) {
    GCountedPtr refused(object); // deleted here unless someone holds it
}

int GResourceMappingList::AddUnique(GResourceMapping* mapping) {
    if (mapping == nullptr || FindBySecond(static_cast<uint16_t>(mapping->GetSecond())) != nullptr ||
        FindByValue32(mapping->GetValue32()) != nullptr) {
        return 0;
    }
    MPersistentComposite::Add(mapping);
    return 1;
}

int GResourceMappingList::AddUniqueSecond(GResourceMapping* mapping) {
    if (mapping == nullptr || FindBySecond(static_cast<uint16_t>(mapping->GetSecond())) != nullptr) {
        return 0;
    }
    MPersistentComposite::Add(mapping);
    return 1;
}

template <typename Match> GResourceMapping* GResourceMappingList::FindFirstMapping(Match match) {
    MPersistentObject* found = ApplyUntil(
        [](GCountedPtr* child, void* argument) {
            const auto* mapping = child->As<GResourceMapping>();
            return mapping != nullptr && (*static_cast<Match*>(argument))(*mapping) ? 1 : 0;
        },
        &match);
    return dynamic_cast<GResourceMapping*>(found);
}

GResourceMapping* GResourceMappingList::FindByFirst(uint16_t key) {
    return FindFirstMapping([key](const GResourceMapping& m) { return m.GetFirst() == key; });
}

GResourceMapping* GResourceMappingList::FindBySecond(uint16_t key) {
    // Signed against unsigned, as stored data expects: -1 is not 0xFFFF.
    return FindFirstMapping([key](const GResourceMapping& m) {
        return static_cast<int32_t>(m.GetSecond()) == static_cast<int32_t>(key);
    });
}

GResourceMapping* GResourceMappingList::FindByValue32(uint32_t key) {
    return FindFirstMapping([key](const GResourceMapping& m) { return m.GetValue32() == key; });
}

std::unique_ptr<GResourceMapping> GResourceMappingList::Take(GResourceMapping* mapping) {
    if (mapping == nullptr) {
        return nullptr;
    }
    std::unique_ptr<MPersistentObject> removed = Remove(mapping);
    auto* result = dynamic_cast<GResourceMapping*>(removed.get());
    if (result == nullptr) {
        return nullptr;
    }
    removed.release();
    return std::unique_ptr<GResourceMapping>(result);
}

std::unique_ptr<GResourceMapping> GResourceMappingList::RemoveByFirst(uint16_t key) {
    return Take(FindByFirst(key));
}

std::unique_ptr<GResourceMapping> GResourceMappingList::RemoveBySecond(uint16_t key) {
    return Take(FindBySecond(key));
}

std::unique_ptr<GResourceMapping> GResourceMappingList::RemoveByValue32(uint32_t key) {
    return Take(FindByValue32(key));
}
