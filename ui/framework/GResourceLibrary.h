#pragma once
// Where the property sheets take their dialog templates, strings and
// bitmaps from: a separate resource library, loaded by the path the driver
// context gives and shared by every sheet of the process through a use
// count. The job-storage notice loads it from a thread of its own, so the
// count and the handle change only under one lock.
//
// Beside it, the module whose own resources are looked up: this module's
// instance handle, set once by the first caller.
#include <cstdint>

#include "winapi/WinTypes.h"

// Counts one use of the library at path, loading it when no use is
// counted yet: 1 when the library is loaded, 0 when it cannot be. A load
// that fails leaves the count as it was, so the next one tries again.
int32_t LoadResourceLibrary(LPCWSTR path);
// Counts one use less; the last use frees the library. Without a use
// counted, nothing happens.
void ReleaseResourceLibrary();
// The library's handle while a use is counted, else null.
HMODULE ResourceModule();
uint16_t ResourceLibraryUseCount();

// This module's instance handle for its own resources: the first non-null
// handle given is kept.
void SetResourceLookupModule(HINSTANCE instance);
HINSTANCE ResourceLookupModule();
