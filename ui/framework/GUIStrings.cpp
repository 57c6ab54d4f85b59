#include "ui/framework/GUIStrings.h"

#include <vector>

#include "ui/framework/GResourceLibrary.h"
#include "winapi/WinDialog.h"
#include "winapi/WinModule.h"

namespace {
constexpr int kResStringCapacity = 256;

// Whether the item's text is the given one. The text is read only when the
// item's length answer is that of the given text, so the buffer is sized
// from a known length and a negative answer reads nothing.
bool ItemShowsText(HWND item, const RWWString& text) {
    const int length = GetWindowTextLengthW(item);
    if (length < 0 || static_cast<size_t>(length) != text.Length()) return false;
    std::vector<WCHAR> shown(static_cast<size_t>(length) + 1, 0);
    const int read = GetWindowTextW(item, shown.data(), length + 1);
    return read == length && RWWString(shown.data(), static_cast<size_t>(read)) == text;
}
} // namespace

int32_t LoadResString(uint16_t id, RWWString& text) {
    text = RWWString();
    HMODULE library = ResourceModule();
    if (library == nullptr) return 0;
    WCHAR buffer[kResStringCapacity] = {};
    const int length = LoadStringW(library, id, buffer, kResStringCapacity);
    if (length <= 0) return 0;
    text = RWWString(buffer, static_cast<size_t>(length));
    return length;
}

void SetItemTextIfChanged(HWND dialog, int id, const RWWString& text) {
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr || ItemShowsText(item, text)) return;
    SetWindowTextW(item, text.Data());
}
