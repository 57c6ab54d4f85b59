#include "winapi/internal/WinResourceLookup.h"

#include "winapi/WinModule.h"

const WinResourceItem* WinResourceLookup::Find(HINSTANCE instance, UINT type, UINT id) {
    const WinModuleResources* resources = ModuleResources(instance);
    if (resources == nullptr || resources->items == nullptr) return nullptr;
    for (UINT i = 0; i < resources->itemCount; ++i) {
        const WinResourceItem& item = resources->items[i];
        if (item.type == type && item.id == id && item.data != nullptr) return &item;
    }
    return nullptr;
}
