// USER stand-in: dialogs from templates, the dialog class's procedure,
// modal runs played from scripts, and the dialog item calls.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

#include "winapi/WinControls.h"
#include "winapi/WinError.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/internal/WinDialogBuilder.h"
#include "winapi/internal/WinTextRules.h"
#include "winapi/internal/WinUiScriptQueue.h"
#include "winapi/internal/WinUiScriptRunner.h"
#include "winapi/internal/WinWindowManager.h"

namespace {
template <typename T> T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

// Messages whose answer the dialog procedure gives itself instead of
// through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

struct DialogView {
    bool exists = false;
    bool isDialog = false;
    bool ended = false;
    INT_PTR result = 0;
    WORD defaultId = IDOK;
    HFONT ownedFont = nullptr;
};

DialogView View(HWND dialog) {
    auto& manager = WinWindowManager::Instance();
    auto hold = manager.Lock();
    DialogView view;
    auto window = manager.Get(dialog);
    if (window == nullptr) return view;
    view.exists = true;
    if (window->dialog == nullptr) return view;
    view.isDialog = true;
    view.ended = window->dialog->ended;
    view.result = window->dialog->result;
    view.defaultId = window->dialog->defaultId;
    view.ownedFont = window->dialog->ownedFont;
    return view;
}

void SetDefaultId(HWND dialog, WORD id) {
    const WORD previous = View(dialog).defaultId;
    {
        auto& manager = WinWindowManager::Instance();
        auto hold = manager.Lock();
        if (auto window = manager.Get(dialog); window != nullptr && window->dialog != nullptr)
            window->dialog->defaultId = id;
    }
    // The default push button shows as such; the one before goes back.
    if (HWND old = GetDlgItem(dialog, previous); old != nullptr && previous != id) {
        const auto style = static_cast<DWORD>(GetWindowLongW(old, GWL_STYLE));
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) SendMessageW(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    if (HWND button = GetDlgItem(dialog, id)) {
        const auto style = static_cast<DWORD>(GetWindowLongW(button, GWL_STYLE));
        if ((style & BS_TYPEMASK) == BS_PUSHBUTTON) SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

// A whole number with optional blanks around it and, when signed, a sign.
bool ParseInteger(const std::u16string& text, bool isSigned, long long& value) {
    size_t at = 0, end = text.size();
    while (at < end && text[at] == u' ')
        ++at;
    while (end > at && text[end - 1] == u' ')
        --end;
    bool negative = false;
    if (at < end && (text[at] == u'-' || text[at] == u'+')) {
        if (!isSigned && text[at] == u'-') return false;
        negative = text[at] == u'-';
        ++at;
    }
    if (at == end) return false;
    value = 0;
    for (; at < end; ++at) {
        if (text[at] < u'0' || text[at] > u'9') return false;
        value = value * 10 + (text[at] - u'0');
        if (value > 0xFFFFFFFFLL) return false;
    }
    if (negative) value = -value;
    return true;
}
} // namespace

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
    const INT_PTR answer = procedure != nullptr ? procedure(dialog, message, wParam, lParam) : 0;
    if (answer != 0) return AnswersDirectly(message) ? answer : GetWindowLongPtrW(dialog, DWLP_MSGRESULT);
    switch (message) {
    case WM_SETFONT:
    case WM_GETFONT: {
        auto& manager = WinWindowManager::Instance();
        auto hold = manager.Lock();
        auto window = manager.Get(dialog);
        if (window == nullptr) return 0;
        if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(window->font);
        window->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    }
    case DM_GETDEFID: {
        const DialogView view = View(dialog);
        return view.isDialog ? MAKELRESULT(view.defaultId, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
        SetDefaultId(dialog, static_cast<WORD>(wParam));
        return TRUE;
    case WM_CLOSE:
        // As the system menu's Close: the dialog's Cancel.
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return 0;
    case WM_NCDESTROY:
        if (HFONT font = View(dialog).ownedFont) DeleteObject(font);
        return 0;
    default:
        return DefWindowProcW(dialog, message, wParam, lParam);
    }
}

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC procedure,
                        LPARAM param) {
    WinDialogTemplate dialogTemplate;
    WORD templateId = 0;
    if (!WinDialogBuilder::Load(instance, templateName, dialogTemplate, templateId)) return nullptr;
    const HWND dialog =
        WinDialogBuilder::Create(instance, dialogTemplate, templateId, parent, procedure, false);
    if (dialog == nullptr) return nullptr;
    const bool visible = (dialogTemplate.style & WS_VISIBLE) != 0;
    WinDialogBuilder::Initialize(dialog, param, visible);
    if (visible && IsWindow(dialog)) ShowWindow(dialog, SW_SHOW);
    return dialog;
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure,
                        LPARAM param) {
    WinDialogTemplate dialogTemplate;
    WORD templateId = 0;
    if (!WinDialogBuilder::Load(instance, templateName, dialogTemplate, templateId)) return -1;
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    const HWND dialog =
        WinDialogBuilder::Create(instance, dialogTemplate, templateId, owner, procedure, true);
    if (dialog == nullptr) return -1;
    if (disableOwner) EnableWindow(owner, FALSE);
    WinUiScriptRunner::PushModal(dialog);
    WinDialogBuilder::Initialize(dialog, param, true);
    if (!View(dialog).ended && IsWindow(dialog)) ShowWindow(dialog, SW_SHOW);
    const WinUiScript script = WinUiScriptQueue::Instance().TakeDialogScript(templateId);
    const auto done = [dialog] {
        const DialogView view = View(dialog);
        return !view.exists || view.ended;
    };
    WinUiScriptRunner::Play(
        script, [dialog] { return dialog; }, done, "dialog " + std::to_string(templateId));
    if (!done()) {
        // Out of script: the user presses Escape; a dialog that ignores it
        // is closed with IDCANCEL all the same.
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        if (!done()) EndDialog(dialog, IDCANCEL);
    }
    const DialogView view = View(dialog);
    const INT_PTR result = view.exists ? view.result : IDCANCEL;
    WinUiScriptRunner::PopModal();
    if (disableOwner && IsWindow(owner)) EnableWindow(owner, TRUE);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    auto& manager = WinWindowManager::Instance();
    auto hold = manager.Lock();
    auto window = manager.Get(dialog);
    if (window == nullptr || window->dialog == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    window->dialog->ended = true;
    window->dialog->result = result;
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
    auto& manager = WinWindowManager::Instance();
    auto hold = manager.Lock();
    auto window = manager.Get(dialog);
    if (window == nullptr) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    for (HWND child : window->children)
        if (auto object = manager.Get(child); object != nullptr && object->id == static_cast<UINT>(id))
            return child;
    return Fail<HWND>(ERROR_CONTROL_ID_NOT_FOUND, nullptr);
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? SendMessageW(item, message, wParam, lParam) : 0;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? SetWindowTextW(item, text) : FALSE;
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int bufferMax) {
    if (buffer != nullptr && bufferMax > 0) buffer[0] = 0;
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? static_cast<UINT>(GetWindowTextW(item, buffer, bufferMax)) : 0;
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    const std::string text = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
    const std::u16string wide = WinText::FromUtf8(text);
    return SetDlgItemTextW(dialog, id, wide.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated != nullptr) *translated = FALSE;
    const HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) return 0;
    const int length = GetWindowTextLengthW(item);
    std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
    GetWindowTextW(item, text.data(), static_cast<int>(text.size()));
    text.resize(WinText::Length(text.c_str()));
    long long value = 0;
    if (!ParseInteger(text, isSigned != FALSE, value)) return 0;
    if (isSigned ? (value < INT_MIN || value > INT_MAX) : (value < 0 || value > UINT_MAX)) return 0;
    if (translated != nullptr) *translated = TRUE;
    return static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) return FALSE;
    SendMessageW(item, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
    if (!IsWindow(dialog)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id < first || id > last) continue;
        SendMessageW(child, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    if (rect == nullptr || !IsWindow(dialog)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    rect->left = WinDialogBuilder::UnitsToPixelsX(rect->left);
    rect->right = WinDialogBuilder::UnitsToPixelsX(rect->right);
    rect->top = WinDialogBuilder::UnitsToPixelsY(rect->top);
    rect->bottom = WinDialogBuilder::UnitsToPixelsY(rect->bottom);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    return static_cast<LONG>(MAKELONG(kDialogBaseUnitX, kDialogBaseUnitY));
}
