#include "ui/pages/GChromalistTabsWrapper.h"

#include <mutex>
#include <unordered_map>

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kColourTabTitleStrings[] = {13551, 13552, 13553}; // Text, Graphics, Photos

struct ChromalistTabsEntry {
    GChromalistTabsWrapper* wrapper;
    WNDPROC previous;
};

struct ChromalistTabsMap {
    std::mutex lock;
    std::unordered_map<HWND, ChromalistTabsEntry> entries;
};

ChromalistTabsMap& TabsMap() {
    static ChromalistTabsMap map;
    return map;
}

bool FindTabsEntry(HWND window, ChromalistTabsEntry& entry) {
    ChromalistTabsMap& map = TabsMap();
    const std::lock_guard<std::mutex> hold(map.lock);
    const auto found = map.entries.find(window);
    if (found == map.entries.end()) return false;
    entry = found->second;
    return true;
}

// Drops the window's entry when it belongs to owner (any owner when null);
// the procedure it kept, or null when there was no such entry.
WNDPROC DropTabsEntry(HWND window, const GChromalistTabsWrapper* owner) {
    ChromalistTabsMap& map = TabsMap();
    const std::lock_guard<std::mutex> hold(map.lock);
    const auto found = map.entries.find(window);
    if (found == map.entries.end() || (owner != nullptr && found->second.wrapper != owner)) return nullptr;
    const WNDPROC previous = found->second.previous;
    map.entries.erase(found);
    return previous;
}

RWWString TabTitle(uint16_t stringId) {
    RWWString title;
    LoadResString(stringId, title);
    if (title.Length() > GChromalistTabsWrapper::kMaxTitleLength)
        title = RWWString(title.Data(), GChromalistTabsWrapper::kMaxTitleLength);
    return title;
}

} // namespace

GChromalistTabsWrapper::GChromalistTabsWrapper(GColorTabFeature* feature, const GControlHelpPair* table)
    : GOptionWrapper(feature, table) {}

GChromalistTabsWrapper::~GChromalistTabsWrapper() {
    Unsubclass();
}

void GChromalistTabsWrapper::OnAttach() {
    focused_ = 0;
    Unsubclass();
    strip_ = GTabStrip();
    strip_.Attach(Dialog(), static_cast<uint16_t>(ControlId(0)));
    for (const uint16_t id : kColourTabTitleStrings)
        strip_.AddTab(TabTitle(id));
    if (HWND window = GetDlgItem(Dialog(), static_cast<int>(ControlId(0)))) Subclass(window);
}

void GChromalistTabsWrapper::Subclass(HWND window) {
    ChromalistTabsMap& map = TabsMap();
    const std::lock_guard<std::mutex> hold(map.lock);
    const auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GChromalistTabsWrapper::ClrTabProc)));
    map.entries[window] = {this, previous};
    tabWindow_ = window;
}

void GChromalistTabsWrapper::Unsubclass() {
    if (tabWindow_ == nullptr) return;
    const WNDPROC previous = DropTabsEntry(tabWindow_, this);
    // Give the window its procedure back while it still has ours.
    if (previous != nullptr && IsWindow(tabWindow_) &&
        GetWindowLongPtrW(tabWindow_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ClrTabProc))
        SetWindowLongPtrW(tabWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    tabWindow_ = nullptr;
}

void GChromalistTabsWrapper::Init(uint32_t force) {
    Refresh();
    if (force == 0 && (Option() == nullptr || Option()->WasChanged() == 0)) return;
    ShowValue(1);
    if (HWND window = GetDlgItem(Dialog(), static_cast<int>(ControlId(0))))
        InvalidateRect(window, nullptr, TRUE);
}

LRESULT GChromalistTabsWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        focused_ = message == WM_SETFOCUS ? 1 : 0;
        return 0;
    }
    if (Option() == nullptr) return 0;
    if (strip_.HandleOptionMessage(ControlId(0), Option()->GetValue(), focused_ != 0, message, wParam,
                                   lParam) == 0)
        return 0;
    TakeValue();
    return 1;
}

void GChromalistTabsWrapper::ShowValue(uint32_t) {
    if (Option() != nullptr) strip_.SetCurrent(static_cast<uint16_t>(Option()->GetValue()));
}

void GChromalistTabsWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const auto current = static_cast<int16_t>(strip_.GetCurrent());
    if (current != Option()->GetValue()) Option()->SetValue(current);
}

LRESULT GChromalistTabsWrapper::ClrTabProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ChromalistTabsEntry entry{};
    if (!FindTabsEntry(window, entry)) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT answer = entry.previous != nullptr
                         ? CallWindowProcW(entry.previous, window, message, wParam, lParam)
                         : DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_GETDLGCODE) answer |= DLGC_WANTARROWS;
    // The previous procedure may have ended the control: look again.
    if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT) && FindTabsEntry(window, entry)) {
        if (wParam == VK_LEFT)
            entry.wrapper->strip_.Previous();
        else
            entry.wrapper->strip_.Next();
    }
    if (message == WM_NCDESTROY) DropTabsEntry(window, nullptr);
    return answer;
}

size_t GChromalistTabsWrapper::SubclassedWindowCount() {
    ChromalistTabsMap& map = TabsMap();
    const std::lock_guard<std::mutex> hold(map.lock);
    return map.entries.size();
}

void GChromalistTabsWrapper::ResetWindowMap() {
    ChromalistTabsMap& map = TabsMap();
    const std::lock_guard<std::mutex> hold(map.lock);
    map.entries.clear();
}
