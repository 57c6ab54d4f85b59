#include "model/GResourceMappingList.h"

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

template <class Carrier> void GResourceMappingList::SaveGutsTo(Carrier& carrier) const {
    MPersistentComposite::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
}

template <class Carrier> void GResourceMappingList::RestoreGutsFrom(Carrier& carrier) {
    dropped_.clear(); // held since an earlier, finished restore
    MPersistentComposite::RestoreGuts(carrier);
    GReadClassVersion(carrier, ClassVersion(), ClassVersion());
    DropStrayChildren();
}

RW_DEFINE_GUTS(GResourceMappingList)

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
