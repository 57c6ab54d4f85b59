#include "winapi/host/WinUiActions.h"

#include <string>

#include "winapi/WinCommonUI.h"
#include "winapi/host/WinUiDriver.h"
#include "winapi/internal/WinTextRules.h"

namespace {
std::string Id(int id) {
    return std::to_string(id);
}

// The sheet's frame: the page's parent (or the target itself when the sheet
// shows no page).
HWND Frame(HWND target) {
    const auto style = static_cast<DWORD>(GetWindowLongW(target, GWL_STYLE));
    return (style & WS_CHILD) != 0 ? GetParent(target) : target;
}

WinUiAction SheetButton(std::string description, int id) {
    return {std::move(description), [id](HWND target) { return WinUiDriver::Click(Frame(target), id); }};
}

std::string Quoted(const std::u16string& text) {
    return "\"" + WinText::ToUtf8(text) + "\"";
}
} // namespace

WinUiAction WinUiActions::Click(int id) {
    return {"click " + Id(id), [id](HWND target) { return WinUiDriver::Click(target, id); }};
}

WinUiAction WinUiActions::Select(int id, LONG_PTR index) {
    return {"select " + Id(id) + " " + std::to_string(index),
            [id, index](HWND target) { return WinUiDriver::Select(target, id, index); }};
}

WinUiAction WinUiActions::SelectText(int id, std::u16string text) {
    return {"select " + Id(id) + " " + Quoted(text),
            [id, text](HWND target) { return WinUiDriver::SelectText(target, id, text); }};
}

WinUiAction WinUiActions::Type(int id, std::u16string text) {
    return {"type " + Id(id) + " " + Quoted(text),
            [id, text](HWND target) { return WinUiDriver::Type(target, id, text); }};
}

WinUiAction WinUiActions::Focus(int id) {
    return {"focus " + Id(id), [id](HWND target) { return WinUiDriver::Focus(target, id); }};
}

WinUiAction WinUiActions::Spin(int id, int steps) {
    return {"spin " + Id(id) + " " + std::to_string(steps),
            [id, steps](HWND target) { return WinUiDriver::Spin(target, id, steps); }};
}

WinUiAction WinUiActions::Scroll(int id, WORD code, int position) {
    return {"scroll " + Id(id) + " " + std::to_string(code) + " " + std::to_string(position),
            [id, code, position](HWND target) { return WinUiDriver::Scroll(target, id, code, position); }};
}

WinUiAction WinUiActions::Key(int id, WPARAM key) {
    return {"key " + Id(id) + " " + std::to_string(key),
            [id, key](HWND target) { return WinUiDriver::Key(target, id, key); }};
}

WinUiAction WinUiActions::Help(int id) {
    return {"help " + Id(id), [id](HWND target) { return WinUiDriver::Help(target, id); }};
}

WinUiAction WinUiActions::ContextMenu(int id) {
    return {"context " + Id(id), [id](HWND target) { return WinUiDriver::ContextMenu(target, id); }};
}

WinUiAction WinUiActions::Enter() {
    return {"enter", [](HWND target) { return WinUiDriver::PressEnter(target); }};
}

WinUiAction WinUiActions::Escape() {
    return {"escape", [](HWND target) { return WinUiDriver::PressEscape(target); }};
}

WinUiAction WinUiActions::Wait(uint32_t milliseconds) {
    return {"wait " + std::to_string(milliseconds), [milliseconds](HWND) {
                WinUiDriver::AdvanceClock(milliseconds);
                return true;
            }};
}

WinUiAction WinUiActions::End(INT_PTR result) {
    return {"end " + std::to_string(result),
            [result](HWND target) { return WinUiDriver::EndDialog(target, result); }};
}

WinUiAction WinUiActions::ShowPage(size_t index) {
    return {"page " + std::to_string(index),
            [index](HWND target) { return SendMessageW(Frame(target), PSM_SETCURSEL, index, 0) != 0; }};
}

WinUiAction WinUiActions::SheetOk() {
    return SheetButton("ok", IDOK);
}

WinUiAction WinUiActions::SheetCancel() {
    return SheetButton("cancel", IDCANCEL);
}

WinUiAction WinUiActions::SheetApply() {
    return SheetButton("apply", ID_APPLY_NOW);
}

WinUiAction WinUiActions::SheetHelp() {
    return SheetButton("help sheet", IDHELP);
}

WinUiAction WinUiActions::Do(std::string description, std::function<bool(HWND)> run) {
    return {std::move(description), std::move(run)};
}
