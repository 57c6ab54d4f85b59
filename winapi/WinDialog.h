#pragma once
// USER stand-in: dialogs. A dialog is built from a template of a module's
// resource data (winapi/WinDialogTemplate.h): a window of the dialog class
// "#32770" with one child window per item, sized from dialog units with
// fixed base units (6 x 13 pixels per 4 x 8 units). The dialog procedure is
// called through DefDlgProcW, which answers with DWLP_MSGRESULT when the
// procedure handles a message (the messages that answer directly excepted).
//
// Modal dialogs never block: after WM_INITDIALOG DialogBoxParamW plays the
// script the test driver queued for the template (winapi/host/WinUiDriver.h),
// one user action after the other until EndDialog is called. A dialog still
// open when its script runs out is closed as the Escape key would close it
// (WM_COMMAND IDCANCEL), and with IDCANCEL when its procedure ignores that.
#include "winapi/WinApi.h"
#include "winapi/WinMessageBox.h"
#include "winapi/WinWindow.h"

// Window extra slots of the dialog class (Get/SetWindowLongPtrW).
constexpr int DWLP_MSGRESULT = 0;
constexpr int DWLP_DLGPROC = DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT));
constexpr int DWLP_USER = DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC));
// The extra bytes the dialog class reserves for the dialog manager: 30, as
// Windows has it (a class that registers its own dialogs adds its bytes
// after these), not the end of the three slots.
constexpr int DLGWINDOWEXTRA = 30;
static_assert(DWLP_USER + static_cast<int>(sizeof(LONG_PTR)) <= DLGWINDOWEXTRA,
              "the dialog slots fit in the dialog class's extra bytes");

// Dialog styles.
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_3DLOOK = 0x04;
constexpr DWORD DS_FIXEDSYS = 0x08;
constexpr DWORD DS_CONTROL = 0x400;
constexpr DWORD DS_CENTER = 0x800;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// Default push button of a dialog.
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr WORD DC_HASDEFID = 0x534B;

// Base units of every dialog: pixels per 4 horizontal and 8 vertical units.
constexpr int kDialogBaseUnitX = 6;
constexpr int kDialogBaseUnitY = 13;

// The template is a resource id (MAKEINTRESOURCEW) of the instance's
// RT_DIALOG resources. A child dialog (DS_CONTROL or WS_CHILD) is placed
// relative to its parent's client area.
QV_WINAPI_API HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent,
                                      DLGPROC procedure, LPARAM param);
// -1 when the template cannot be found. The owner is disabled while the
// dialog runs.
QV_WINAPI_API INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure,
                                      LPARAM param);
QV_WINAPI_API BOOL EndDialog(HWND dialog, INT_PTR result);
QV_WINAPI_API LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

QV_WINAPI_API HWND GetDlgItem(HWND dialog, int id);
QV_WINAPI_API LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
QV_WINAPI_API BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
QV_WINAPI_API UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int bufferMax);
QV_WINAPI_API BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
// Leading and trailing blanks are allowed; a text that is not a number in
// range gives 0 with *translated FALSE.
QV_WINAPI_API UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
QV_WINAPI_API BOOL CheckDlgButton(HWND dialog, int id, UINT check);
QV_WINAPI_API UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks `check` and clears every other radio button with an id in
// [first, last]; no notification is sent.
QV_WINAPI_API BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
QV_WINAPI_API BOOL MapDialogRect(HWND dialog, LPRECT rect);
// MAKELONG(horizontal, vertical) base unit.
QV_WINAPI_API LONG GetDialogBaseUnits();
