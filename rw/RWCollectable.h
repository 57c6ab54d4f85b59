#pragma once
// Root of every object that can live in the library's collections or be
// saved and restored as part of an object graph. Each concrete class has a
// 16-bit class id, a string ID (its class name) and a create function,
// registered with the class factory (RWFactory).
#include <cstdint>

#include "rw/RWDefs.h"

class RWVirtualOutStream;
class RWVirtualInStream;
class RWBinaryFile;
class RWCString;
using RWStringID = RWCString;

constexpr RWClassID __RWCOLLECTABLE = 0x8007;
constexpr RWClassID __RWUNKNOWN = 0x8000; // "no class"

class RWCollectable {
public:
    RWCollectable() = default;
    RWCollectable(const RWCollectable&) = default;
    RWCollectable& operator=(const RWCollectable&) = default;

    // The virtual operations, in the order every collectable class provides them.
    virtual RWCollectable* NewSpecies() const;
    virtual RWCollectable* Copy() const;
    virtual RWClassID IsA() const;
    virtual ~RWCollectable();
    virtual uint32_t BinaryStoreSize() const;
    virtual int CompareTo(const RWCollectable* other) const;
    virtual uint32_t Hash() const;
    virtual bool IsEqual(const RWCollectable* other) const;
    virtual void RestoreGuts(RWVirtualInStream& stream);
    virtual void RestoreGuts(RWBinaryFile& file);
    virtual void SaveGuts(RWVirtualOutStream& stream) const;
    virtual void SaveGuts(RWBinaryFile& file) const;

    // Object-graph persistence: saves this object and, through its guts, its
    // graph; shared objects are written once and referred to afterwards.
    void RecursiveSaveOn(RWVirtualOutStream& stream) const;
    void RecursiveSaveOn(RWBinaryFile& file) const;
    // The bytes RecursiveSaveOn(RWBinaryFile&) would write now.
    uint32_t RecursiveStoreSize() const;

    // The shared nil object, saved in place of a null pointer.
    static RWCollectable* NilObject();
};

// The create function RWCollectable registers with the factory (0x8007,
// "RWCollectable").
RWCollectable* RWCreateRWCollectable();

// The equality tester the lists pass to their walks.
bool RWIsEqualTester(const RWCollectable* item, const void* argument);
