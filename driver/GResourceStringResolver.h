#pragma once
// Turns a GDisplayString (string id, default text, resource-module name)
// into text: the string of that id from the named resource module, or from
// the resolver's module when no module is named; the default text when the
// id is 0 or the string cannot be had.
#include "model/GDisplayString.h"
#include "rw/RWCString.h"
#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GResourceStringResolver {
public:
    // Strings are read into a buffer of this many characters (the NUL
    // included): longer ones come back cut.
    static constexpr int kBufferSize = 256;

    // module: where strings come from when the descriptor names no module
    // (null: nowhere). The descriptor is not owned (null: nothing to
    // resolve).
    GResourceStringResolver(HMODULE module, const GDisplayString* descriptor)
        : module_(module), descriptor_(descriptor) {}

    RWWString Resolve() const;
    // Resolves descriptor from now on.
    RWWString ResolveFor(const GDisplayString* descriptor);

    // The string of id from module into out: its length (out unchanged when
    // 0); 0 for a null module.
    static int LoadFromModule(HMODULE module, UINT id, RWWString& out);
    // The same from the module of that name, loaded for the call; 0 when it
    // cannot be loaded.
    static int LoadFromLibrary(const RWCString& moduleName, UINT id, RWWString& out);

private:
    HMODULE module_;
    const GDisplayString* descriptor_;
};
