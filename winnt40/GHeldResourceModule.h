#pragma once
// The resource module an instance loads its strings from (paper and bin
// names of the device capabilities), loaded on first use and kept while the
// instance lives: a library load and free on every capability call would
// cost many times the answer. A request for another path (the resource
// module's name can be set after the first load) frees the held module
// and loads the one asked for, so a string always comes from the module
// the path names. One request uses an instance at a time; so does this.
#include "rw/RWWString.h"
#include "winapi/WinHandle.h"
#include "winapi/WinTypes.h"

class GHeldResourceModule {
public:
    GHeldResourceModule() = default;
    GHeldResourceModule(const GHeldResourceModule&) = delete;
    GHeldResourceModule& operator=(const GHeldResourceModule&) = delete;

    // The module at path, loaded when it is not held yet; null for an
    // empty path or a module that cannot be loaded (tried again next time).
    HMODULE Get(const RWWString& path);
    // Gives the held module back (the destructor does too).
    void Free();

private:
    RWWString path_;
    WinScopedModule module_;
};
