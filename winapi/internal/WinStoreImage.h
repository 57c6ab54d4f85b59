#pragma once
// The rows the store's file holds for a machine, table by table (the layout
// below), and the schema that makes the tables. Text columns hold UTF-16,
// host paths narrow text.
//   meta(name TEXT PRIMARY KEY, value)            format = 1
//   settings(name TEXT PRIMARY KEY, value)        the scalars (WinStoreSetting)
//   registry_keys(id INTEGER PRIMARY KEY, parent INTEGER, hive INTEGER,
//                 name TEXT, writable INTEGER)    parent 0 = the hive's root;
//                                                 a parent's id is below its
//                                                 children's
//   registry_values(key INTEGER, ordinal INTEGER, name TEXT, type INTEGER,
//                   data BLOB)                    ordinals rise in the order
//                                                 of the key's values
//   printers, drivers, forms, environment, modules, module_folders: one row
//   per record, by ordinal (its place in the list); drives by letter;
//   failing_version_sizes by size
#include <vector>

#include "winapi/host/WinMachineState.h"
#include "winapi/internal/WinStoreRegistryIds.h"
#include "winapi/internal/WinStoreTable.h"

class WinStoreImage {
public:
    static constexpr int64_t kFormat = 1;

    // Creates the tables that are missing.
    static const char* Schema();

    // Every table's rows for state; registry keys and values that are
    // stored keep the ids and ordinals they have there.
    static std::vector<WinStoreTable> Tables(const WinMachineState& state, const WinStoreRegistryIds& stored);
};
