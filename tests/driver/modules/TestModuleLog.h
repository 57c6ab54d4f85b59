#pragma once
// The double modules write what happens to them into the shared registry,
// where the tests read it: HKEY_CURRENT_USER "Software\QVTest", value named
// after the module, a REG_SZ of events each followed by ';'.
#include <string>
#include <vector>

#include "winapi/WinModule.h"
#include "winapi/WinReg.h"

namespace testmodule {

inline constexpr const char16_t* kLogKey = u"Software\\QVTest";
// The value under kLogKey (REG_DWORD) that the application-flags module
// answers instead of its fixed flags.
inline constexpr const char16_t* kAppFlagsAnswer = u"qvappflags answer";

// The module's log so far; empty when it has none.
inline std::u16string Read(const char16_t* module) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kLogKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return u"";
    std::u16string log;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, module, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        std::vector<char16_t> units(size / 2 + 1, 0);
        if (RegQueryValueExW(key, module, nullptr, &type, reinterpret_cast<BYTE*>(units.data()), &size) ==
            ERROR_SUCCESS)
            log = units.data();
    }
    RegCloseKey(key);
    return log;
}

inline void Append(const char16_t* module, const std::u16string& event) {
    const std::u16string log = Read(module) + event + u";";
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kLogKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, module, 0, REG_SZ, reinterpret_cast<const BYTE*>(log.c_str()),
                   static_cast<DWORD>((log.size() + 1) * 2));
    RegCloseKey(key);
}

inline void LogAttachDetach(const char16_t* module, DWORD reason) {
    if (reason == DLL_PROCESS_ATTACH) Append(module, u"attach");
    if (reason == DLL_PROCESS_DETACH) Append(module, u"detach");
}

inline std::u16string Number(uint32_t value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace testmodule
