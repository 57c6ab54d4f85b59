// The module's process entry. Attach sets up the module's own runtime; the
// rest of start-up and the detach work arrive with the driver entry code.
#include "driver/ModuleRuntime.h"
#include "winapi/WinExport.h"
#include "winapi/WinModule.h"

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    try {
        InitializeModuleRuntime();
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}
