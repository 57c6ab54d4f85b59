#include "winapi/internal/WinDialogBuilder.h"

#include <cstring>

#include "winapi/WinError.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinKernel.h"
#include "winapi/internal/WinResourceLookup.h"
#include "winapi/internal/WinWindowManager.h"

namespace {
HFONT DialogFont(const WinDialogTemplate& dialogTemplate) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(dialogTemplate.pointSize, 96, 72);
    font.lfWeight = dialogTemplate.weight != 0 ? dialogTemplate.weight : FW_NORMAL;
    const size_t length = std::min<size_t>(dialogTemplate.fontFace.size(), LF_FACESIZE - 1);
    std::memcpy(font.lfFaceName, dialogTemplate.fontFace.data(), length * sizeof(WCHAR));
    return CreateFontIndirectW(&font);
}
} // namespace

LONG WinDialogBuilder::UnitsToPixelsX(LONG units) {
    return MulDiv(units, kDialogBaseUnitX, 4);
}

LONG WinDialogBuilder::UnitsToPixelsY(LONG units) {
    return MulDiv(units, kDialogBaseUnitY, 8);
}

bool WinDialogBuilder::Load(HINSTANCE instance, LPCWSTR templateName, WinDialogTemplate& out,
                            WORD& templateId) {
    if (!IS_INTRESOURCE(templateName)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    templateId = static_cast<WORD>(reinterpret_cast<uintptr_t>(templateName));
    const WinResourceItem* item = WinResourceLookup::Find(instance, RT_DIALOG, templateId);
    if (item == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    if (!WinDialogTemplate::Parse(static_cast<const BYTE*>(item->data), item->size, out)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return false;
    }
    return true;
}

HWND WinDialogBuilder::Create(HINSTANCE instance, const WinDialogTemplate& dialogTemplate, WORD templateId,
                              HWND parent, DLGPROC procedure, bool modal) {
    const bool child = !modal && parent != nullptr && (dialogTemplate.style & (DS_CONTROL | WS_CHILD)) != 0;
    DWORD style = dialogTemplate.style & ~WS_VISIBLE;
    style = child ? (style | WS_CHILD) & ~WS_POPUP : style & ~WS_CHILD;
    const LPCWSTR className = dialogTemplate.className.empty() ? u"#32770" : dialogTemplate.className.c_str();
    const HWND dialog =
        CreateWindowExW(dialogTemplate.exStyle, className, dialogTemplate.caption.c_str(), style,
                        UnitsToPixelsX(dialogTemplate.x), UnitsToPixelsY(dialogTemplate.y),
                        UnitsToPixelsX(dialogTemplate.width), UnitsToPixelsY(dialogTemplate.height), parent,
                        nullptr, instance, nullptr);
    if (dialog == nullptr) return nullptr;
    {
        auto& manager = WinWindowManager::Instance();
        auto hold = manager.Lock();
        auto window = manager.Get(dialog);
        window->dialog = std::make_unique<WinDialogState>();
        window->dialog->templateId = templateId;
        window->dialog->modal = modal;
        if (window->extra.size() < static_cast<size_t>(DLGWINDOWEXTRA))
            window->extra.resize(DLGWINDOWEXTRA, 0);
    }
    const HFONT font = DialogFont(dialogTemplate);
    {
        auto& manager = WinWindowManager::Instance();
        auto hold = manager.Lock();
        manager.Get(dialog)->dialog->ownedFont = font;
    }
    SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(procedure));
    SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const WinDialogTemplate::Item& item : dialogTemplate.items) {
        const HWND control = CreateWindowExW(
            item.exStyle, item.className.c_str(), item.title.c_str(), (item.style | WS_CHILD) & ~WS_POPUP,
            UnitsToPixelsX(item.x), UnitsToPixelsY(item.y), UnitsToPixelsX(item.width),
            UnitsToPixelsY(item.height), dialog, reinterpret_cast<HMENU>(static_cast<uintptr_t>(item.id)),
            instance, nullptr);
        if (control == nullptr) {
            DestroyWindow(dialog);
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return dialog;
}

void WinDialogBuilder::Initialize(HWND dialog, LPARAM param, bool focus) {
    HWND first = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        if ((style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0) {
            first = child;
            break;
        }
    }
    const LRESULT answer = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    if (answer != 0 && focus && first != nullptr && IsWindow(first)) SetFocus(first);
}
