#pragma once
// USER stand-in: windows and messages. The interface is headless: a window
// is an object behind an opaque handle that keeps its class, text, styles,
// rectangle, state and procedure, and SendMessageW calls that procedure
// synchronously. Rectangles are in pixels: a child window's relative to its
// parent's client area, a top-level window's in screen coordinates; windows
// have no frame, so a window's client area is its whole rectangle. Timers run
// on the platform layer's clock and are delivered when the clock is advanced
// through the test driver (winapi/host/WinUiDriver.h) or a script's wait.
#include "winapi/WinApi.h"
#include "winapi/WinGdiHandles.h"
#include "winapi/WinGeometry.h"
#include "winapi/WinTypes.h"

struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HMENU__;
using HMENU = HMENU__*;
using ATOM = WORD;

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using DLGPROC = INT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
using TIMERPROC = void (*)(HWND window, UINT message, UINT_PTR id, DWORD time);

// Integer resource ids and atoms passed where a name is expected.
inline LPCWSTR MAKEINTRESOURCEW(WORD id) {
    return reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(id));
}
inline bool IS_INTRESOURCE(LPCWSTR name) {
    return (reinterpret_cast<uintptr_t>(name) >> 16) == 0;
}
inline LPCWSTR MAKEINTATOM(ATOM atom) {
    return MAKEINTRESOURCEW(atom);
}

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_MEASUREITEM = 0x002C;
constexpr UINT WM_DELETEITEM = 0x002D;
constexpr UINT WM_VKEYTOITEM = 0x002E;
constexpr UINT WM_CHARTOITEM = 0x002F;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETFONT = 0x0031;
constexpr UINT WM_COMPAREITEM = 0x0039;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_HELP = 0x0053;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
constexpr UINT WM_CTLCOLORBTN = 0x0135;
constexpr UINT WM_CTLCOLORDLG = 0x0136;
constexpr UINT WM_CTLCOLORSCROLLBAR = 0x0137;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_PRINTCLIENT = 0x0318;
constexpr UINT WM_USER = 0x0400;

// Default position and size of CreateWindowExW.
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;

// Window slots of Get/SetWindowLongPtrW.
constexpr int GWLP_WNDPROC = -4;
constexpr int GWLP_HINSTANCE = -6;
constexpr int GWLP_HWNDPARENT = -8;
constexpr int GWLP_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// SetWindowPos flags and z-order positions.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(uintptr_t{1});

// GetWindow relations.
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;

// Mouse and keys.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr UINT HTNOWHERE = 0;
constexpr UINT HTCLIENT = 1;
constexpr WPARAM VK_BACK = 0x08;
constexpr WPARAM VK_TAB = 0x09;
constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_SPACE = 0x20;
constexpr WPARAM VK_PRIOR = 0x21;
constexpr WPARAM VK_NEXT = 0x22;
constexpr WPARAM VK_END = 0x23;
constexpr WPARAM VK_HOME = 0x24;
constexpr WPARAM VK_LEFT = 0x25;
constexpr WPARAM VK_UP = 0x26;
constexpr WPARAM VK_RIGHT = 0x27;
constexpr WPARAM VK_DOWN = 0x28;
constexpr WPARAM VK_DELETE = 0x2E;
constexpr WPARAM VK_F1 = 0x70;

// WM_GETDLGCODE answers.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_STATIC = 0x0100;
constexpr LRESULT DLGC_BUTTON = 0x2000;

// Predefined cursors (LoadCursorW with a null instance).
inline LPCWSTR const IDC_ARROW = MAKEINTRESOURCEW(32512);
inline LPCWSTR const IDC_IBEAM = MAKEINTRESOURCEW(32513);
inline LPCWSTR const IDC_WAIT = MAKEINTRESOURCEW(32514);
inline LPCWSTR const IDC_HAND = MAKEINTRESOURCEW(32649);

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
};

struct CREATESTRUCTW {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};

struct WINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};

// Classes and windows. A class name is matched without regard to case; the
// controls' classes ("Button", "Static", "Edit", "ComboBox", "ListBox",
// "ScrollBar", "msctls_updown32", "msctls_trackbar32") and the dialog class
// "#32770" are registered by the layer.
QV_WINAPI_API ATOM RegisterClassW(const WNDCLASSW* windowClass);
QV_WINAPI_API BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
// For a child window (WS_CHILD) the menu argument is its control id.
QV_WINAPI_API HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                                   int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                   LPVOID param);
// WM_DESTROY goes to the window first (its children still exist), then to
// its children as they are destroyed.
QV_WINAPI_API BOOL DestroyWindow(HWND window);
QV_WINAPI_API BOOL IsWindow(HWND window);
QV_WINAPI_API BOOL IsChild(HWND parent, HWND window);
// A child window's parent; a pop-up window's owner; null for others.
QV_WINAPI_API HWND GetParent(HWND window);
QV_WINAPI_API HWND GetWindow(HWND window, UINT relation);
QV_WINAPI_API HWND GetDesktopWindow();
// A window's first child; for the desktop (or null), the top-level window
// shown most recently.
QV_WINAPI_API HWND GetTopWindow(HWND window);
// Top-level windows by class name and title, either may be null (any).
QV_WINAPI_API HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
QV_WINAPI_API int GetClassNameW(HWND window, LPWSTR buffer, int bufferMax);
// The same name gives the same id (0xC000-0xFFFF); 0 for an empty name.
QV_WINAPI_API UINT RegisterWindowMessageW(LPCWSTR name);

QV_WINAPI_API LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
QV_WINAPI_API LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
QV_WINAPI_API LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam);

// Slots: the GWL*/GWLP* values above and, from offset 0, the class's
// window extra bytes (dialogs: the DWLP_* slots of winapi/WinDialog.h).
QV_WINAPI_API LONG_PTR GetWindowLongPtrW(HWND window, int index);
QV_WINAPI_API LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
QV_WINAPI_API LONG GetWindowLongW(HWND window, int index);
QV_WINAPI_API LONG SetWindowLongW(HWND window, int index, LONG value);

QV_WINAPI_API BOOL SetWindowTextW(HWND window, LPCWSTR text);
QV_WINAPI_API int GetWindowTextW(HWND window, LPWSTR buffer, int bufferMax);
QV_WINAPI_API int GetWindowTextLengthW(HWND window);

// EnableWindow returns whether the window was disabled before;
// IsWindowEnabled answers the window's own state.
QV_WINAPI_API BOOL EnableWindow(HWND window, BOOL enable);
QV_WINAPI_API BOOL IsWindowEnabled(HWND window);
// ShowWindow returns whether the window was visible before; a window is
// visible when it and all its parents have WS_VISIBLE.
QV_WINAPI_API BOOL ShowWindow(HWND window, int command);
QV_WINAPI_API BOOL IsWindowVisible(HWND window);

QV_WINAPI_API BOOL GetClientRect(HWND window, LPRECT rect);
QV_WINAPI_API BOOL GetWindowRect(HWND window, LPRECT rect);
QV_WINAPI_API BOOL ClientToScreen(HWND window, LPPOINT point);
QV_WINAPI_API BOOL ScreenToClient(HWND window, LPPOINT point);
QV_WINAPI_API int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
QV_WINAPI_API BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                                UINT flags);
QV_WINAPI_API BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
QV_WINAPI_API BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
QV_WINAPI_API BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);
// The child (hidden and disabled ones included) under a point of the
// window's client area, the window itself when no child is there, null when
// the point lies outside.
QV_WINAPI_API HWND ChildWindowFromPoint(HWND parent, POINT point);
// Headless: counted per window (see WinUiDriver::Invalidations).
QV_WINAPI_API BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
QV_WINAPI_API BOOL UpdateWindow(HWND window);

QV_WINAPI_API HWND SetFocus(HWND window);
QV_WINAPI_API HWND GetFocus();
// The cursor position is the test driver's (screen coordinates).
QV_WINAPI_API BOOL GetCursorPos(LPPOINT point);
QV_WINAPI_API BOOL SetCursorPos(int x, int y);
// Predefined cursors (null instance) and cursor resources of a module.
QV_WINAPI_API HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
QV_WINAPI_API HCURSOR SetCursor(HCURSOR cursor);
QV_WINAPI_API HCURSOR GetCursor();

// Timers on the platform layer's clock (winapi/WinTime.h). A null window
// gets a fresh id; the same window and id replace the earlier timer.
QV_WINAPI_API UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
QV_WINAPI_API BOOL KillTimer(HWND window, UINT_PTR id);

QV_WINAPI_API int GetDlgCtrlID(HWND window);
