#include "ui/framework/GWrapper.h"

#include "ui/framework/GFeature.h"
#include "ui/framework/GMessageBox.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

GWrapper::GWrapper(GFeature* feature, const GControlHelpPair* table) : feature_(feature) {
    if (table != nullptr)
        for (const GControlHelpPair* row = table; row->controlId != 0; ++row)
            table_.push_back(*row);
    // The joined help tables and WinHelpA read up to a {0, 0} row.
    table_.push_back({0, 0});
}

GWrapper::~GWrapper() = default;

void GWrapper::Init(uint32_t value) {
    Refresh();
    ShowValue(value);
}

LRESULT GWrapper::HandleMessage(UINT message, WPARAM, LPARAM) {
    if (message != WM_COMMAND) return 0;
    TakeValue();
    return 1;
}

uint32_t GWrapper::OwnsWindow(HWND window) const {
    if (window == nullptr || dialog_ == nullptr) return 0;
    for (uint16_t i = 0; i < ControlCount(); ++i)
        if (GetDlgItem(dialog_, static_cast<int>(table_[i].controlId)) == window) return 1;
    return 0;
}

uint32_t GWrapper::OwnsId(uint16_t controlId) const {
    if (controlId == 0) return 0;
    for (uint16_t i = 0; i < ControlCount(); ++i)
        if (table_[i].controlId == controlId) return 1;
    return 0;
}

void GWrapper::SetState(uint16_t state) {
    switch (state) {
    case 0:
        ShowAll(1);
        EnableAll(1);
        break;
    case 1:
        ShowAll(1);
        EnableAll(0);
        break;
    case 2:
        ShowAll(0);
        EnableAll(0);
        break;
    default:
        break;
    }
}

void GWrapper::EnableAll(uint32_t flag) {
    if (enabledSet_ == 1 && enabled_ == flag) return;
    enabledSet_ = 1;
    enabled_ = flag;
    for (uint16_t i = 0; i < ControlCount(); ++i)
        EnableControl(i, flag);
}

void GWrapper::EnableControl(uint16_t index, uint32_t flag) {
    const uint32_t effective = feature_ != nullptr && feature_->IsLocked() != 0 ? 0 : flag;
    if (effective != 0 && enabled_ == 0) return;
    EnableWindow(GetDlgItem(dialog_, static_cast<int>(ControlId(index))), effective != 0 ? TRUE : FALSE);
}

void GWrapper::ShowAll(uint32_t flag) {
    if (visibleSet_ == 1 && visible_ == flag) return;
    visibleSet_ = 1;
    visible_ = flag;
    for (uint16_t i = 0; i < ControlCount(); ++i)
        ShowControl(i, flag);
}

void GWrapper::ShowControl(uint16_t index, uint32_t flag) {
    if (flag != 0 && visible_ == 0) return;
    ShowWindow(GetDlgItem(dialog_, static_cast<int>(ControlId(index))), flag != 0 ? SW_SHOW : SW_HIDE);
}

void GWrapper::Attach(HWND dialog) {
    dialog_ = dialog;
    visible_ = 1;
    enabled_ = 1;
    visibleSet_ = 0;
    enabledSet_ = 0;
    OnAttach();
}

uint32_t GWrapper::ControlId(uint16_t index) const {
    return index < ControlCount() ? table_[index].controlId : 0;
}

int GWrapper::ShowMessage(LPCWSTR text, LPCWSTR caption, UINT style) const {
    return ShowMessageBox(dialog_, text, caption, style);
}
