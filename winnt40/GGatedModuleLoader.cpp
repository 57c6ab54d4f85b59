#include "winnt40/GGatedModuleLoader.h"

#include "driver/GOSFactory.h"
#include "winapi/WinModule.h"

GGatedModuleLoader::~GGatedModuleLoader() {
    Unload();
}

int32_t GGatedModuleLoader::IsLoadSuppressed() {
    return 0;
}

int32_t GGatedModuleLoader::SetLoading(uint32_t) {
    return 1;
}

RWWString GGatedModuleLoader::DriverDataKey() const {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return RWWString();
    RWWString key = RWWString(kPrintersKey) + GetPrinterName();
    if (!factory->MachineKeyExists(key)) {
        RWWString commaName = GetPrinterName();
        for (size_t i = 0; i < commaName.Length(); ++i)
            if (commaName[i] == u'\\') commaName[i] = u',';
        key = RWWString(kPrintersKey) + commaName;
        if (!factory->MachineKeyExists(key)) return RWWString();
    }
    return key + kDriverDataSubkey;
}

void GGatedModuleLoader::Load() {
    const RWWString key = DriverDataKey();
    if (key.IsNull()) return;
    GOSFactory* factory = GOSFactory::Instance();
    const uint32_t gate = factory->GetMachineDword(key, kGateValue, kGateMissing);
    if (gate == kGateMissing)
        factory->EnsureMachineDword(key, kGateValue, 0);
    else if (gate != 1)
        return;
    if (IsLoadSuppressed()) return;
    SetLoading(1);
    if (LoadAndInitialize()) {
        SetLoaded(1);
    } else {
        SetLoading(0);
        SetLoaded(0);
    }
}

int32_t GGatedModuleLoader::LoadAndInitialize() {
    HMODULE module = LoadLibraryW(GetModulePath().Data());
    if (module == nullptr) return 0;
    SetModule(module);
    const int32_t result = Initialize();
    if (result == 0 || result == 1) return 1;
    FreeLibrary(module);
    SetModule(nullptr);
    return 0;
}

void GGatedModuleLoader::Unload() {
    if (!IsLoaded()) return;
    FreeLibrary(GetModule());
    SetModule(nullptr);
    SetLoaded(0);
}
