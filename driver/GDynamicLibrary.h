#pragma once
// The persistent handle of one library the driver loads by path (class
// 780): it loads the library on first use, resolves entries by name and
// calls them. A restored library is not loaded until it is used.
//
// Copies share the loaded module: each holds one share of it, and the last
// share to go (Unload or destruction of the last holder) frees the library,
// so every load has exactly one unload.
//
// Saved form, after the root's three words:
//   u32 version (1), the path in the wide-string form.
// A restore reads the path only for version 1 and leaves the object
// unloaded.
#include <cstdint>
#include <memory>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCarrier.h"
#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GDynamicLibrary : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GDynamicLibrary, MPersistentObject, 780)
    RW_DECLARE_GUTS()

public:
    // Empty path, not loaded.
    GDynamicLibrary();
    // Not loaded; the path (a file name or a full path) is kept unchanged.
    explicit GDynamicLibrary(const RWWString& path);
    // Path, loaded flag and module: the copy shares the module.
    GDynamicLibrary(const GDynamicLibrary& other);
    GDynamicLibrary& operator=(const GDynamicLibrary& other);
    // Gives up this object's share of the module.
    ~GDynamicLibrary() override;

    // Loads the library when this object has none: 1 when it is loaded, 0
    // when loading failed (a later call tries again).
    int Load();
    // Gives up this object's share; the library is freed with the last one.
    void Unload();
    int IsLoaded() const { return module_ != nullptr ? 1 : 0; }
    HMODULE GetHandle() const;
    const RWWString& GetPath() const { return path_; }

    // Loads, then calls the entry with one 32-bit argument: its result, or
    // 0 when the library or the entry is missing.
    uint32_t CallProc(const char* name, uint32_t argument);
    // The same with two arguments; the low 16 bits of the result.
    uint16_t CallProc2(const char* name, uint32_t first, uint32_t second);

    // Root + 2 x the path length + 8.
    uint32_t BinaryStoreSize() const override;
    // The same object, or the same class and id, path, loaded flag and handle.
    bool IsEqualId(const MPersistentObject* other) const override;

private:
    class Module;

    template <typename Entry> Entry Find(const char* name);

    RWWString path_;
    std::shared_ptr<Module> module_; // null while not loaded
};
