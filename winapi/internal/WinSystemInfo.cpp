// The system as the host store describes it: version, names, languages.
#include <cstring>

#include "winapi/WinKernel.h"
#include "winapi/WinSystem.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/internal/WinTextRules.h"

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;
}

BOOL GetVersionExW(LPOSVERSIONINFOW versionInfo) {
    if (versionInfo == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD size = versionInfo->dwOSVersionInfoSize;
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    const WinOsVersion& version = store.State().osVersion;
    if (size < sizeof(OSVERSIONINFOW) || version.failingBlockSizes.count(size) != 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    versionInfo->dwMajorVersion = version.major;
    versionInfo->dwMinorVersion = version.minor;
    versionInfo->dwBuildNumber = version.build;
    versionInfo->dwPlatformId = version.platformId;
    std::memset(versionInfo->szCSDVersion, 0, sizeof versionInfo->szCSDVersion);
    std::memcpy(versionInfo->szCSDVersion, version.csdVersion.data(),
                std::min<size_t>(version.csdVersion.size(), 127) * sizeof(WCHAR));
    if (size >= sizeof(OSVERSIONINFOEXW)) {
        auto* extended = reinterpret_cast<LPOSVERSIONINFOEXW>(versionInfo);
        extended->wServicePackMajor = version.servicePackMajor;
        extended->wServicePackMinor = version.servicePackMinor;
        extended->wSuiteMask = version.suiteMask;
        extended->wProductType = version.productType;
        extended->wReserved = 0;
    }
    return TRUE;
}

DWORD GetVersion() {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    const WinOsVersion& version = store.State().osVersion;
    DWORD result = (version.major & 0xFF) | ((version.minor & 0xFF) << 8) | ((version.build & 0x7FFF) << 16);
    if (version.platformId != VER_PLATFORM_WIN32_NT) result |= 0x80000000u;
    return result;
}

BOOL GetUserNameW(LPWSTR buffer, LPDWORD size) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    return WinText::CopyOutCounted(store.State().userName, buffer, size);
}

BOOL GetComputerNameW(LPWSTR buffer, LPDWORD size) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    // Unlike the user name, a successful call reports the length without the NUL.
    if (!WinText::CopyOutCounted(store.State().computerName, buffer, size)) {
        if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) SetLastError(ERROR_BUFFER_OVERFLOW);
        return FALSE;
    }
    --*size;
    return TRUE;
}

LANGID GetSystemDefaultLangID() {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    return store.State().systemLanguage;
}

LANGID GetUserDefaultLangID() {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    return store.State().userLanguage;
}

LCID GetSystemDefaultLCID() {
    return GetSystemDefaultLangID(); // sort order 0
}

LCID GetUserDefaultLCID() {
    return GetUserDefaultLangID();
}
