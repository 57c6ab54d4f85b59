// USER stand-in: windows, classes, messages, geometry, focus, cursors and
// timers over the window manager.
#include <algorithm>
#include <cstring>
#include <utility>

#include "winapi/WinError.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/internal/WinResourceLookup.h"
#include "winapi/internal/WinTextRules.h"
#include "winapi/internal/WinWindowManager.h"

namespace {
template <typename T> T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

WinWindowManager& Manager() {
    return WinWindowManager::Instance();
}

uint64_t Now() {
    return WinHostStore::Instance().Clock().TickMilliseconds();
}

bool IsChildWindow(const WinWindowObject& window) {
    return (window.style & WS_CHILD) != 0 && window.parent != nullptr;
}

// The window's client origin in screen coordinates (lock held).
POINT ScreenOrigin(const WinWindowManager& manager, HWND handle) {
    POINT origin{0, 0};
    for (auto window = manager.Get(handle); window != nullptr; window = manager.Get(window->parent)) {
        origin.x += window->rect.left;
        origin.y += window->rect.top;
        if (window->parent == nullptr) break;
    }
    return origin;
}

std::vector<HWND> Siblings(const WinWindowManager& manager, const WinWindowObject& window) {
    if (auto parent = manager.Get(window.parent)) return parent->children;
    return manager.TopLevelWindows();
}

void Restack(WinWindowManager& manager, WinWindowObject& window, HWND insertAfter) {
    auto parent = manager.Get(window.parent);
    if (parent == nullptr) return;
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window.handle), siblings.end());
    if (insertAfter == HWND_TOP) {
        siblings.insert(siblings.begin(), window.handle);
    } else if (insertAfter == HWND_BOTTOM) {
        siblings.push_back(window.handle);
    } else {
        auto at = std::find(siblings.begin(), siblings.end(), insertAfter);
        siblings.insert(at == siblings.end() ? at : at + 1, window.handle);
    }
}

LRESULT CopyText(const std::u16string& text, WPARAM bufferMax, LPARAM buffer) {
    auto* out = reinterpret_cast<WCHAR*>(buffer);
    if (out == nullptr || bufferMax == 0) return 0;
    const size_t copied = std::min<size_t>(text.size(), bufferMax - 1);
    std::memcpy(out, text.data(), copied * sizeof(WCHAR));
    out[copied] = 0;
    return static_cast<LRESULT>(copied);
}
} // namespace

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
        windowClass->lpfnWndProc == nullptr || windowClass->cbWndExtra < 0 || windowClass->cbWndExtra > 4096)
        return Fail<ATOM>(ERROR_INVALID_PARAMETER, 0);
    WinWindowClass entry;
    entry.name = std::u16string(WinText::View(windowClass->lpszClassName));
    entry.style = windowClass->style;
    entry.procedure = windowClass->lpfnWndProc;
    entry.windowExtra = windowClass->cbWndExtra;
    entry.instance = windowClass->hInstance;
    entry.cursor = windowClass->hCursor;
    entry.background = windowClass->hbrBackground;
    auto hold = Manager().Lock();
    const ATOM atom = Manager().AddClass(std::move(entry));
    return atom != 0 ? atom : Fail<ATOM>(ERROR_CLASS_ALREADY_EXISTS, 0);
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
    auto hold = Manager().Lock();
    return Manager().RemoveClass(className) ? TRUE : Fail(ERROR_CANNOT_FIND_WND_CLASS, FALSE);
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    auto window = std::make_shared<WinWindowObject>();
    {
        auto hold = Manager().Lock();
        window->windowClass = Manager().FindClass(className);
        if (window->windowClass == nullptr) return Fail<HWND>(ERROR_CANNOT_FIND_WND_CLASS, nullptr);
        if (parent != nullptr && Manager().Get(parent) == nullptr)
            return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
        if ((style & WS_CHILD) != 0) {
            if (parent == nullptr) return Fail<HWND>(ERROR_TLW_WITH_WSCHILD, nullptr);
            window->parent = parent;
            window->id = static_cast<UINT>(reinterpret_cast<uintptr_t>(menu));
        } else {
            window->owner = parent;
        }
        if (x == CW_USEDEFAULT) x = y = 0;
        if (width == CW_USEDEFAULT) {
            width = 320;
            height = 240;
        }
        window->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
        window->style = style;
        window->exStyle = exStyle;
        window->text = std::u16string(WinText::View(windowName));
        window->procedure = window->windowClass->procedure;
        window->extra.assign(static_cast<size_t>(window->windowClass->windowExtra), 0);
        window->instance = instance;
        if ((style & (WS_CHILD | WS_VISIBLE)) == WS_VISIBLE) window->shownOrder = Manager().NextShownOrder();
        Manager().Add(window);
    }
    const HWND handle = window->handle;
    CREATESTRUCTW create{param,
                         instance,
                         menu,
                         parent,
                         static_cast<int>(window->rect.bottom - window->rect.top),
                         static_cast<int>(window->rect.right - window->rect.left),
                         static_cast<int>(window->rect.top),
                         static_cast<int>(window->rect.left),
                         static_cast<LONG>(style),
                         windowName,
                         className,
                         exStyle};
    if (SendMessageW(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == 0) {
        auto hold = Manager().Lock();
        Manager().Remove(handle);
        return Fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
    }
    if (SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return Fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
    }
    return handle;
}

BOOL DestroyWindow(HWND handle) {
    std::vector<HWND> children, owned;
    {
        auto hold = Manager().Lock();
        auto window = Manager().Get(handle);
        if (window == nullptr || handle == Manager().Desktop())
            return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
        if (window->destroying) return TRUE;
        window->destroying = true;
        for (HWND focus = Manager().Focus(); focus != nullptr;) {
            if (focus == handle) {
                Manager().SetFocusWindow(nullptr);
                break;
            }
            auto ancestor = Manager().Get(focus);
            focus = ancestor != nullptr ? ancestor->parent : nullptr;
        }
        children = window->children;
        for (HWND top : Manager().TopLevelWindows())
            if (auto other = Manager().Get(top); other != nullptr && other->owner == handle)
                owned.push_back(top);
    }
    for (HWND other : owned)
        DestroyWindow(other);
    SendMessageW(handle, WM_DESTROY, 0, 0);
    for (HWND child : children)
        DestroyWindow(child);
    SendMessageW(handle, WM_NCDESTROY, 0, 0);
    auto hold = Manager().Lock();
    Manager().Remove(handle);
    return TRUE;
}

BOOL IsWindow(HWND window) {
    auto hold = Manager().Lock();
    return window != nullptr && Manager().Get(window) != nullptr ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND window) {
    auto hold = Manager().Lock();
    for (auto current = Manager().Get(window); current != nullptr && IsChildWindow(*current);) {
        if (current->parent == parent) return TRUE;
        current = Manager().Get(current->parent);
    }
    return FALSE;
}

HWND GetParent(HWND handle) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    if (IsChildWindow(*window)) return window->parent;
    return (window->style & WS_POPUP) != 0 ? window->owner : nullptr;
}

HWND GetWindow(HWND handle, UINT relation) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    if (relation == GW_CHILD) return window->children.empty() ? nullptr : window->children.front();
    if (relation == GW_OWNER) return window->owner;
    const std::vector<HWND> siblings = Siblings(Manager(), *window);
    if (siblings.empty()) return nullptr;
    if (relation == GW_HWNDFIRST) return siblings.front();
    if (relation == GW_HWNDLAST) return siblings.back();
    auto at = std::find(siblings.begin(), siblings.end(), handle);
    if (at == siblings.end()) return nullptr;
    if (relation == GW_HWNDNEXT) return at + 1 != siblings.end() ? *(at + 1) : nullptr;
    if (relation == GW_HWNDPREV) return at != siblings.begin() ? *(at - 1) : nullptr;
    return Fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
}

HWND GetDesktopWindow() {
    auto hold = Manager().Lock();
    return Manager().Desktop();
}

HWND GetTopWindow(HWND handle) {
    auto hold = Manager().Lock();
    if (handle != nullptr && handle != Manager().Desktop()) {
        auto window = Manager().Get(handle);
        if (window == nullptr) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
        return window->children.empty() ? nullptr : window->children.front();
    }
    HWND top = nullptr;
    uint64_t latest = 0;
    for (HWND candidate : Manager().TopLevelWindows()) {
        auto window = Manager().Get(candidate);
        if (window != nullptr && (window->style & WS_VISIBLE) != 0 && window->shownOrder >= latest) {
            latest = window->shownOrder;
            top = candidate;
        }
    }
    return top;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
    auto hold = Manager().Lock();
    for (HWND candidate : Manager().TopLevelWindows()) {
        auto window = Manager().Get(candidate);
        if (window == nullptr || window->destroying) continue;
        if (className != nullptr) {
            if (IS_INTRESOURCE(className)) {
                if (window->windowClass->atom != static_cast<ATOM>(reinterpret_cast<uintptr_t>(className)))
                    continue;
            } else if (!WinText::EqualNoCase(window->windowClass->name, WinText::View(className))) {
                continue;
            }
        }
        if (windowName != nullptr && !WinText::EqualNoCase(window->text, WinText::View(windowName))) continue;
        return candidate;
    }
    return nullptr;
}

int GetClassNameW(HWND handle, LPWSTR buffer, int bufferMax) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
    if (bufferMax <= 0) return 0;
    return static_cast<int>(CopyText(window->windowClass->name, static_cast<WPARAM>(bufferMax),
                                     reinterpret_cast<LPARAM>(buffer)));
}

UINT RegisterWindowMessageW(LPCWSTR name) {
    auto hold = Manager().Lock();
    const UINT id = Manager().RegisterMessage(WinText::View(name));
    return id != 0 ? id : Fail<UINT>(ERROR_INVALID_PARAMETER, 0);
}

LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC procedure = nullptr;
    std::shared_ptr<WinWindowObject> keep; // alive for the call, even when destroyed by it
    {
        auto hold = Manager().Lock();
        keep = Manager().Get(handle);
        if (keep == nullptr) return Fail<LRESULT>(ERROR_INVALID_WINDOW_HANDLE, 0);
        procedure = keep->procedure;
    }
    return procedure != nullptr ? procedure(handle, message, wParam, lParam) : 0;
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT DefWindowProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND parent = nullptr;
    HCURSOR classCursor = nullptr;
    {
        auto hold = Manager().Lock();
        auto window = Manager().Get(handle);
        if (window == nullptr) return 0;
        if (IsChildWindow(*window)) parent = window->parent;
        classCursor = window->windowClass->cursor;
        switch (message) {
        case WM_NCCREATE:
            return TRUE;
        case WM_SETTEXT:
            window->text = std::u16string(WinText::View(reinterpret_cast<LPCWSTR>(lParam)));
            return TRUE;
        case WM_GETTEXT:
            return CopyText(window->text, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(window->text.size());
        default:
            break;
        }
    }
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(handle);
        return 0;
    case WM_HELP:
    case WM_CONTEXTMENU:
        // A child passes help requests and context menus on to its parent.
        return parent != nullptr ? SendMessageW(parent, message, wParam, lParam) : 0;
    case WM_SETCURSOR:
        if (parent != nullptr && SendMessageW(parent, WM_SETCURSOR, wParam, lParam) != 0) return TRUE;
        if (LOWORD(static_cast<DWORD>(lParam)) == HTCLIENT && classCursor != nullptr) SetCursor(classCursor);
        return FALSE;
    default:
        return 0;
    }
}

LONG_PTR GetWindowLongPtrW(HWND handle, int index) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr) return Fail<LONG_PTR>(ERROR_INVALID_WINDOW_HANDLE, 0);
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(IsChildWindow(*window) ? window->parent : window->owner);
    case GWLP_ID:
        return static_cast<LONG_PTR>(window->id);
    case GWL_STYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(window->style));
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(window->exStyle));
    case GWLP_USERDATA:
        return window->userData;
    default:
        break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extra.size())
        return Fail<LONG_PTR>(ERROR_INVALID_INDEX, 0);
    LONG_PTR value = 0;
    std::memcpy(&value, window->extra.data() + index, sizeof value);
    return value;
}

namespace {

// A window field set from a window long: the value it held, as a long.
template <class Pointer> LONG_PTR ExchangePointer(Pointer& field, LONG_PTR value) {
    return reinterpret_cast<LONG_PTR>(std::exchange(field, reinterpret_cast<Pointer>(value)));
}

template <class Integer> Integer ExchangeInteger(Integer& field, LONG_PTR value) {
    return std::exchange(field, static_cast<Integer>(value));
}

} // namespace

LONG_PTR SetWindowLongPtrW(HWND handle, int index, LONG_PTR value) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr) return Fail<LONG_PTR>(ERROR_INVALID_WINDOW_HANDLE, 0);
    switch (index) {
    case GWLP_WNDPROC:
        return ExchangePointer(window->procedure, value);
    case GWLP_HINSTANCE:
        return ExchangePointer(window->instance, value);
    case GWLP_ID:
        return static_cast<LONG_PTR>(ExchangeInteger(window->id, value));
    case GWL_STYLE: // styles read back as signed 32-bit words
        return static_cast<LONG>(ExchangeInteger(window->style, value));
    case GWL_EXSTYLE:
        return static_cast<LONG>(ExchangeInteger(window->exStyle, value));
    case GWLP_USERDATA:
        return std::exchange(window->userData, value);
    default:
        break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extra.size())
        return Fail<LONG_PTR>(ERROR_INVALID_INDEX, 0);
    LONG_PTR previous = 0;
    std::memcpy(&previous, window->extra.data() + index, sizeof previous);
    std::memcpy(window->extra.data() + index, &value, sizeof value);
    return previous;
}

LONG GetWindowLongW(HWND handle, int index) {
    if (index >= 0) {
        auto hold = Manager().Lock();
        auto window = Manager().Get(handle);
        if (window == nullptr) return Fail<LONG>(ERROR_INVALID_WINDOW_HANDLE, 0);
        if (static_cast<size_t>(index) + sizeof(LONG) > window->extra.size())
            return Fail<LONG>(ERROR_INVALID_INDEX, 0);
        LONG value = 0;
        std::memcpy(&value, window->extra.data() + index, sizeof value);
        return value;
    }
    return static_cast<LONG>(GetWindowLongPtrW(handle, index));
}

LONG SetWindowLongW(HWND handle, int index, LONG value) {
    if (index >= 0) {
        auto hold = Manager().Lock();
        auto window = Manager().Get(handle);
        if (window == nullptr) return Fail<LONG>(ERROR_INVALID_WINDOW_HANDLE, 0);
        if (static_cast<size_t>(index) + sizeof(LONG) > window->extra.size())
            return Fail<LONG>(ERROR_INVALID_INDEX, 0);
        LONG previous = 0;
        std::memcpy(&previous, window->extra.data() + index, sizeof previous);
        std::memcpy(window->extra.data() + index, &value, sizeof value);
        return previous;
    }
    return static_cast<LONG>(SetWindowLongPtrW(handle, index, value));
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
    if (!IsWindow(window)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowTextW(HWND window, LPWSTR buffer, int bufferMax) {
    if (buffer == nullptr || bufferMax <= 0) return 0;
    buffer[0] = 0;
    if (!IsWindow(window)) return Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
    return static_cast<int>(
        SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(bufferMax), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND window) {
    if (!IsWindow(window)) return Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
    return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL EnableWindow(HWND handle, BOOL enable) {
    bool wasDisabled = false;
    {
        auto hold = Manager().Lock();
        auto window = Manager().Get(handle);
        if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
        wasDisabled = (window->style & WS_DISABLED) != 0;
        if (wasDisabled == (enable == FALSE)) return wasDisabled ? TRUE : FALSE;
        if (enable != FALSE)
            window->style &= ~WS_DISABLED;
        else
            window->style |= WS_DISABLED;
    }
    SendMessageW(handle, WM_ENABLE, enable != FALSE ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND handle) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    return window != nullptr && (window->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL ShowWindow(HWND handle, int command) {
    const bool show = command != SW_HIDE;
    bool wasVisible = false;
    {
        auto hold = Manager().Lock();
        auto window = Manager().Get(handle);
        if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
        wasVisible = (window->style & WS_VISIBLE) != 0;
        if (show && !IsChildWindow(*window)) window->shownOrder = Manager().NextShownOrder();
        if (wasVisible == show) return wasVisible ? TRUE : FALSE;
        if (show)
            window->style |= WS_VISIBLE;
        else
            window->style &= ~WS_VISIBLE;
    }
    SendMessageW(handle, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND handle) {
    auto hold = Manager().Lock();
    for (auto window = Manager().Get(handle); window != nullptr;) {
        if ((window->style & WS_VISIBLE) == 0) return FALSE;
        if (!IsChildWindow(*window)) return TRUE;
        window = Manager().Get(window->parent);
    }
    return FALSE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr || rect == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    *rect = {0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    return TRUE;
}

BOOL GetWindowRect(HWND handle, LPRECT rect) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr || rect == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    const POINT origin = ScreenOrigin(Manager(), handle);
    *rect = {origin.x, origin.y, origin.x + window->rect.right - window->rect.left,
             origin.y + window->rect.bottom - window->rect.top};
    return TRUE;
}

BOOL ClientToScreen(HWND handle, LPPOINT point) {
    auto hold = Manager().Lock();
    if (Manager().Get(handle) == nullptr || point == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    const POINT origin = ScreenOrigin(Manager(), handle);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND handle, LPPOINT point) {
    auto hold = Manager().Lock();
    if (Manager().Get(handle) == nullptr || point == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    const POINT origin = ScreenOrigin(Manager(), handle);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    auto hold = Manager().Lock();
    const POINT a = from != nullptr ? ScreenOrigin(Manager(), from) : POINT{0, 0};
    const POINT b = to != nullptr ? ScreenOrigin(Manager(), to) : POINT{0, 0};
    const LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    {
        auto hold = Manager().Lock();
        auto window = Manager().Get(handle);
        if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
        const LONG w = window->rect.right - window->rect.left, h = window->rect.bottom - window->rect.top;
        if ((flags & SWP_NOMOVE) == 0) window->rect = {x, y, x + w, y + h};
        if ((flags & SWP_NOSIZE) == 0) {
            window->rect.right = window->rect.left + std::max(width, 0);
            window->rect.bottom = window->rect.top + std::max(height, 0);
        }
        if ((flags & SWP_NOZORDER) == 0) Restack(Manager(), *window, insertAfter);
        if ((flags & SWP_NOREDRAW) == 0) ++window->invalidations;
    }
    if ((flags & SWP_SHOWWINDOW) != 0) ShowWindow(handle, SW_SHOWNA);
    if ((flags & SWP_HIDEWINDOW) != 0) ShowWindow(handle, SW_HIDE);
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL GetWindowPlacement(HWND handle, WINDOWPLACEMENT* placement) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr || placement == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    *placement = {};
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->showCmd = (window->style & WS_VISIBLE) != 0 ? SW_SHOWNORMAL : SW_HIDE;
    placement->ptMinPosition = {-1, -1};
    placement->ptMaxPosition = {-1, -1};
    placement->rcNormalPosition = window->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement) {
    if (placement == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    const RECT& r = placement->rcNormalPosition;
    if (!SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER))
        return FALSE;
    ShowWindow(window, static_cast<int>(placement->showCmd));
    return TRUE;
}

HWND ChildWindowFromPoint(HWND handle, POINT point) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    const RECT client{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    if (!PtInRect(&client, point)) return nullptr;
    for (HWND child : window->children)
        if (auto object = Manager().Get(child); object != nullptr && PtInRect(&object->rect, point))
            return child;
    return handle;
}

BOOL InvalidateRect(HWND handle, const RECT*, BOOL) {
    auto hold = Manager().Lock();
    if (handle == nullptr) return TRUE;
    auto window = Manager().Get(handle);
    if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    ++window->invalidations;
    return TRUE;
}

BOOL UpdateWindow(HWND window) {
    return IsWindow(window) ? TRUE : Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
}

HWND SetFocus(HWND window) {
    HWND previous = nullptr;
    {
        auto hold = Manager().Lock();
        if (window != nullptr && Manager().Get(window) == nullptr)
            return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
        previous = Manager().Focus();
        if (previous == window) return previous;
        Manager().SetFocusWindow(window);
    }
    if (previous != nullptr && IsWindow(previous))
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (window != nullptr) SendMessageW(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND GetFocus() {
    auto hold = Manager().Lock();
    return Manager().Focus();
}

BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    auto hold = Manager().Lock();
    *point = Manager().CursorPosition();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    auto hold = Manager().Lock();
    Manager().SetCursorPosition({x, y});
    return TRUE;
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    if (!IS_INTRESOURCE(name)) return Fail<HCURSOR>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
    const auto id = reinterpret_cast<uintptr_t>(name);
    if (instance == nullptr) {
        if (id < 32512 || id > 32651) return Fail<HCURSOR>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
    } else if (WinResourceLookup::Find(instance, RT_CURSOR, static_cast<UINT>(id)) == nullptr) {
        return Fail<HCURSOR>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
    }
    auto hold = Manager().Lock();
    return Manager().CursorHandle(instance, id);
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto hold = Manager().Lock();
    const HCURSOR previous = Manager().Cursor();
    Manager().SetCursorHandle(cursor);
    return previous;
}

HCURSOR GetCursor() {
    auto hold = Manager().Lock();
    return Manager().Cursor();
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
    const uint64_t now = Now();
    auto hold = Manager().Lock();
    if (window != nullptr && Manager().Get(window) == nullptr)
        return Fail<UINT_PTR>(ERROR_INVALID_WINDOW_HANDLE, 0);
    return Manager().SetTimer(window, id, elapse, procedure, now);
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto hold = Manager().Lock();
    return Manager().KillTimer(window, id) ? TRUE : Fail(ERROR_INVALID_PARAMETER, FALSE);
}

int GetDlgCtrlID(HWND handle) {
    auto hold = Manager().Lock();
    auto window = Manager().Get(handle);
    if (window == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
    return IsChildWindow(*window) ? static_cast<int>(window->id) : 0;
}
