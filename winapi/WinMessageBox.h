#pragma once
// Message boxes of the headless interface: MessageBoxW records the owner,
// text, caption and style of every box and answers with the next answer the
// test driver queued (winapi/host/WinUiDriver.h), or, with none queued, with the
// box's default button (as a user pressing Enter would). The command ids
// are those of dialog buttons as well.
#include "winapi/WinApi.h"
#include "winapi/WinUser.h"

constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDCLOSE = 8;
constexpr int IDHELP = 9;

constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;
constexpr UINT MB_SETFOREGROUND = 0x10000;
constexpr UINT MB_TOPMOST = 0x40000;
constexpr UINT MB_RIGHT = 0x80000;
constexpr UINT MB_RTLREADING = 0x100000;

// A null caption is shown (and recorded) as "Error".
QV_WINAPI_API int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
