#pragma once
// Script actions (winapi/host/WinUiScript.h) for the test driver's calls, played
// against the dialog or property page the script drives.
#include <string>

#include "winapi/WinApi.h"
#include "winapi/host/WinUiScript.h"

class QV_WINAPI_API WinUiActions {
public:
    static WinUiAction Click(int id);
    static WinUiAction Select(int id, LONG_PTR index);
    static WinUiAction SelectText(int id, std::u16string text);
    static WinUiAction Type(int id, std::u16string text);
    static WinUiAction Focus(int id);
    static WinUiAction Spin(int id, int steps);
    static WinUiAction Scroll(int id, WORD code, int position = 0);
    static WinUiAction Key(int id, WPARAM key);
    static WinUiAction Help(int id);
    static WinUiAction ContextMenu(int id);
    static WinUiAction Enter();
    static WinUiAction Escape();
    static WinUiAction Wait(uint32_t milliseconds);
    static WinUiAction End(INT_PTR result);
    // Property sheets (the target is the page shown): show a page by its
    // index, or press the sheet's OK, Cancel, Apply or Help button.
    static WinUiAction ShowPage(size_t index);
    static WinUiAction SheetOk();
    static WinUiAction SheetCancel();
    static WinUiAction SheetApply();
    static WinUiAction SheetHelp();
    // Any other step of a test, with the target window.
    static WinUiAction Do(std::string description, std::function<bool(HWND target)> run);
};
