#pragma once
// The base of the loaders of companion modules: a library found beside the
// driver that the driver loads for one printer, starts, and later shuts
// down and frees. The record's fields are the loader's: the name is the
// printer name, the first number the printer handle, the state number the
// loaded flag, the second string the module path and the third number the
// module handle.
#include "driver/GRegistryRecord.h"
#include "winapi/WinTypes.h"

class GModuleLoader : public GRegistryRecord {
public:
    ~GModuleLoader() override;

    // 1 while the module is loaded and started.
    uint32_t IsLoaded() const { return GetSecondNumber(); }

    const RWWString& GetPrinterName() const { return GetName(); }
    HANDLE GetPrinterHandle() const { return reinterpret_cast<HANDLE>(GetFirstNumber()); }
    const RWWString& GetModulePath() const { return GetSecondString(); }
    HMODULE GetModule() const { return reinterpret_cast<HMODULE>(GetThirdNumber()); }

protected:
    // Not loaded, no module path, no module.
    GModuleLoader(const RWWString& printerName, HANDLE printer);

    void SetPrinterHandle(HANDLE printer) { SetFirstNumber(reinterpret_cast<uintptr_t>(printer)); }
    void SetLoaded(uint32_t loaded) { SetStateNumber(loaded); }
    void SetModulePath(const RWWString& path) { SetSecondString(path); }
    void SetModule(HMODULE module) { SetThirdNumber(reinterpret_cast<uintptr_t>(module)); }
};
