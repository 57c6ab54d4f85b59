#pragma once
// One window of the headless interface. The window manager
// (winapi/internal/WinWindowManager.h) owns every window and guards these fields
// with its lock; a window procedure reaches its control state through a
// shared pointer that keeps the window alive while the procedure runs.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "winapi/internal/WinControlState.h"
#include "winapi/internal/WinDialogState.h"
#include "winapi/internal/WinWindowClass.h"

struct WinWindowObject {
    HWND handle = nullptr;
    std::shared_ptr<const WinWindowClass> windowClass;
    HWND parent = nullptr;      // child windows (WS_CHILD)
    HWND owner = nullptr;       // top-level windows
    std::vector<HWND> children; // z-order, top first (creation order)
    UINT id = 0;                // control id of a child window
    DWORD style = 0;
    DWORD exStyle = 0;
    std::u16string text;
    RECT rect{};                 // parent's client coordinates, or screen
    WNDPROC procedure = nullptr; // subclassing replaces it
    LONG_PTR userData = 0;       // GWLP_USERDATA
    std::vector<BYTE> extra;     // the class's window extra bytes
    HINSTANCE instance = nullptr;
    HFONT font = nullptr; // WM_SETFONT of controls and dialogs
    std::unique_ptr<WinControlState> control;
    std::unique_ptr<WinDialogState> dialog;
    int invalidations = 0;   // InvalidateRect and repainting moves
    uint64_t shownOrder = 0; // top-level windows: when last shown
    bool destroying = false;
};
