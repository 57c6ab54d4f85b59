#include "winapi/internal/WinControlSupport.h"

std::shared_ptr<WinWindowObject> WinControlSupport::Window(HWND control) {
    auto hold = WinWindowManager::Instance().Lock();
    return WinWindowManager::Instance().Get(control);
}

HWND WinControlSupport::Parent(HWND control) {
    auto window = Window(control);
    return window != nullptr ? window->parent : nullptr;
}

UINT WinControlSupport::Id(HWND control) {
    auto window = Window(control);
    return window != nullptr ? window->id : 0;
}

DWORD WinControlSupport::Style(HWND control) {
    auto hold = WinWindowManager::Instance().Lock();
    auto window = WinWindowManager::Instance().Get(control);
    return window != nullptr ? window->style : 0;
}

void WinControlSupport::SetStyle(HWND control, DWORD style) {
    auto hold = WinWindowManager::Instance().Lock();
    if (auto window = WinWindowManager::Instance().Get(control)) window->style = style;
}

std::u16string WinControlSupport::Text(HWND control) {
    auto hold = WinWindowManager::Instance().Lock();
    auto window = WinWindowManager::Instance().Get(control);
    return window != nullptr ? window->text : std::u16string();
}

void WinControlSupport::SetText(HWND control, std::u16string text) {
    auto hold = WinWindowManager::Instance().Lock();
    if (auto window = WinWindowManager::Instance().Get(control)) window->text = std::move(text);
}

LRESULT WinControlSupport::NotifyParent(HWND control, WORD code) {
    const HWND parent = Parent(control);
    if (parent == nullptr) return 0;
    const auto id = static_cast<WORD>(Id(control));
    return SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

bool WinControlSupport::HandleFont(HWND control, UINT message, WPARAM wParam, LRESULT& result) {
    if (message != WM_SETFONT && message != WM_GETFONT) return false;
    auto hold = WinWindowManager::Instance().Lock();
    auto window = WinWindowManager::Instance().Get(control);
    result = 0;
    if (window == nullptr) return true;
    if (message == WM_SETFONT)
        window->font = reinterpret_cast<HFONT>(wParam);
    else
        result = reinterpret_cast<LRESULT>(window->font);
    return true;
}

bool WinControlSupport::IsUsable(HWND control) {
    auto hold = WinWindowManager::Instance().Lock();
    for (auto window = WinWindowManager::Instance().Get(control); window != nullptr;) {
        if ((window->style & WS_VISIBLE) == 0 || (window->style & WS_DISABLED) != 0) return false;
        if ((window->style & WS_CHILD) == 0 || window->parent == nullptr) return true;
        window = WinWindowManager::Instance().Get(window->parent);
    }
    return false;
}

UINT WinControlSupport::UserSelectMessage() {
    return RegisterWindowMessageW(u"QvUserSelect");
}

UINT WinControlSupport::UserTypeMessage() {
    return RegisterWindowMessageW(u"QvUserType");
}

UINT WinControlSupport::UserSpinMessage() {
    return RegisterWindowMessageW(u"QvUserSpin");
}

UINT WinControlSupport::UserScrollMessage() {
    return RegisterWindowMessageW(u"QvUserScroll");
}
