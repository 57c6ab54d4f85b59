// The module's process entry, called by the loader when the module is
// loaded (process attach) and when its last reference is freed (process
// detach). Thread attach and detach do nothing.
#include "driver/GModuleEntry.h"
#include "winapi/WinExport.h"
#include "winapi/WinModule.h"

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return GModuleEntry::Instance().Attach(instance);
    case DLL_PROCESS_DETACH:
        return GModuleEntry::Instance().Detach();
    default:
        return TRUE;
    }
}
