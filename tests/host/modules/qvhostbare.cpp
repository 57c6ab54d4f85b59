// A double module with DllMain and no printer-interface export: the host
// must report each export it looks for as missing. Its attach leaves the
// file that QVHOST_ATTACH_MARKER names, so a test sees that the host loads
// modules through the platform layer's loader. When QVHOST_END_AT_ATTACH
// holds a number, its attach ends the process as the module's critical
// errors do: that number as the last error, exit code 3.
#include <cstdio>
#include <cstdlib>

#include "winapi/WinError.h"
#include "winapi/WinExport.h"
#include "winapi/WinModule.h"
#include "winapi/WinProcess.h"
#include "winapi/WinThread.h"

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    const char* marker = std::getenv("QVHOST_ATTACH_MARKER");
    if (marker != nullptr) {
        if (std::FILE* file = std::fopen(marker, "w")) std::fclose(file);
    }
    if (const char* cause = std::getenv("QVHOST_END_AT_ATTACH")) {
        SetLastError(static_cast<DWORD>(std::strtoul(cause, nullptr, 0)));
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return TRUE;
}
