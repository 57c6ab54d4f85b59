// A resource library that takes its time to load: its attach waits 2 ms,
// which opens the window in which another thread could find the library
// counted but not yet loaded.
#include <chrono>
#include <thread>

#include "winapi/WinExport.h"
#include "winapi/WinModule.h"

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return TRUE;
}
