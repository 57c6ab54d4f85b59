#include "config/GExtensionUIManager.h"

#include <array>
#include <string>
#include <string_view>

#include "winapi/WinModule.h"

GExtensionUIManager::~GExtensionUIManager() {
    Unload();
}

void GExtensionUIManager::Unload() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
    version_ = 0;
    initialize_ = nullptr;
    destroy_ = nullptr;
}

int32_t GExtensionUIManager::Load(const RWWString& name, HMODULE ownModule) {
    Unload();
    name_ = name;
    // The built-in plug-in page host is not part of the module yet.
    if (name.ToMultiByte() == kPluginHostName) return 0;
    module_ = LoadModule(name, ownModule);
    if (module_ == nullptr) return 0;
    if (!Resolve()) {
        Unload();
        return 0;
    }
    return 1;
}

HMODULE GExtensionUIManager::LoadModule(const RWWString& name, HMODULE ownModule) {
    if (name.Length() == 0) return nullptr;
    if (HMODULE module = LoadLibraryW(name.Data())) return module;
    std::array<WCHAR, 260> path{};
    const DWORD length = GetModuleFileNameW(ownModule, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return nullptr;
    const std::u16string_view own(path.data(), length);
    const size_t separator = own.rfind(u'\\');
    if (separator == std::u16string_view::npos) return nullptr;
    std::u16string beside(own.substr(0, separator + 1));
    beside.append(name.Data(), name.Length());
    return LoadLibraryW(beside.c_str());
}

namespace {
template <typename Proc> Proc Entry(HMODULE module, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
} // namespace

bool GExtensionUIManager::Resolve() {
    auto version = Entry<InterfaceVersionProc>(module_, "UI_INTERFACEVERSION");
    if (version == nullptr) return false;
    version_ = version();
    if (version_ != kInterfaceVersion) return false;
    initialize_ = Entry<InitializeProc>(module_, "UI_INITIALIZE");
    destroy_ = Entry<DestroyProc>(module_, "UI_DESTROY");
    return initialize_ != nullptr && destroy_ != nullptr;
}

int16_t GExtensionUIManager::Initialize(GUIData* data, uint16_t firstPage) {
    return initialize_ != nullptr ? initialize_(data, firstPage) : 0;
}

int16_t GExtensionUIManager::Destroy(GUIData* data) {
    return destroy_ != nullptr ? destroy_(data) : 0;
}
