#pragma once
// The class factory: maps class ids and class names (string IDs) to the
// create functions of the collectable classes, so that restoring an object
// graph can make an object of the class it reads.
//
// Every class registers explicitly (see RWRegisterLibraryClasses and its
// siblings): static registration objects would be dropped by the linker.
// The first registration of a class id, and of a name, stays; later ones
// for the same key are ignored.
//
// The factory is a singleton made on first use and destroyed when its last
// entry is removed. One lock guards making and deleting it, another every
// change and lookup of its entries (always taken in that order).
#include <cstddef>
#include <string>
#include <unordered_map>

#include "rw/RWCString.h"
#include "rw/RWCollectable.h"
#include "rw/RWDefs.h"

// Makes a new default object of a class on the heap (or returns null).
using RWUserCreator = RWCollectable* (*)();

// Classes known only by their string ID have class ids in this range.
constexpr RWClassID RWStringIdClassIdFirst = 0x9000;
constexpr RWClassID RWStringIdClassIdLast = 0xF000;

class RWFactory {
public:
    RWFactory();
    ~RWFactory();
    RWFactory(const RWFactory&) = delete;
    RWFactory& operator=(const RWFactory&) = delete;

    // Registers create under id and under name; a key already present keeps
    // its first registration. The form without a name uses "No_RWStringID".
    void AddFunction(RWUserCreator create, RWClassID id, const RWStringID& name);
    void AddFunction(RWUserCreator create, RWClassID id, const char* name);
    void AddFunction(RWUserCreator create, RWClassID id);

    // Removes the entry of that one key; the entry of the other kind stays.
    void RemoveFunction(RWClassID id);
    void RemoveFunction(const RWStringID& name);

    // The create function of a key, null when unknown.
    RWUserCreator GetFunction(RWClassID id) const;
    RWUserCreator GetFunction(const RWStringID& name) const;

    // A new object of the class (the create function runs outside the lock);
    // null when the key is unknown.
    RWCollectable* Create(RWClassID id) const;
    RWCollectable* Create(const RWStringID& name) const;

    // The name registered with an id ("NoID" when none), and the id
    // registered with a name (__RWUNKNOWN, 0x8000, when none).
    RWStringID ClassIdToStringId(RWClassID id) const;
    RWClassID StringIdToClassId(const RWStringID& name) const;

    // Number of entries of both kinds.
    size_t Entries() const;
    bool IsEmpty() const { return Entries() == 0; }

private:
    struct ByIdEntry {
        RWUserCreator create;
        std::string name;
    };
    struct ByNameEntry {
        RWUserCreator create;
        RWClassID id;
    };
    void Add(RWUserCreator create, RWClassID id, std::string name);
    void RemoveName(const std::string& name);

    std::unordered_map<RWClassID, ByIdEntry> byId_;
    std::unordered_map<std::string, ByNameEntry> byName_;
};

// The singleton, made on the first call.
RWFactory* RWGetFactory();
// Deletes the singleton (every entry with it); the next RWGetFactory makes a new one.
void RWDestroyFactory();

void RWAddToFactory(RWUserCreator create, RWClassID id, const RWStringID& name);
void RWAddToFactory(RWUserCreator create, RWClassID id, const char* name);
void RWAddToFactory(RWUserCreator create, RWClassID id); // name "No_RWStringID"

// Null when the key is unknown (or there is no factory).
RWCollectable* RWCreateFromFactory(RWClassID id);
RWCollectable* RWCreateFromFactory(const RWStringID& name);
// The create function of a key, null when unknown (or there is no factory).
RWUserCreator RWGetFactoryFunction(RWClassID id);
RWUserCreator RWGetFactoryFunction(const RWStringID& name);

// Removes one key; the factory is destroyed when it becomes empty.
void RWRemoveFromFactory(RWClassID id);
void RWRemoveFromFactory(const RWStringID& name);

// "NoID" when there is no factory or no such id.
RWStringID RWClassIdToStringId(RWClassID id);
// __RWUNKNOWN (0x8000) when there is no factory or no such name.
RWClassID RWStringIdToClassId(const RWStringID& name);

// True for ids of classes known only by their string ID (0x9000..0xF000).
constexpr bool RWIsStringIdClassId(RWClassID id) {
    return id >= RWStringIdClassIdFirst && id <= RWStringIdClassIdLast;
}
