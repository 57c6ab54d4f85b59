#pragma once
// Help of the headless interface: WinHelpA shows nothing; it records the
// window, file, command and data of each call (winapi/host/WinRecords.h), and for
// HELP_WM_HELP and HELP_CONTEXTMENU copies the {control id, help id} table
// the data points to, up to its terminating {0, 0} pair.
#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_CONTEXTPOPUP = 0x0008;
constexpr UINT HELP_CONTEXTMENU = 0x000A;
constexpr UINT HELP_FINDER = 0x000B;
constexpr UINT HELP_WM_HELP = 0x000C;

constexpr int HELPINFO_WINDOW = 0x0001;

struct HELPINFO {
    UINT cbSize;
    int iContextType;
    int iCtrlId;
    HANDLE hItemHandle;
    DWORD_PTR dwContextId;
    POINTL MousePos;
};
using LPHELPINFO = HELPINFO*;

QV_WINAPI_API BOOL WinHelpA(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data);
