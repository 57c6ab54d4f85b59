#include "ui/pages/GMediaTypeWrapper.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GPaperTypeKeys.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

namespace {

// The listed types after "Auto Select", in list order.
constexpr uint16_t kListedTypeRanges[][2] = {{GPaperType::kPlain, GPaperType::kCardStock},
                                             {GPaperType::kHeavy, GPaperType::kEnvelope}};

} // namespace

void GMediaTypeWrapper::OnAttach() {
    list_.Attach(Dialog(), static_cast<uint16_t>(ControlId(0)));
    Fill();
}

void GMediaTypeWrapper::Refresh() {
    if (Option() != nullptr) Option()->EnforceSourceType();
    GOptionWrapper::Refresh();
}

void GMediaTypeWrapper::Fill() {
    list_.ResetContent();
    RWWString text;
    LoadResString(GPaperType::kAutoSelect, text);
    list_.AddStringWithData(text.Data(), GPaperType::kAutoSelect);
    if (Option() == nullptr) return;
    for (const auto& range : kListedTypeRanges)
        for (uint16_t id = range[0]; id <= range[1]; ++id)
            if (LoadResString(id, text) > 0 && Option()->IsTypeOffered(id) != 0)
                list_.AddStringWithData(text.Data(), id);
    const RWCString key = Option()->GetKey();
    if (GPaperType::IdOfKey(key) == GPaperType::kUserDefined)
        list_.AddStringWithData(RWWString(key, RWWString::MultiByte).Data(), GPaperType::kUserDefined);
}

LRESULT GMediaTypeWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || HIWORD(wParam) != CBN_SELCHANGE) return 0;
    TakeValue();
    return 1;
}

void GMediaTypeWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    Fill();
    const RWCString key = Option()->GetKey();
    const uint16_t id = GPaperType::IdOfKey(key);
    if (id == GPaperType::kUserDefined)
        list_.SelectByText(key);
    else
        list_.SelectByData(id);
}

void GMediaTypeWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const LRESULT id = list_.GetSelectedData();
    RWCString text;
    if (id < 0 || list_.GetSelectedText(text) == 0) return;
    Option()->SetType(static_cast<uint16_t>(id), text);
}
