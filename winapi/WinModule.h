#pragma once
// Modules of the platform layer. A module is a shared library the project
// builds, known by its Windows name ("RUZEVE32.DLL"): the host store keeps a
// table of names to library files and a list of module folders, where
// "NAME.DLL" is found as a file of that name, "name.so" or "libname.so"
// (without regard to case). A full Windows path is mapped like any file.
// Loading calls the module's exported DllMain when it has one; every load
// counts, and the last FreeLibrary calls DllMain to detach and unloads.
// GetProcAddress finds only what the module itself exports.
#include "winapi/WinApi.h"
#include "winapi/WinError.h"
#include "winapi/WinResource.h"
#include "winapi/WinTypes.h"

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;

constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 0x2;

// The entry a module may export under the name "DllMain".
using DllMainProc = BOOL (*)(HINSTANCE instance, DWORD reason, LPVOID reserved);

QV_WINAPI_API HMODULE LoadLibraryW(LPCWSTR fileName);
QV_WINAPI_API HMODULE LoadLibraryA(LPCSTR fileName);
// LOAD_LIBRARY_AS_DATAFILE loads for resources only: DllMain is not called.
QV_WINAPI_API HMODULE LoadLibraryExW(LPCWSTR fileName, HANDLE reserved, DWORD flags);
QV_WINAPI_API FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
QV_WINAPI_API BOOL FreeLibrary(HMODULE module);
[[noreturn]] QV_WINAPI_API void FreeLibraryAndExitThread(HMODULE module, DWORD exitCode);
// A module already loaded, by name; null (ERROR_MOD_NOT_FOUND) otherwise.
// A null name gives the host program's own handle.
QV_WINAPI_API HMODULE GetModuleHandleW(LPCWSTR moduleName);
QV_WINAPI_API BOOL DisableThreadLibraryCalls(HMODULE module);

// The module's Windows path (the host program's for a null module). A
// buffer too small gets the truncated, NUL-terminated path, the result is
// the buffer size and the last error ERROR_INSUFFICIENT_BUFFER.
QV_WINAPI_API DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
QV_WINAPI_API DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);

// The module's string table. A buffer size of 0 hands back, through buffer,
// a read-only pointer to the string itself; the result is its length.
QV_WINAPI_API int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
QV_WINAPI_API int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);
