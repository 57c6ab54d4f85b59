// A double module whose DllMain refuses the attach; it records the detach
// that follows.
#include "winapi/WinExport.h"
#include "winapi/WinModule.h"
#include "winapi/WinReg.h"

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) return FALSE;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\QvRefuse", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        const DWORD one = 1;
        RegSetValueExW(key, u"Detached", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
        RegCloseKey(key);
    }
    return TRUE;
}
