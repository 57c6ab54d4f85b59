// Calls declared but not built yet: each fails with ERROR_CALL_NOT_IMPLEMENTED.
#include <cstdlib>
#pragma GCC diagnostic ignored "-Wunused-parameter"

#include "winapi/WinFile.h"
#include "winapi/WinKernel.h"
#include "winapi/WinModule.h"
#include "winapi/WinReg.h"
#include "winapi/WinRpc.h"
#include "winapi/WinSpool.h"
#include "winapi/WinSystem.h"
#include "winapi/WinThread.h"
#include "winapi/WinTime.h"
#include "winapi/WinVersion.h"

namespace {
template <typename T> T Pending(T value) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return value;
}
} // namespace

























void GetLocalTime(LPSYSTEMTIME time) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
}

void GetSystemTime(LPSYSTEMTIME time) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
}

void GetSystemTimeAsFileTime(LPFILETIME time) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
}

DWORD GetTickCount() {
    return Pending<DWORD>(0);
}

DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION zone) {
    return Pending<DWORD>(0);
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime) {
    return Pending<BOOL>(0);
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
    return Pending<BOOL>(0);
}

void Sleep(DWORD milliseconds) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
}
































HMODULE LoadLibraryW(LPCWSTR fileName) {
    return Pending<HMODULE>(nullptr);
}

HMODULE LoadLibraryA(LPCSTR fileName) {
    return Pending<HMODULE>(nullptr);
}

HMODULE LoadLibraryExW(LPCWSTR fileName, HANDLE reserved, DWORD flags) {
    return Pending<HMODULE>(nullptr);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
    return Pending<FARPROC>(nullptr);
}

BOOL FreeLibrary(HMODULE module) {
    return Pending<BOOL>(0);
}


HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    return Pending<HMODULE>(nullptr);
}

BOOL DisableThreadLibraryCalls(HMODULE module) {
    return Pending<BOOL>(0);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    return Pending<DWORD>(0);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    return Pending<DWORD>(0);
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    return Pending<int>(0);
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
    return Pending<int>(0);
}

const WinModuleResources* ModuleResources(HMODULE module) {
    return Pending<const WinModuleResources*>(nullptr);
}
































BOOL GetVersionExW(LPOSVERSIONINFOW versionInfo) {
    return Pending<BOOL>(0);
}

DWORD GetVersion() {
    return Pending<DWORD>(0);
}

BOOL GetUserNameW(LPWSTR buffer, LPDWORD size) {
    return Pending<BOOL>(0);
}

BOOL GetComputerNameW(LPWSTR buffer, LPDWORD size) {
    return Pending<BOOL>(0);
}

LANGID GetSystemDefaultLangID() {
    return Pending<LANGID>(0);
}

LANGID GetUserDefaultLangID() {
    return Pending<LANGID>(0);
}

LCID GetSystemDefaultLCID() {
    return Pending<LCID>(0);
}

LCID GetUserDefaultLCID() {
    return Pending<LCID>(0);
}

DWORD GetFileVersionInfoSizeW(LPCWSTR fileName, LPDWORD handle) {
    return Pending<DWORD>(0);
}

BOOL GetFileVersionInfoW(LPCWSTR fileName, DWORD handle, DWORD length, LPVOID data) {
    return Pending<BOOL>(0);
}

BOOL VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, LPUINT length) {
    return Pending<BOOL>(0);
}

RPC_STATUS UuidCreate(UUID* uuid) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}

RPC_STATUS UuidToStringW(const UUID* uuid, RPC_WSTR* text) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}

RPC_STATUS UuidToStringA(const UUID* uuid, RPC_CSTR* text) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}

RPC_STATUS RpcStringFreeW(RPC_WSTR* text) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}

RPC_STATUS RpcStringFreeA(RPC_CSTR* text) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}
