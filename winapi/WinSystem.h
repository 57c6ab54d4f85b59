#pragma once
// The running system as the host store describes it: the OS version, the
// user's name, the computer's name and the default language ids.
#include "winapi/WinApi.h"
#include "winapi/WinError.h"
#include "winapi/WinTypes.h"

struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
};
using LPOSVERSIONINFOW = OSVERSIONINFOW*;
static_assert(sizeof(OSVERSIONINFOW) == 276);

struct OSVERSIONINFOEXW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
};
using LPOSVERSIONINFOEXW = OSVERSIONINFOEXW*;
static_assert(sizeof(OSVERSIONINFOEXW) == 284);

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

constexpr WORD VER_SUITE_SMALLBUSINESS = 0x0001;
constexpr WORD VER_SUITE_ENTERPRISE = 0x0002;
constexpr WORD VER_SUITE_TERMINAL = 0x0010;
constexpr WORD VER_SUITE_DATACENTER = 0x0080;
constexpr WORD VER_SUITE_PERSONAL = 0x0200;
constexpr BYTE VER_NT_WORKSTATION = 1;
constexpr BYTE VER_NT_DOMAIN_CONTROLLER = 2;
constexpr BYTE VER_NT_SERVER = 3;

// dwOSVersionInfoSize must be at least sizeof(OSVERSIONINFOW) (else
// ERROR_INSUFFICIENT_BUFFER); the extended fields are filled when it covers
// them. The store can make the call fail for chosen block sizes, to test the
// callers' fallbacks.
QV_WINAPI_API BOOL GetVersionExW(LPOSVERSIONINFOW versionInfo);
// Major version in the low byte, minor in the next, build in the high word
// with its top bit set on a system that is not NT.
QV_WINAPI_API DWORD GetVersion();

// *size in characters, the NUL included, both ways: a buffer too small gives
// FALSE, ERROR_INSUFFICIENT_BUFFER and the size needed.
QV_WINAPI_API BOOL GetUserNameW(LPWSTR buffer, LPDWORD size);
QV_WINAPI_API BOOL GetComputerNameW(LPWSTR buffer, LPDWORD size);

QV_WINAPI_API LANGID GetSystemDefaultLangID();
QV_WINAPI_API LANGID GetUserDefaultLangID();
QV_WINAPI_API LCID GetSystemDefaultLCID();
QV_WINAPI_API LCID GetUserDefaultLCID();
