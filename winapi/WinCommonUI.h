#pragma once
// The common property-sheet UI stand-in (compstui) and the property-page
// types it shows (comctl32).
//
// CommonPropertySheetUIW calls the sheet function with its reasons in the
// real order: BEFORE_INIT, then INIT (the function adds its pages through
// pfnComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW), GET_INFO_HEADER (title,
// flags, parent); then it shows the sheet: a frame window with OK, Cancel,
// Apply (unless PSUIHDRF_NOAPPLYNOW) and Help, holding the start page. A
// page's window is created only when the page is first shown (after its
// PSPCB_CREATE call-back), with WM_INITDIALOG carrying the sheet's copy of
// its PROPSHEETPAGEW; showing a page sends it PSN_SETACTIVE, leaving it
// PSN_KILLACTIVE (a page that answers TRUE through DWLP_MSGRESULT keeps the
// focus). The script the test driver queued for sheets is played against
// the page shown at each step (winapi/host/WinUiActions.h has the sheet's own
// actions); a sheet still open when it runs out is cancelled.
//
// OK sends PSN_KILLACTIVE to the page shown and PSN_APPLY (lParam TRUE) to
// every page created, in page order; a page answering PSNRET_INVALID or
// PSNRET_INVALID_NOCHANGEPAGE keeps the sheet open. Apply does the same
// with lParam FALSE and stays open. Cancel sends PSN_RESET to every page
// created. The sheet function then gets SET_RESULT (CPSUI_OK or
// CPSUI_CANCEL) unless a page already reported the result through
// CPSFUNC_SET_RESULT since the last apply; the windows are destroyed, every
// page with PSP_USECALLBACK gets PSPCB_RELEASE, and the function gets
// DESTROY (lParam 1: closed by OK or Cancel). The answer is CPSUI_OK or
// CPSUI_CANCEL as the sheet was closed, and *result the Result the sheet
// function left in PROPSHEETUI_INFO; a function that fails INIT or adds no
// page gives ERR_CPSUI_GETLASTERROR.
#include "winapi/WinApi.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

// Property pages.
struct PROPSHEETPAGEW;
using LPFNPSPCALLBACKW = UINT (*)(HWND window, UINT message, PROPSHEETPAGEW* page);

struct PROPSHEETPAGEW {
    DWORD dwSize;
    DWORD dwFlags;
    HINSTANCE hInstance;
    LPCWSTR pszTemplate; // a resource id (MAKEINTRESOURCEW)
    HICON hIcon;
    LPCWSTR pszTitle;
    DLGPROC pfnDlgProc;
    LPARAM lParam;
    LPFNPSPCALLBACKW pfnCallback;
    UINT* pcRefParent;
};
using LPPROPSHEETPAGEW = PROPSHEETPAGEW*;
using LPCPROPSHEETPAGEW = const PROPSHEETPAGEW*;

struct HPROPSHEETPAGE__;
using HPROPSHEETPAGE = HPROPSHEETPAGE__*;

constexpr DWORD PSP_DEFAULT = 0x0000;
constexpr DWORD PSP_DLGINDIRECT = 0x0001;
constexpr DWORD PSP_USEHICON = 0x0002;
constexpr DWORD PSP_USEICONID = 0x0004;
constexpr DWORD PSP_USETITLE = 0x0008;
constexpr DWORD PSP_RTLREADING = 0x0010;
constexpr DWORD PSP_HASHELP = 0x0020;
constexpr DWORD PSP_USEREFPARENT = 0x0040;
constexpr DWORD PSP_USECALLBACK = 0x0080;
constexpr UINT PSPCB_RELEASE = 1;
constexpr UINT PSPCB_CREATE = 2;

// Page notifications (WM_NOTIFY with a PSHNOTIFY; codes compared as int).
constexpr UINT PSN_SETACTIVE = static_cast<UINT>(-200);
constexpr UINT PSN_KILLACTIVE = static_cast<UINT>(-201);
constexpr UINT PSN_APPLY = static_cast<UINT>(-202);
constexpr UINT PSN_RESET = static_cast<UINT>(-203);
constexpr UINT PSN_HELP = static_cast<UINT>(-205);
constexpr LONG_PTR PSNRET_NOERROR = 0;
constexpr LONG_PTR PSNRET_INVALID = 1;
constexpr LONG_PTR PSNRET_INVALID_NOCHANGEPAGE = 2;

struct PSHNOTIFY {
    NMHDR hdr;
    LPARAM lParam;
};
using LPPSHNOTIFY = PSHNOTIFY*;

// Messages to the sheet's frame window.
constexpr UINT PSM_SETCURSEL = WM_USER + 101; // wParam: page index
constexpr UINT PSM_GETCURRENTPAGEHWND = WM_USER + 118;
// The frame's Apply button.
constexpr int ID_APPLY_NOW = 0x3021;

// The common property-sheet UI.
using PFNCOMPROPSHEET = LONG_PTR (*)(HANDLE comPropSheet, UINT function, LPARAM lParam1, LPARAM lParam2);

struct PROPSHEETUI_INFO {
    WORD cbSize;
    WORD Version;
    WORD Flags;
    WORD Reason;
    HANDLE hComPropSheet;
    PFNCOMPROPSHEET pfnComPropSheet;
    LPARAM lParamInit;
    ULONG_PTR UserData;
    ULONG_PTR Result;
};
using PPROPSHEETUI_INFO = PROPSHEETUI_INFO*;
using PFNPROPSHEETUI = LONG (*)(PPROPSHEETUI_INFO info, LPARAM lParam);

struct PROPSHEETUI_INFO_HEADER {
    WORD cbSize;
    WORD Flags;
    LPWSTR pTitle; // text, or a string id of hInst (MAKEINTRESOURCEW)
    HWND hWndParent;
    HINSTANCE hInst;
    union {
        HICON hIcon;
        ULONG_PTR IconID;
    };
};
using PPROPSHEETUI_INFO_HEADER = PROPSHEETUI_INFO_HEADER*;

struct SETRESULT_INFO {
    WORD cbSize;
    WORD wReserved;
    HANDLE hSetResult;
    LRESULT Result;
};
using PSETRESULT_INFO = SETRESULT_INFO*;

constexpr WORD PROPSHEETUI_INFO_VERSION = 0x0100;
constexpr WORD PSUIINFO_UNICODE = 0x0001;
constexpr WORD PROPSHEETUI_REASON_INIT = 0;
constexpr WORD PROPSHEETUI_REASON_GET_INFO_HEADER = 1;
constexpr WORD PROPSHEETUI_REASON_DESTROY = 2;
constexpr WORD PROPSHEETUI_REASON_SET_RESULT = 3;
constexpr WORD PROPSHEETUI_REASON_BEFORE_INIT = 4;
constexpr WORD PSUIHDRF_NOAPPLYNOW = 0x0002;
constexpr WORD PSUIHDRF_PROPTITLE = 0x0004;
constexpr WORD PSUIHDRF_USEHICON = 0x0008;
constexpr WORD PSUIHDRF_DEFTITLE = 0x0010;
constexpr WORD PSUIHDRF_EXACT_PTITLE = 0x0020;
constexpr UINT CPSFUNC_ADD_PROPSHEETPAGEW = 1;
constexpr UINT CPSFUNC_SET_HSTARTPAGE = 7;
constexpr UINT CPSFUNC_SET_RESULT = 9;
constexpr LONG CPSUI_CANCEL = 0;
constexpr LONG CPSUI_OK = 1;
constexpr LONG ERR_CPSUI_GETLASTERROR = -1;
constexpr ULONG_PTR IDI_CPSUI_PRINTER = 64082;

QV_WINAPI_API LONG CommonPropertySheetUIW(HWND owner, PFNPROPSHEETUI function, LPARAM lParam, LPDWORD result);
