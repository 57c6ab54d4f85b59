#pragma once
// A registered window class: its name (matched without regard to case),
// atom, procedure, extra bytes per window and default cursor.
#include <string>

#include "winapi/WinWindow.h"

struct WinWindowClass {
    std::u16string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    bool builtIn = false; // registered by the layer; never unregistered
};
