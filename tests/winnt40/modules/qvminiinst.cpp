// The mini-installer a test puts in the driver's folder ("VEVAROR.DLL"): its
// entries note their arguments in the tests' registry log; the initialise
// entry answers the DWORD "MiniInstallerResult" of the log key (0 when
// missing).
#include <cstdint>

#include "tests/driver/modules/TestModuleLog.h"
#include "winapi/WinExport.h"

namespace {
constexpr const char16_t* kLog = u"qvminiinst";

// "handle" or "nohandle", the name or "noname", the flag.
std::u16string Arguments(HANDLE printer, const WCHAR* name, int32_t flag) {
    return std::u16string(printer != nullptr ? u"handle," : u"nohandle,") +
           (name != nullptr ? name : u"noname") + u"," + testmodule::Number(static_cast<uint32_t>(flag));
}

int32_t ConfiguredResult() {
    HKEY key = nullptr;
    DWORD value = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, testmodule::kLogKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD size = sizeof value;
        RegQueryValueExW(key, u"MiniInstallerResult", nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                         &size);
        RegCloseKey(key);
    }
    return static_cast<int32_t>(value);
}
} // namespace

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(kLog, reason);
    return TRUE;
}

QV_MODULE_EXPORT int32_t InitializeMiniInstaller(HANDLE printer, const WCHAR* name, int32_t flag) {
    testmodule::Append(kLog, u"init(" + Arguments(printer, name, flag) + u")");
    return ConfiguredResult();
}

QV_MODULE_EXPORT int32_t KillMiniInstaller(HANDLE printer, const WCHAR* name, int32_t flag) {
    testmodule::Append(kLog, u"kill(" + Arguments(printer, name, flag) + u")");
    return 0;
}
