#include "ui/framework/GDialog.h"

#include "ui/framework/GUIModel.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinDialog.h"
#include "winapi/WinHelp.h"
#include "winapi/WinWindow.h"

GDialog::GDialog(uint16_t templateId, GUIModel* model, uint32_t, uint16_t pageHelpId)
    : model_(model), templateId_(templateId), pageHelpId_(pageHelpId),
      helpFile_(model != nullptr ? model->HelpFileName() : RWCString()),
      self_(std::make_shared<GDialog* const>(this)) {}

GDialog::~GDialog() = default;

void GDialog::AddControl(std::unique_ptr<GWrapper> wrapper) {
    if (wrapper != nullptr) wrappers_.push_back(std::move(wrapper));
}

void GDialog::AttachControls() {
    for (const auto& wrapper : wrappers_) {
        wrapper->Attach(window_);
        wrapper->Init(0);
    }
}

void GDialog::InitControls(uint32_t value) {
    for (const auto& wrapper : wrappers_)
        wrapper->Init(value);
}

LRESULT GDialog::BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    model_->BeginUpdate(window_);
    LRESULT handled = 0;
    for (const auto& wrapper : wrappers_)
        handled |= wrapper->HandleMessage(message, wParam, lParam);
    AfterControlMessage(handled);
    return handled;
}

LRESULT GDialog::DispatchToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    model_->BeginUpdate(window_);
    GWrapper* wrapper = FindByWindow(window);
    const LRESULT handled = wrapper != nullptr ? wrapper->HandleMessage(message, wParam, lParam) : 0;
    AfterControlMessage(handled);
    return handled;
}

LRESULT GDialog::DispatchToId(uint16_t controlId, UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchToWindow(GetDlgItem(window_, controlId), message, wParam, lParam);
}

INT_PTR GDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        AttachControls();
        ShowEveryControl();
        return 1;
    case WM_COMMAND:
    case WM_DRAWITEM:
        if (LOWORD(wParam) == kHelpButton)
            ShowPageHelp();
        else
            DispatchToId(LOWORD(wParam), message, wParam, lParam);
        return 0;
    case WM_HELP: {
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (info != nullptr) ShowHelp(static_cast<HWND>(info->hItemHandle), HELP_WM_HELP);
        return 0;
    }
    case WM_CONTEXTMENU:
        if (ShowHelp(reinterpret_cast<HWND>(wParam), HELP_CONTEXTMENU) == 0)
            DispatchToWindow(reinterpret_cast<HWND>(wParam), message, wParam, lParam);
        return 0;
    case WM_SETCURSOR: {
        GWrapper* wrapper = FindByWindow(reinterpret_cast<HWND>(wParam));
        return wrapper != nullptr ? wrapper->HandleMessage(message, wParam, lParam) : 0;
    }
    case WM_VKEYTOITEM:
        BroadcastMessage(message, wParam, lParam);
        return -2;
    case WM_HSCROLL:
    case WM_VSCROLL:
        DispatchToWindow(reinterpret_cast<HWND>(lParam), message, wParam, lParam);
        return 0;
    case WM_NOTIFY:
        return RouteNotify(wParam, lParam);
    default:
        if (message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK) RouteMouse(message, wParam, lParam);
        return 0;
    }
}

INT_PTR GDialog::RouteNotify(WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr) return 0;
    if (header->code == UDN_DELTAPOS) {
        DispatchToId(LOWORD(wParam), WM_NOTIFY, wParam, lParam);
    } else if (header->code == PSN_HELP) {
        ShowPageHelp();
        return 1;
    } else if (header->code == PSN_KILLACTIVE) {
        BroadcastMessage(WM_NOTIFY, wParam, lParam);
    } else if (header->code == PSN_SETACTIVE) {
        ShowEveryControl();
    }
    return 0;
}

// Mouse messages reach the dialog where no enabled control is: the
// control under the pointer (a disabled one among them) is told.
void GDialog::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
    HWND child = ChildWindowFromPoint(window_, point);
    if (child != nullptr && child != window_) DispatchToWindow(child, message, wParam, lParam);
}

// Every rule once, then every control shown again.
void GDialog::ShowEveryControl() {
    model_->Propagate(1);
    InitControls(1);
}

void GDialog::ShowPageHelp() {
    WinHelpA(window_, helpFile_.Data(), HELP_CONTEXT, pageHelpId_);
}

int32_t GDialog::ShowHelp(HWND control, UINT command) {
    if (!helpTable_.empty()) {
        WinHelpA(control, helpFile_.Data(), command, reinterpret_cast<ULONG_PTR>(helpTable_.data()));
        return 1;
    }
    const GWrapper* wrapper = FindByHelpWindow(control);
    if (wrapper == nullptr) return 0;
    WinHelpA(control, helpFile_.Data(), command, reinterpret_cast<ULONG_PTR>(wrapper->ControlTable()));
    return 1;
}

GWrapper* GDialog::FindByWindow(HWND window) const {
    for (const auto& wrapper : wrappers_)
        if (wrapper->OwnsWindow(window) != 0) return wrapper.get();
    return nullptr;
}

GWrapper* GDialog::FindByHelpWindow(HWND window) const {
    for (const auto& wrapper : wrappers_) {
        if (wrapper->OwnsWindow(window) == 0) continue;
        for (const GControlHelpPair* row = wrapper->ControlTable(); row->controlId != 0; ++row)
            if (row->helpId != 0 && row->helpId != GWrapper::kNoHelp) return wrapper.get();
    }
    return nullptr;
}

void GDialog::BuildHelpTable() {
    std::vector<GControlHelpPair> joined;
    for (const auto& wrapper : wrappers_)
        for (const GControlHelpPair* row = wrapper->ControlTable(); row->controlId != 0; ++row)
            joined.push_back(*row);
    joined.push_back({0, 0});
    helpTable_ = std::move(joined);
}

void GDialog::AfterControlMessage(LRESULT handled) {
    if (handled != 0) {
        model_->Propagate(model_->IsChanged());
        InitControls(model_->IsChanged());
    } else if (model_->IsChanged() == 1) {
        model_->Propagate(1);
        InitControls(1);
    }
    model_->EndUpdate();
    model_->SetChanged(0);
}
