#pragma once
// Reads the store's file (inside a transaction the caller holds): the whole
// machine, or where the registry's rows stand.
#include "winapi/host/WinMachineState.h"
#include "winapi/internal/WinStoreRegistryIds.h"

struct sqlite3;

class WinStoreLoader {
public:
    // The stored machine into state (which starts empty: no forms); false
    // when the file holds no store of this format or cannot be read whole.
    static bool Load(sqlite3* db, WinMachineState& state);
    // The ids of the stored keys and the ordinals of the stored values;
    // false when they cannot be read (no store yet).
    static bool ReadRegistryIds(sqlite3* db, WinStoreRegistryIds& ids);
};
