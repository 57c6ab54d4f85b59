#pragma once
// A companion-module loader that loads only when the printer's machine-wide
// driver data allows it. The gate is the REG_DWORD "QvrdbUpdateRequest" in
// HKEY_LOCAL_MACHINE "System\CurrentControlSet\Control\Print\Printers\" +
// printer key + "\PrinterDriverData": missing means allowed (and it is then
// created as 0, so the next load is not), 1 means allowed, anything else
// not. The printer key is the printer's name, or, when no key of that name
// exists (a connection "\\server\printer"), the name with every backslash
// made a comma.
//
// Every failure ends with the loader not loaded; nothing is reported.
#include "driver/GModuleLoader.h"

class GGatedModuleLoader : public GModuleLoader {
public:
    static constexpr const char16_t* kPrintersKey = u"System\\CurrentControlSet\\Control\\Print\\Printers\\";
    static constexpr const char16_t* kDriverDataSubkey = u"\\PrinterDriverData";
    static constexpr const char16_t* kGateValue = u"QvrdbUpdateRequest";
    static constexpr uint32_t kGateMissing = 0xFFFFFFFF;

    // Frees the module when it is loaded.
    ~GGatedModuleLoader() override;

    // 0: loads are not suppressed.
    virtual int32_t IsLoadSuppressed();
    // 1, and nothing else.
    virtual int32_t SetLoading(uint32_t flag);

    // The gated load: IsLoaded says whether it succeeded.
    void Load();
    // Loads the module path and starts it: 1 when Initialize answers 0 or
    // 1; otherwise the library is freed again and the answer is 0.
    int32_t LoadAndInitialize();
    // Frees the module when it is loaded and clears the flag.
    void Unload();

protected:
    GGatedModuleLoader(const RWWString& printerName, HANDLE printer) : GModuleLoader(printerName, printer) {}

private:
    // The printer's driver-data key, or empty when the printer has no key.
    RWWString DriverDataKey() const;
};
