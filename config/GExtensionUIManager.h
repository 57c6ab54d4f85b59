#pragma once
// One user-interface extension module of a property sheet, loaded by name:
// its extension-UI entry points resolved and called with the sheet's
// GUIData. A module is loaded when it answers UI_INTERFACEVERSION with 2
// and exports UI_INITIALIZE and UI_DESTROY.
//
// The name "GExtensionUIManager" selects the built-in plug-in page host,
// which this module does not carry yet: such a manager does not load, and
// the set leaves it out as it leaves out any module that cannot be loaded.
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

struct GUIData;

class GExtensionUIManager {
public:
    static constexpr uint32_t kInterfaceVersion = 2;
    static constexpr const char* kPluginHostName = "GExtensionUIManager";

    using InterfaceVersionProc = uint32_t (*)();
    using InitializeProc = int16_t (*)(GUIData* data, uint16_t firstPage);
    using DestroyProc = int16_t (*)(GUIData* data);

    GExtensionUIManager() = default;
    ~GExtensionUIManager();
    GExtensionUIManager(const GExtensionUIManager&) = delete;
    GExtensionUIManager& operator=(const GExtensionUIManager&) = delete;

    // Loads the module by name, else by that name beside ownModule's file.
    // 1 when loaded, else 0 (with nothing held).
    int32_t Load(const RWWString& name, HMODULE ownModule);
    // UI_INITIALIZE (data, first page); 0 when nothing is loaded.
    int16_t Initialize(GUIData* data, uint16_t firstPage);
    // UI_DESTROY (data); 0 when nothing is loaded.
    int16_t Destroy(GUIData* data);
    bool IsLoaded() const { return module_ != nullptr; }
    void Unload();
    const RWWString& GetName() const { return name_; }
    uint32_t GetInterfaceVersion() const { return version_; }

private:
    // LoadLibraryW of name, else of ownModule's folder and name.
    static HMODULE LoadModule(const RWWString& name, HMODULE ownModule);
    bool Resolve();

    RWWString name_;
    HMODULE module_ = nullptr;
    uint32_t version_ = 0;
    InitializeProc initialize_ = nullptr;
    DestroyProc destroy_ = nullptr;
};
