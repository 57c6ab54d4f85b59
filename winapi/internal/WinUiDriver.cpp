#include "winapi/host/WinUiDriver.h"

#include "winapi/WinGdiDraw.h"
#include "winapi/WinHelp.h"
#include "winapi/WinTime.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinPng.h"
#include "winapi/internal/WinComboBoxControl.h"
#include "winapi/internal/WinControlSupport.h"
#include "winapi/internal/WinGdiRegistry.h"
#include "winapi/internal/WinPropertySheet.h"
#include "winapi/internal/WinTextRules.h"
#include "winapi/internal/WinUiLog.h"
#include "winapi/internal/WinUiScriptQueue.h"
#include "winapi/internal/WinUiScriptRunner.h"
#include "winapi/internal/WinWindowManager.h"

namespace {
HWND Usable(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr && WinControlSupport::IsUsable(control) ? control : nullptr;
}

bool IsClass(HWND window, std::u16string_view name) {
    WCHAR buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return WinText::EqualNoCase(WinText::View(buffer), name);
}

POINT Centre(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right / 2, rect.bottom / 2};
}

void MoveCursor(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
}

LPARAM Point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// Delivers every timer due at the current tick, each at most once.
void DeliverDueTimers() {
    auto& manager = WinWindowManager::Instance();
    const uint64_t now = WinHostStore::Instance().Clock().TickMilliseconds();
    for (;;) {
        WinTimer timer;
        {
            auto hold = manager.Lock();
            if (!manager.TakeDueTimer(now, timer)) return;
        }
        if (timer.procedure != nullptr)
            timer.procedure(timer.window, WM_TIMER, timer.id, static_cast<DWORD>(now));
        else
            SendMessageW(timer.window, WM_TIMER, timer.id, 0);
    }
}

std::vector<std::u16string> ListTexts(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::vector<std::u16string> texts;
    const LRESULT count = SendMessageW(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(i), 0);
        std::u16string text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 8, u'\0');
        SendMessageW(control, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(WinText::Length(text.c_str()));
        texts.push_back(std::move(text));
    }
    return texts;
}
} // namespace

void WinUiDriver::QueueDialogScript(WORD templateId, WinUiScript script) {
    WinUiScriptQueue::Instance().QueueDialogScript(templateId, std::move(script));
}

void WinUiDriver::QueueSheetScript(WinUiScript script) {
    WinUiScriptQueue::Instance().QueueSheetScript(std::move(script));
}

void WinUiDriver::QueueMessageBoxAnswer(int answer) {
    WinUiScriptQueue::Instance().QueueMessageBoxAnswer(answer);
}

bool WinUiDriver::Click(HWND dialog, int id) {
    const HWND control = Usable(dialog, id);
    if (control == nullptr) return false;
    const POINT centre = Centre(control);
    return ClickAt(control, centre.x, centre.y);
}

bool WinUiDriver::ClickAt(HWND control, int x, int y) {
    if (!WinControlSupport::IsUsable(control)) return false;
    MoveCursor(control, x, y);
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    SendMessageW(control, WM_MOUSEMOVE, 0, Point(x, y));
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    if (IsWindow(control)) SendMessageW(control, WM_LBUTTONUP, 0, Point(x, y));
    return true;
}

bool WinUiDriver::Select(HWND dialog, int id, LONG_PTR index) {
    const HWND control = Usable(dialog, id);
    if (control == nullptr) return false;
    return SendMessageW(control, WinControlSupport::UserSelectMessage(), static_cast<WPARAM>(index), 0) != 0;
}

bool WinUiDriver::SelectText(HWND dialog, int id, std::u16string_view text) {
    const std::vector<std::u16string> items = Items(dialog, id);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return Select(dialog, id, static_cast<LONG_PTR>(i));
    return false;
}

bool WinUiDriver::Type(HWND dialog, int id, std::u16string_view text) {
    const HWND control = Usable(dialog, id);
    if (control == nullptr) return false;
    if (IsClass(control, WC_COMBOBOXW)) {
        const std::u16string typed(text);
        return SendMessageW(control, WinControlSupport::UserTypeMessage(), 0,
                            reinterpret_cast<LPARAM>(typed.c_str())) != 0;
    }
    if (!IsClass(control, WC_EDITW)) return false;
    if (GetFocus() != control) SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
    if (text.empty()) SendMessageW(control, WM_CHAR, VK_BACK, 0);
    for (char16_t c : text)
        SendMessageW(control, WM_CHAR, c, 0);
    return true;
}

bool WinUiDriver::Focus(HWND dialog, int id) {
    const HWND control = Usable(dialog, id);
    if (control == nullptr) return false;
    SetFocus(control);
    return true;
}

bool WinUiDriver::Spin(HWND dialog, int id, int steps) {
    const HWND control = Usable(dialog, id);
    if (control == nullptr || !IsClass(control, UPDOWN_CLASSW)) return false;
    for (int i = 0; i < (steps < 0 ? -steps : steps) && IsWindow(control); ++i)
        SendMessageW(control, WinControlSupport::UserSpinMessage(), static_cast<WPARAM>(steps < 0 ? -1 : 1),
                     0);
    return true;
}

bool WinUiDriver::Scroll(HWND dialog, int id, WORD code, int position) {
    const HWND control = Usable(dialog, id);
    if (control == nullptr) return false;
    return SendMessageW(control, WinControlSupport::UserScrollMessage(), code, position) != 0;
}

bool WinUiDriver::Key(HWND dialog, int id, WPARAM key) {
    const HWND control = Usable(dialog, id);
    if (control == nullptr) return false;
    if (GetFocus() != control) SetFocus(control);
    SendMessageW(control, WM_KEYDOWN, key, 1);
    if (IsWindow(control)) SendMessageW(control, WM_KEYUP, key, 0xC0000001);
    return true;
}

bool WinUiDriver::Help(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr || !IsWindowVisible(control)) return false;
    POINT cursor{};
    GetCursorPos(&cursor);
    HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, id, control, 0, {cursor.x, cursor.y}};
    SendMessageW(control, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}

bool WinUiDriver::ContextMenu(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr || !IsWindowVisible(control)) return false;
    const POINT centre = Centre(control);
    MoveCursor(control, centre.x, centre.y);
    POINT cursor{};
    GetCursorPos(&cursor);
    SendMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), Point(cursor.x, cursor.y));
    return true;
}

bool WinUiDriver::Mouse(HWND window, UINT message, int x, int y) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return false;
    MoveCursor(window, x, y);
    const WPARAM keys = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK   ? MK_LBUTTON
                        : message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK ? MK_RBUTTON
                                                                                   : 0;
    SendMessageW(window, message, keys, Point(x, y));
    return true;
}

bool WinUiDriver::Hover(HWND window, int x, int y) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return false;
    MoveCursor(window, x, y);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (IsWindow(window)) SendMessageW(window, WM_MOUSEMOVE, 0, Point(x, y));
    return true;
}

bool WinUiDriver::PressEnter(HWND dialog) {
    if (!IsWindow(dialog)) return false;
    const auto answer = static_cast<DWORD>(SendMessageW(dialog, DM_GETDEFID, 0, 0));
    const int id = HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : IDOK;
    const HWND button = GetDlgItem(dialog, id);
    if (button != nullptr && !WinControlSupport::IsUsable(button)) return false;
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return true;
}

bool WinUiDriver::PressEscape(HWND dialog) {
    if (!IsWindow(dialog)) return false;
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    return true;
}

bool WinUiDriver::EndDialog(HWND dialog, INT_PTR result) {
    return ::EndDialog(dialog, result) != FALSE;
}

void WinUiDriver::AdvanceClock(uint32_t milliseconds) {
    WinHostStore& store = WinHostStore::Instance();
    auto& manager = WinWindowManager::Instance();
    if (!store.Clock().IsFake()) {
        Sleep(milliseconds);
        DeliverDueTimers();
        return;
    }
    const uint64_t target = store.Clock().TickMilliseconds() + milliseconds;
    for (;;) {
        const uint64_t now = store.Clock().TickMilliseconds();
        uint64_t due = 0;
        bool pending = false;
        {
            auto hold = manager.Lock();
            pending = manager.NextDue(due);
        }
        if (!pending || due > target) {
            if (target > now) store.AdvanceClock(static_cast<uint32_t>(target - now));
            DeliverDueTimers();
            return;
        }
        if (due > now) store.AdvanceClock(static_cast<uint32_t>(due - now));
        DeliverDueTimers();
    }
}

HWND WinUiDriver::ActiveDialog() {
    return WinUiScriptRunner::InnermostModal();
}

HWND WinUiDriver::Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

std::u16string WinUiDriver::Text(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

std::u16string WinUiDriver::WindowText(HWND window) {
    if (!IsWindow(window)) return {};
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(WinText::Length(text.c_str()));
    return text;
}

UINT WinUiDriver::CheckState(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id);
}

bool WinUiDriver::IsEnabled(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowEnabled(control);
}

bool WinUiDriver::IsVisible(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowVisible(control);
}

bool WinUiDriver::IsUsable(HWND dialog, int id) {
    return Usable(dialog, id) != nullptr;
}

std::vector<std::u16string> WinUiDriver::Items(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return {};
    if (IsClass(control, WC_COMBOBOXW)) return ListTexts(control, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    if (IsClass(control, WC_LISTBOXW)) return ListTexts(control, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    return {};
}

std::vector<ULONG_PTR> WinUiDriver::ItemData(HWND dialog, int id) {
    std::vector<ULONG_PTR> data;
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return data;
    const bool combo = IsClass(control, WC_COMBOBOXW);
    if (!combo && !IsClass(control, WC_LISTBOXW)) return data;
    const LRESULT count = SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        data.push_back(static_cast<ULONG_PTR>(
            SendMessageW(control, combo ? CB_GETITEMDATA : LB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    return data;
}

LONG_PTR WinUiDriver::Selection(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return -1;
    if (IsClass(control, WC_COMBOBOXW)) return SendMessageW(control, CB_GETCURSEL, 0, 0);
    if (IsClass(control, WC_LISTBOXW)) return SendMessageW(control, LB_GETCURSEL, 0, 0);
    return -1;
}

int WinUiDriver::Position(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return 0;
    if (IsClass(control, UPDOWN_CLASSW)) return static_cast<int>(SendMessageW(control, UDM_GETPOS32, 0, 0));
    if (IsClass(control, WC_SCROLLBARW)) return static_cast<int>(SendMessageW(control, SBM_GETPOS, 0, 0));
    if (IsClass(control, TRACKBAR_CLASSW)) return static_cast<int>(SendMessageW(control, TBM_GETPOS, 0, 0));
    return 0;
}

RECT WinUiDriver::Rect(HWND dialog, int id) {
    RECT rect{};
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

LONG WinUiDriver::FontWeight(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    if (font == nullptr || GetObjectW(font, sizeof logFont, &logFont) == 0) return 0;
    return logFont.lfWeight;
}

int WinUiDriver::DroppedWidth(HWND dialog, int id) {
    auto window = WinControlSupport::Window(GetDlgItem(dialog, id));
    auto* combo = WinControlSupport::Of<WinComboBoxControl>(window);
    return combo != nullptr ? combo->droppedWidth : 0;
}

int WinUiDriver::Invalidations(HWND window) {
    auto& manager = WinWindowManager::Instance();
    auto hold = manager.Lock();
    auto object = manager.Get(window);
    return object != nullptr ? object->invalidations : 0;
}

HCURSOR WinUiDriver::Cursor() {
    return GetCursor();
}

HWND WinUiDriver::Focused() {
    return GetFocus();
}

namespace {
// Paints one window, then its visible children bottom first, into the DC
// at the window's offset. Each window paints into a DC of its own whose
// origin is its client area's corner, starting from what lies beneath it,
// so controls that paint only part of themselves (group boxes) let the
// others show through.
void PaintTree(HWND window, HDC target, POINT offset) {
    RECT client{};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    HDC own = CreateCompatibleDC(target);
    HBITMAP pixels = CreateBitmap(client.right, client.bottom, 1, 32, nullptr);
    HGDIOBJ previous = SelectObject(own, pixels);
    BitBlt(own, 0, 0, client.right, client.bottom, target, offset.x, offset.y, SRCCOPY);
    auto object = WinControlSupport::Window(window);
    if (object != nullptr && object->control == nullptr) {
        // Dialogs and windows of other classes: the button face behind.
        FillRect(own, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own), 0);
    BitBlt(target, offset.x, offset.y, client.right, client.bottom, own, 0, 0, SRCCOPY);
    SelectObject(own, previous);
    DeleteObject(pixels);
    DeleteDC(own);
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (!IsWindowVisible(*child)) continue;
        RECT rect{};
        GetWindowRect(*child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<LPPOINT>(&rect), 2);
        PaintTree(*child, target, {offset.x + rect.left, offset.y + rect.top});
    }
}
} // namespace

HBITMAP WinUiDriver::Render(HWND window) {
    RECT client{};
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return nullptr;
    HBITMAP picture = CreateBitmap(client.right, client.bottom, 1, 32, nullptr);
    if (picture == nullptr) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, picture);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    PaintTree(window, dc, {0, 0});
    SelectObject(dc, previous);
    DeleteDC(dc);
    return picture;
}

bool WinUiDriver::RenderToPng(HWND window, const std::string& path) {
    HBITMAP picture = Render(window);
    if (picture == nullptr) return false;
    const bool written = WinSaveBitmapAsPng(picture, path.c_str());
    DeleteObject(picture);
    return written;
}

HBITMAP WinUiDriver::DrawItem(HWND dialog, int id, UINT action, UINT state) {
    const HWND control = GetDlgItem(dialog, id);
    RECT client{};
    if (control == nullptr || !GetClientRect(control, &client) || client.right <= 0 || client.bottom <= 0)
        return nullptr;
    HBITMAP picture = CreateBitmap(client.right, client.bottom, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, picture);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DRAWITEMSTRUCT draw{ODT_BUTTON, static_cast<UINT>(id), 0, action, state, control, dc, client, 0};
    SendMessageW(dialog, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&draw));
    SelectObject(dc, previous);
    DeleteDC(dc);
    return picture;
}

HDC WinUiDriver::CreatePrinterDC(const WinPrinterDcSetup& setup) {
    std::shared_ptr<WinSurface> page;
    if (setup.drawable && WinSurface::SizeAllowed(setup.width, setup.height))
        page = std::make_shared<WinSurface>(setup.width, setup.height, false, RGB(255, 255, 255));
    auto dc = std::make_shared<WinDeviceContext>(WinDeviceContext::Kind::Printer, page);
    dc->printer = setup;
    auto& registry = WinGdiRegistry::Instance();
    dc->state.pen = registry.Object(registry.Stock(BLACK_PEN));
    dc->state.brush = registry.Object(registry.Stock(WHITE_BRUSH));
    dc->state.font = registry.Object(registry.Stock(SYSTEM_FONT));
    return registry.AddDc(dc);
}

std::vector<WinRecordedEscape> WinUiDriver::Escapes(HDC printerDc) {
    auto dc = WinGdiRegistry::Instance().Dc(printerDc);
    return dc != nullptr ? dc->escapes : std::vector<WinRecordedEscape>{};
}

void WinUiDriver::SetSheetPictureFolder(const std::string& folder) {
    WinPropertySheet::SetPictureFolder(folder);
}

void WinUiDriver::SetFontFamilies(std::vector<WinFontFamily> families) {
    WinGdiRegistry::Instance().SetFamilies(std::move(families));
}

std::vector<WinRecordedMessageBox> WinUiDriver::MessageBoxes() {
    return WinUiLog::Instance().MessageBoxes();
}

std::vector<WinRecordedHelp> WinUiDriver::HelpCalls() {
    return WinUiLog::Instance().HelpCalls();
}

std::vector<std::string> WinUiDriver::ScriptFailures() {
    return WinUiLog::Instance().Failures();
}

void WinUiDriver::ClearRecords() {
    WinUiLog::Instance().Clear();
}
