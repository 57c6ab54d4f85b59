#pragma once
// USER stand-in: the interface is headless, so message boxes are recorded
// (and echoed to standard error) instead of shown (winapi/host/WinRecords.h).
#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1;

QV_WINAPI_API int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
