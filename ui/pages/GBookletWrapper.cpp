#include "ui/pages/GBookletWrapper.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

namespace {
constexpr uint16_t kBookletCombo = 1;
} // namespace

void GBookletWrapper::OnAttach() {
    combo_.Attach(Dialog(), static_cast<uint16_t>(ControlId(kBookletCombo)));
}

LRESULT GBookletWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(kBookletCombo) ||
        HIWORD(wParam) != CBN_SELCHANGE)
        return 0;
    TakeValue();
    return 1;
}

void GBookletWrapper::ShowValue(uint32_t) {
    if (Option() == nullptr) return;
    combo_.ResetContent();
    for (const int16_t choice : Option()->Choices()) {
        RWWString text;
        if (LoadResString(GBookletFeature::LabelOf(choice), text) > 0)
            combo_.AddStringWithData(text.Data(), choice);
    }
    combo_.SelectByData(Option()->GetValue());
}

void GBookletWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const LRESULT choice = combo_.GetSelectedData();
    Option()->SetValue(choice < 0 ? GBookletFeature::kOff : static_cast<int16_t>(choice));
}
