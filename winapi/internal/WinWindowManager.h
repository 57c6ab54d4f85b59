#pragma once
// The window manager of the headless interface: the windows behind their
// handles, the registered classes and window messages, the timers, the
// keyboard focus and the mouse cursor. One per process, guarded by one lock
// that no window procedure is called under. It starts afresh (no windows,
// the layer's classes only) whenever the host store is reset, so every test
// begins without the windows of the one before.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "winapi/internal/WinWindowObject.h"

struct WinTimer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    uint64_t due = 0; // tick count
    TIMERPROC procedure = nullptr;
    uint64_t order = 0;
};

class WinWindowManager {
public:
    static WinWindowManager& Instance();

    // Takes the lock (starting afresh first when the host store was reset).
    std::unique_lock<std::recursive_mutex> Lock();

    // The functions below expect the lock to be held.
    std::shared_ptr<WinWindowObject> Get(HWND window) const;
    // A new window: gives it a handle and links it to its parent (children
    // are added at the bottom of the z-order) or to the top-level list.
    HWND Add(std::shared_ptr<WinWindowObject> window);
    void Remove(HWND window);
    std::vector<HWND> TopLevelWindows() const;
    HWND Desktop() const { return desktop_; }
    uint64_t NextShownOrder() { return ++shownCounter_; }

    // Classes by name (without regard to case) or by atom.
    std::shared_ptr<const WinWindowClass> FindClass(LPCWSTR nameOrAtom) const;
    ATOM AddClass(WinWindowClass windowClass); // 0 when the name is taken
    bool RemoveClass(LPCWSTR nameOrAtom);
    UINT RegisterMessage(std::u16string_view name);

    // Timers.
    UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure, uint64_t now);
    bool KillTimer(HWND window, UINT_PTR id);
    // The timer due first at or before `now`, rescheduled from `now`; false
    // when none is due.
    bool TakeDueTimer(uint64_t now, WinTimer& due);
    // When the next timer falls due; false when there is none.
    bool NextDue(uint64_t& due) const;

    // Focus and cursor.
    HWND Focus() const { return focus_; }
    void SetFocusWindow(HWND window) { focus_ = window; }
    POINT CursorPosition() const { return cursorPosition_; }
    void SetCursorPosition(POINT point) { cursorPosition_ = point; }
    HCURSOR Cursor() const { return cursor_; }
    void SetCursorHandle(HCURSOR cursor) { cursor_ = cursor; }
    // One handle per cursor: (null, IDC_*) or (module, resource id).
    HCURSOR CursorHandle(HINSTANCE instance, uintptr_t id);

    // The control state of a window of a control class, of the given type.
    template <typename State> static State* Control(const std::shared_ptr<WinWindowObject>& window) {
        return window != nullptr ? dynamic_cast<State*>(window->control.get()) : nullptr;
    }

private:
    WinWindowManager();
    void StartAfresh();

    std::recursive_mutex mutex_;
    uint64_t generation_ = 0;
    uint64_t nextHandle_ = 0;
    std::unordered_map<uintptr_t, std::shared_ptr<WinWindowObject>> windows_;
    std::vector<HWND> topLevel_;
    HWND desktop_ = nullptr;
    uint64_t shownCounter_ = 0;
    std::map<std::u16string, std::shared_ptr<WinWindowClass>> classes_; // by folded name
    ATOM nextAtom_ = 0xC000;
    std::map<std::u16string, UINT> messages_;
    UINT nextMessage_ = 0xC000;
    std::vector<WinTimer> timers_;
    UINT_PTR nextTimerId_ = 1;
    uint64_t timerOrder_ = 0;
    HWND focus_ = nullptr;
    POINT cursorPosition_{0, 0};
    HCURSOR cursor_ = nullptr;
    std::map<std::pair<uintptr_t, uintptr_t>, uintptr_t> cursors_;
    uintptr_t nextCursor_ = 0;
};

// Registers the layer's window classes (controls and dialogs) with the
// manager; called when the manager starts afresh.
void WinRegisterBuiltInClasses(WinWindowManager& manager);
