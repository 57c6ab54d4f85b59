#pragma once
// Kernel services of the platform layer: critical sections, the ANSI code
// page conversions, the last-error value and MulDiv. Critical sections are
// recursive, as Windows' are. Threads, waits, time, files and modules have
// headers of their own (WinThread.h, WinTime.h, WinFile.h, WinModule.h).
#include <pthread.h>

#include "winapi/WinApi.h"
#include "winapi/WinError.h"
#include "winapi/WinTypes.h"

struct CRITICAL_SECTION {
    pthread_mutex_t mutex;
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

// A critical section that is ready without any call: usable from the static
// initialisers of any file, in any order, and from any thread.
#define QV_CRITICAL_SECTION_INIT                                                                             \
    { PTHREAD_RECURSIVE_MUTEX_INITIALIZER_NP }

QV_WINAPI_API void InitializeCriticalSection(LPCRITICAL_SECTION section);
QV_WINAPI_API void EnterCriticalSection(LPCRITICAL_SECTION section);
QV_WINAPI_API BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
QV_WINAPI_API void LeaveCriticalSection(LPCRITICAL_SECTION section);
QV_WINAPI_API void DeleteCriticalSection(LPCRITICAL_SECTION section);

// Code pages.
constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_PRECOMPOSED = 0x1;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;

// The ANSI code page of the (simulated) host: 1252 unless the host sets
// another (winapi/host/WinHostProcess.h).
QV_WINAPI_API UINT GetACP();
QV_WINAPI_API UINT GetOEMCP();

// Length -1 means "up to and including the terminating NUL". A zero output
// size asks for the length needed. Returns 0 on failure (SetLastError set).
QV_WINAPI_API int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR out,
                                      int outSize);
QV_WINAPI_API int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int length, LPSTR out,
                                      int outSize, LPCSTR defaultChar, LPBOOL usedDefaultChar);

// a * b / c with a 64-bit intermediate, rounded to the nearest integer (halves
// away from zero); -1 when c is 0 or the result does not fit in 32 bits.
QV_WINAPI_API int MulDiv(int a, int b, int c);
