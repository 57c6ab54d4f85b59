// A double module with DllMain and no printer-interface export: the host
// must report each export it looks for as missing. Its attach leaves the
// file that QVHOST_ATTACH_MARKER names, so a test sees that the host loads
// modules through the platform layer's loader.
#include <cstdio>
#include <cstdlib>

#include "winapi/WinExport.h"
#include "winapi/WinModule.h"

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    const char* marker = std::getenv("QVHOST_ATTACH_MARKER");
    if (reason == DLL_PROCESS_ATTACH && marker != nullptr) {
        if (std::FILE* file = std::fopen(marker, "w")) std::fclose(file);
    }
    return TRUE;
}
