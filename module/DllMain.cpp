// The module's process entry, called by the loader when the module is
// loaded (process attach) and when its last reference is freed (process
// detach). Thread attach and detach do nothing.
#include <exception>

#include "module/ModuleRuntime.h"
#include "winapi/WinExport.h"
#include "winapi/WinModule.h"
#include "winnt40/GModuleEntry.h"

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        // The runtime comes first: library errors must arrive as exceptions,
        // and every class must be known, before any module code runs.
        try {
            InitializeModuleRuntime();
        } catch (const std::exception&) {
            return FALSE;
        }
        return GModuleEntry::Instance().Attach(instance);
    case DLL_PROCESS_DETACH: {
        const BOOL detached = GModuleEntry::Instance().Detach();
        // A detach without the reserved pointer is an unload while the
        // process goes on (a process's end passes one): what the runtime
        // set up is freed with the module, or every load and unload would
        // leave the class registrations behind.
        if (reserved == nullptr) ReleaseModuleRuntime();
        return detached;
    }
    default:
        return TRUE;
    }
}
