#include "rw/RWFactory.h"

#include <utility>

#include "rw/RWCString.h"
#include "rw/RWLazyCriticalSection.h"

namespace {
// Making and deleting the singleton; always taken before the entry lock.
constinit RWLazyCriticalSection g_singletonLock;
// Every change and lookup of the entries.
constinit RWLazyCriticalSection g_entryLock;

RWFactory* g_factory = nullptr;

constexpr const char* kNoStringId = "No_RWStringID";
constexpr const char* kUnknownName = "NoID";

std::string Key(const RWStringID& name) {
    return std::string(name.Data(), name.Length());
}
} // namespace

RWFactory::RWFactory() = default;

RWFactory::~RWFactory() {
    RWLazyLockGuard lock(g_entryLock);
    byId_.clear();
    byName_.clear();
}

void RWFactory::Add(RWUserCreator create, RWClassID id, std::string name) {
    RWLazyLockGuard lock(g_entryLock);
    // try_emplace leaves an existing entry alone: the first registration stays.
    byId_.try_emplace(id, ByIdEntry{create, name});
    byName_.try_emplace(std::move(name), ByNameEntry{create, id});
}

void RWFactory::AddFunction(RWUserCreator create, RWClassID id, const RWStringID& name) {
    Add(create, id, Key(name));
}

void RWFactory::AddFunction(RWUserCreator create, RWClassID id, const char* name) {
    Add(create, id, name != nullptr ? std::string(name) : std::string(kNoStringId));
}

void RWFactory::AddFunction(RWUserCreator create, RWClassID id) {
    Add(create, id, kNoStringId);
}

void RWFactory::RemoveFunction(RWClassID id) {
    RWLazyLockGuard lock(g_entryLock);
    byId_.erase(id);
}

void RWFactory::RemoveName(const std::string& name) {
    RWLazyLockGuard lock(g_entryLock);
    byName_.erase(name);
}

void RWFactory::RemoveFunction(const RWStringID& name) {
    RemoveName(Key(name));
}

RWUserCreator RWFactory::GetFunction(RWClassID id) const {
    RWLazyLockGuard lock(g_entryLock);
    const auto found = byId_.find(id);
    return found != byId_.end() ? found->second.create : nullptr;
}

RWUserCreator RWFactory::GetFunction(const RWStringID& name) const {
    const std::string key = Key(name);
    RWLazyLockGuard lock(g_entryLock);
    const auto found = byName_.find(key);
    return found != byName_.end() ? found->second.create : nullptr;
}

RWCollectable* RWFactory::Create(RWClassID id) const {
    const RWUserCreator create = GetFunction(id);
    return create != nullptr ? create() : nullptr;
}

RWCollectable* RWFactory::Create(const RWStringID& name) const {
    const RWUserCreator create = GetFunction(name);
    return create != nullptr ? create() : nullptr;
}

// The name translations take the entry lock too: it costs little and keeps
// them safe should a registration change while a graph is saved.
RWStringID RWFactory::ClassIdToStringId(RWClassID id) const {
    std::string name;
    {
        RWLazyLockGuard lock(g_entryLock);
        const auto found = byId_.find(id);
        name = found != byId_.end() ? found->second.name : kUnknownName;
    }
    return RWStringID(name.data(), name.size());
}

RWClassID RWFactory::StringIdToClassId(const RWStringID& name) const {
    const std::string key = Key(name);
    RWLazyLockGuard lock(g_entryLock);
    const auto found = byName_.find(key);
    return found != byName_.end() ? found->second.id : __RWUNKNOWN;
}

size_t RWFactory::Entries() const {
    RWLazyLockGuard lock(g_entryLock);
    return byId_.size() + byName_.size();
}

RWFactory* RWGetFactory() {
    RWLazyLockGuard lock(g_singletonLock);
    if (g_factory == nullptr) g_factory = new RWFactory;
    return g_factory;
}

void RWDestroyFactory() {
    RWLazyLockGuard lock(g_singletonLock);
    delete g_factory;
    g_factory = nullptr;
}

// The free functions hold the singleton lock while they use the factory, so
// a removal that destroys it cannot pull it from under a lookup on another
// thread. Create functions run outside both locks.

void RWAddToFactory(RWUserCreator create, RWClassID id, const RWStringID& name) {
    RWLazyLockGuard lock(g_singletonLock);
    RWGetFactory()->AddFunction(create, id, name);
}

void RWAddToFactory(RWUserCreator create, RWClassID id, const char* name) {
    RWLazyLockGuard lock(g_singletonLock);
    RWGetFactory()->AddFunction(create, id, name);
}

void RWAddToFactory(RWUserCreator create, RWClassID id) {
    RWLazyLockGuard lock(g_singletonLock);
    RWGetFactory()->AddFunction(create, id);
}

RWUserCreator RWGetFactoryFunction(RWClassID id) {
    RWLazyLockGuard lock(g_singletonLock);
    return g_factory != nullptr ? g_factory->GetFunction(id) : nullptr;
}

RWUserCreator RWGetFactoryFunction(const RWStringID& name) {
    RWLazyLockGuard lock(g_singletonLock);
    return g_factory != nullptr ? g_factory->GetFunction(name) : nullptr;
}

RWCollectable* RWCreateFromFactory(RWClassID id) {
    const RWUserCreator create = RWGetFactoryFunction(id);
    return create != nullptr ? create() : nullptr;
}

RWCollectable* RWCreateFromFactory(const RWStringID& name) {
    const RWUserCreator create = RWGetFactoryFunction(name);
    return create != nullptr ? create() : nullptr;
}

void RWRemoveFromFactory(RWClassID id) {
    RWLazyLockGuard lock(g_singletonLock);
    if (g_factory == nullptr) return;
    g_factory->RemoveFunction(id);
    if (g_factory->IsEmpty()) RWDestroyFactory();
}

void RWRemoveFromFactory(const RWStringID& name) {
    RWLazyLockGuard lock(g_singletonLock);
    if (g_factory == nullptr) return;
    g_factory->RemoveFunction(name);
    if (g_factory->IsEmpty()) RWDestroyFactory();
}

RWStringID RWClassIdToStringId(RWClassID id) {
    RWLazyLockGuard lock(g_singletonLock);
    if (g_factory == nullptr) return RWStringID(kUnknownName);
    return g_factory->ClassIdToStringId(id);
}

RWClassID RWStringIdToClassId(const RWStringID& name) {
    RWLazyLockGuard lock(g_singletonLock);
    if (g_factory == nullptr) return __RWUNKNOWN;
    return g_factory->StringIdToClassId(name);
}
