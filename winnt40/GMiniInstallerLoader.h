#pragma once
// The loader of the mini-installer library "VEVAROR.DLL" in the driver's
// module folder, gated by the printer's driver data: construction loads it
// and calls "InitializeMiniInstaller"; shutting down (or destruction) calls
// "KillMiniInstaller" and frees it. Both entries take (printer handle,
// printer name or null, 1) with C calling convention and answer a 32-bit
// result.
#include "winnt40/GGatedModuleLoader.h"

class GMiniInstallerLoader : public GGatedModuleLoader {
public:
    static constexpr const char16_t* kModuleName = u"VEVAROR.DLL";
    static constexpr const char* kInitializeEntry = "InitializeMiniInstaller";
    static constexpr const char* kKillEntry = "KillMiniInstaller";

    using Entry = int32_t (*)(HANDLE printer, const WCHAR* printerName, int32_t flag);

    // With no handle the printer is opened by name (and closed again at
    // destruction); a printer that cannot be opened loads nothing.
    GMiniInstallerLoader(const RWWString& printerName, HANDLE printer);
    // Shuts a loaded mini-installer down and closes a printer opened here.
    ~GMiniInstallerLoader() override;

    // "InitializeMiniInstaller" with (handle, null, 1), or, without a
    // handle, (null, printer name, 1); -1 when the entry is missing or there
    // is neither.
    int32_t Initialize() override;
    // When loaded: "KillMiniInstaller" with (handle, null, 1) when there are
    // both (else -1), then the library is freed. -1 when not loaded.
    int32_t Shutdown() override;

private:
    bool openedHere_ = false;
};
