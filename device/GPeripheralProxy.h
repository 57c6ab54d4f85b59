#pragma once
// A device that stands for a device served by an add-on library (class 779,
// "GPeripheralProxy"): a separate module that makes and destroys a device
// object through two entries named after the page-description kind
// ("_C_PCL_ADDON" / "_D_PCL_ADDON" and so on).
//
// A library is loaded only while the proxy plays a command, only when its
// mode allows (0: loaded, played and unloaded for each command; 1: loaded by
// the first command and kept; 2: never), and only from the driver's own
// folder (the folder of the module's file, GOSFactory::GetModuleFolder): a
// path naming another folder is never loaded. Building or restoring a proxy
// loads nothing.
//
// Entries take one argument, a pointer to a list of pointer-sized values:
// the create entry gets two nulls and answers the new device (a
// GPeripheral), the destroy entry gets the device.
//
// Saved form, after the GPeripheral part: u32 version (1), the library (an
// object pointer to a GDynamicLibrary), the create-entry and destroy-entry
// names (wide strings), u32 mode, u32 PDL kind, then the device as an object
// pointer. A device a library made belongs to that library and is saved as
// the nil object; a device restored from a graph is held but never played
// (only a loaded library's device is).
#include <cstdint>
#include <memory>

#include "model/GCountedPtr.h"
#include "pipeline/GPeripheral.h"
#include "rw/RWWString.h"

class GDynamicLibrary;

class GPeripheralProxy : public GPeripheral {
    MPERSISTENT_CLASS_MEMBERS(GPeripheralProxy, GPeripheral, 779)
    RW_DECLARE_GUTS()

public:
    static constexpr uint32_t ClassVersion() { return 1; }

    // An add-on entry: one pointer to the call's list of pointer-sized values.
    using Entry = void* (*)(void** arguments);

    // No device, empty names, PDL kind 6, mode 2, a library without a path.
    GPeripheralProxy();
    // The library for path and the entry names of the PDL kind (empty for a
    // kind other than 0 to 4). Nothing is loaded.
    GPeripheralProxy(const RWWString& path, uint32_t pdlKind, uint32_t mode);
    // Holds device (counted); otherwise as the default.
    explicit GPeripheralProxy(GPeripheral* device);
    // Shares the device; copies the names, kind, mode and library object.
    GPeripheralProxy(const GPeripheralProxy& other);
    GPeripheralProxy& operator=(const GPeripheralProxy& other);
    // Destroys a device its library made, then unloads.
    ~GPeripheralProxy() override;

    uint32_t BinaryStoreSize() const override;
    // The device part, the same device, equal names, kind and mode, and
    // libraries with equal paths.
    bool IsEqualId(const MPersistentObject* other) const override;

    // A loaded library's device plays the command; otherwise, as the mode
    // says, the library is loaded (and in mode 0 unloaded again afterwards)
    // or the command passes unchanged.
    GCountedPtr Process(const GCountedPtr& command) override;

    // 1 when a device is held.
    int HoldsAddOn() const;
    // 1 when playing a command could load the library: mode 0 or 1, entry
    // names known and a path in the driver's folder.
    int MayServe() const;
    // Loads the library and makes a device through the create entry: the
    // device (held from now on), or null when the library or the entry is
    // missing or the path is refused.
    GPeripheral* CreateAddOn();
    // Hands a device the library made to the destroy entry and unloads the
    // library; any other device is just released.
    void DestroyAddOn();

    const RWWString& GetCreateEntryName() const { return createEntry_; }
    const RWWString& GetDestroyEntryName() const { return destroyEntry_; }
    uint32_t GetMode() const { return mode_; }
    uint32_t GetProxyPdlKind() const { return pdlKind_; }
    GPeripheral* GetAddOn() const;
    // The stored library path; empty when none.
    RWWString GetPath() const;
    // The path the library would be loaded from: in the driver's folder, or
    // empty when the stored path is refused.
    RWWString ResolvedPath() const;

private:
    void SetEntryNames(uint32_t pdlKind);
    Entry FindEntry(const RWWString& name) const;

    GCountedPtr device_;
    bool deviceFromLibrary_ = false;
    RWWString createEntry_;
    RWWString destroyEntry_;
    uint32_t pdlKind_ = kPdlNone;
    uint32_t mode_ = kAddOnNever;
    GCountedPtr library_; // the GDynamicLibrary saved with the proxy
    // The library as loaded from the driver's folder, while loaded.
    std::unique_ptr<GDynamicLibrary> loaded_;
};
