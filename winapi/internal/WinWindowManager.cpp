#include "winapi/internal/WinWindowManager.h"

#include <algorithm>

#include "winapi/host/WinHostStore.h"
#include "winapi/internal/WinTextRules.h"

namespace {
// Handle values carry a tag in their high bits, so that no small integer or
// handle of another kind is taken for a window, and are never reused.
constexpr uint64_t kWindowTag = uint64_t{0x5749} << 32;
constexpr uint64_t kCursorTag = uint64_t{0x4355} << 32;

std::u16string ClassKey(std::u16string_view name) {
    return WinText::Fold(name);
}

LRESULT DesktopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

WinWindowManager& WinWindowManager::Instance() {
    static auto* manager = new WinWindowManager; // outlives static destructors
    return *manager;
}

WinWindowManager::WinWindowManager() {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    StartAfresh();
}

std::unique_lock<std::recursive_mutex> WinWindowManager::Lock() {
    std::unique_lock<std::recursive_mutex> hold(mutex_);
    if (generation_ != WinHostStore::Instance().Generation()) StartAfresh();
    return hold;
}

void WinWindowManager::StartAfresh() {
    generation_ = WinHostStore::Instance().Generation();
    windows_.clear();
    topLevel_.clear();
    classes_.clear();
    messages_.clear();
    timers_.clear();
    cursors_.clear();
    focus_ = nullptr;
    cursorPosition_ = {0, 0};
    cursor_ = nullptr;
    WinRegisterBuiltInClasses(*this);

    WinWindowClass desktopClass;
    desktopClass.name = u"#32769";
    desktopClass.procedure = DesktopProc;
    desktopClass.builtIn = true;
    AddClass(desktopClass);
    auto desktop = std::make_shared<WinWindowObject>();
    desktop->windowClass = FindClass(u"#32769");
    desktop->procedure = DesktopProc;
    desktop->style = WS_VISIBLE;
    desktop->rect = {0, 0, 1024, 768};
    desktop_ = Add(desktop);
    topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), desktop_), topLevel_.end());
}

std::shared_ptr<WinWindowObject> WinWindowManager::Get(HWND window) const {
    auto found = windows_.find(reinterpret_cast<uintptr_t>(window));
    return found != windows_.end() ? found->second : nullptr;
}

HWND WinWindowManager::Add(std::shared_ptr<WinWindowObject> window) {
    nextHandle_ += 4;
    const auto handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(kWindowTag | nextHandle_));
    window->handle = handle;
    if (window->parent != nullptr) {
        if (auto parent = Get(window->parent)) parent->children.push_back(handle);
    } else {
        topLevel_.push_back(handle);
    }
    windows_.emplace(reinterpret_cast<uintptr_t>(handle), std::move(window));
    return handle;
}

void WinWindowManager::Remove(HWND window) {
    auto found = windows_.find(reinterpret_cast<uintptr_t>(window));
    if (found == windows_.end()) return;
    if (auto parent = Get(found->second->parent)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), window), topLevel_.end());
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [window](const WinTimer& timer) { return timer.window == window; }),
                  timers_.end());
    if (focus_ == window) focus_ = nullptr;
    windows_.erase(found);
}

std::vector<HWND> WinWindowManager::TopLevelWindows() const {
    return topLevel_;
}

std::shared_ptr<const WinWindowClass> WinWindowManager::FindClass(LPCWSTR nameOrAtom) const {
    if (nameOrAtom == nullptr) return nullptr;
    if (IS_INTRESOURCE(nameOrAtom)) {
        const auto atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(nameOrAtom));
        for (const auto& entry : classes_)
            if (entry.second->atom == atom) return entry.second;
        return nullptr;
    }
    auto found = classes_.find(ClassKey(WinText::View(nameOrAtom)));
    return found != classes_.end() ? found->second : nullptr;
}

ATOM WinWindowManager::AddClass(WinWindowClass windowClass) {
    const std::u16string key = ClassKey(windowClass.name);
    if (key.empty() || classes_.count(key) != 0) return 0;
    windowClass.atom = nextAtom_++;
    auto stored = std::make_shared<WinWindowClass>(std::move(windowClass));
    const ATOM atom = stored->atom;
    classes_.emplace(key, std::move(stored));
    return atom;
}

bool WinWindowManager::RemoveClass(LPCWSTR nameOrAtom) {
    auto windowClass = FindClass(nameOrAtom);
    if (windowClass == nullptr || windowClass->builtIn) return false;
    for (const auto& entry : windows_)
        if (entry.second->windowClass == windowClass) return false; // still in use
    classes_.erase(ClassKey(windowClass->name));
    return true;
}

UINT WinWindowManager::RegisterMessage(std::u16string_view name) {
    if (name.empty()) return 0;
    const std::u16string key = WinText::Fold(name);
    auto found = messages_.find(key);
    if (found != messages_.end()) return found->second;
    if (nextMessage_ > 0xFFFF) return 0;
    messages_.emplace(key, nextMessage_);
    return nextMessage_++;
}

UINT_PTR WinWindowManager::SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure,
                                    uint64_t now) {
    elapse = std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);
    if (window == nullptr) id = nextTimerId_++;
    KillTimer(window, id);
    timers_.push_back({window, id, elapse, now + elapse, procedure, ++timerOrder_});
    return id;
}

bool WinWindowManager::KillTimer(HWND window, UINT_PTR id) {
    const size_t before = timers_.size();
    timers_.erase(
        std::remove_if(timers_.begin(), timers_.end(),
                       [&](const WinTimer& timer) { return timer.window == window && timer.id == id; }),
        timers_.end());
    return timers_.size() != before;
}

bool WinWindowManager::TakeDueTimer(uint64_t now, WinTimer& due) {
    WinTimer* first = nullptr;
    for (WinTimer& timer : timers_) {
        if (timer.due > now) continue;
        if (first == nullptr || timer.due < first->due ||
            (timer.due == first->due && timer.order < first->order))
            first = &timer;
    }
    if (first == nullptr) return false;
    due = *first;
    first->due = now + first->elapse;
    return true;
}

bool WinWindowManager::NextDue(uint64_t& due) const {
    if (timers_.empty()) return false;
    due = timers_.front().due;
    for (const WinTimer& timer : timers_)
        due = std::min(due, timer.due);
    return true;
}

HCURSOR WinWindowManager::CursorHandle(HINSTANCE instance, uintptr_t id) {
    auto key = std::make_pair(reinterpret_cast<uintptr_t>(instance), id);
    auto found = cursors_.find(key);
    if (found == cursors_.end()) {
        nextCursor_ += 4;
        found = cursors_.emplace(key, static_cast<uintptr_t>(kCursorTag | nextCursor_)).first;
    }
    return reinterpret_cast<HCURSOR>(found->second);
}
