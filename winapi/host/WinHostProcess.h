#pragma once
// Settings and state of the simulated process that the host program and the
// tests set or read, beside the host store's machine (winapi/host/WinHostStore.h).
#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

// Changes what CP_ACP means (winapi/WinKernel.h); the store's reset sets 1252.
QV_WINAPI_API void SetAnsiCodePageForHost(UINT codePage);

// The code page of a category's C runtime locale (winapi/WinCrtLocale.h,
// CRT_LC_COLLATE to CRT_LC_TIME); 0 for "C" and for an unknown category.
QV_WINAPI_API UINT CrtLocaleCodePage(int category);

// The process has begun to end. From then on the last FreeLibrary of a
// module neither calls its DllMain nor unloads it: as on Windows, where the
// process's end takes the modules down and a thread still running then does
// not detach them. The main thread's end marks it (its end is the
// process's), and so does the layer's exit handler.
QV_WINAPI_API void WinBeginProcessEnd();
QV_WINAPI_API bool WinProcessEnding();

// Told, when TerminateProcess ends this process, the exit code and the cause
// (the last error the caller set) just before the end. It runs on the
// terminating thread, which may have run out of memory: it must not
// allocate. SetProcessEndNotice installs one (null: none) and returns the
// one it replaces.
using WinProcessEndNotice = void (*)(UINT exitCode, DWORD cause);
QV_WINAPI_API WinProcessEndNotice SetProcessEndNotice(WinProcessEndNotice notice);
