// The application-flags module a test puts beside the driver module
// ("RUZEVE32.DLL"): its "GetAppFlags" answers the DWORD a test left under
// the tests' registry key (value "qvappflags answer"), else a fixed value,
// and notes each call in the tests' registry log.
#include <cstdint>

#include "TestModuleLog.h"
#include "winapi/WinExport.h"

namespace {
constexpr uint32_t kFixedFlags = 0x20040180;

uint32_t ChosenFlags() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, testmodule::kLogKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return kFixedFlags;
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    const LONG status = RegQueryValueExW(key, testmodule::kAppFlagsAnswer, nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value ? value : kFixedFlags;
}
} // namespace

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(u"qvappflags", reason);
    return TRUE;
}

QV_MODULE_EXPORT uint32_t GetAppFlags() {
    testmodule::Append(u"qvappflags", u"GetAppFlags");
    return ChosenFlags();
}
