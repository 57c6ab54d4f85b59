#pragma once
// Typed resources of a module's resource data (winapi/WinResource.h), found
// by type and id: dialog templates, bitmaps and cursors.
#include "winapi/WinResource.h"
#include "winapi/WinTypes.h"

// The resource data of a loaded module (null when it carries none).
const WinModuleResources* ModuleResources(HMODULE module);

class WinResourceLookup {
public:
    // Null when the module carries no resource of that type and id.
    static const WinResourceItem* Find(HINSTANCE instance, UINT type, UINT id);
};
