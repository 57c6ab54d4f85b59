#include "ui/pages/GPaperSizeWrapper.h"

#include "model/GSettingIds.h"
#include "rw/RWWString.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GPaperSizeText.h"
#include "ui/pages/GTraySizeCheck.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kSizeListIndex = 0;
constexpr uint16_t kSizeTextIndex = 1;
constexpr int16_t kSizeListFallback = 1;

} // namespace

int32_t GPaperSizeWrapper::MediaNameCallback(GDriverContext*, uint16_t paperId, const RWWString& name,
                                             void* data) {
    auto* wrapper = static_cast<GPaperSizeWrapper*>(data);
    if (GTraySizeCheck(wrapper->Option()->Model()).IsSizeInSomeTray(paperId) != 0)
        wrapper->list_.AddStringWithData(name.Data(), paperId);
    return 1;
}

void GPaperSizeWrapper::OnAttach() {
    list_.Attach(Dialog(), static_cast<uint16_t>(ControlId(kSizeListIndex)));
    Fill();
}

void GPaperSizeWrapper::Fill() {
    list_.ResetContent();
    if (Option() == nullptr) return;
    const uint32_t customSizes = Option()->GetSettingValue(GSettingId::kRelaxedPaperCheck) == 0 ? 1 : 0;
    Option()->Model()->ForwardToContext(&GPaperSizeWrapper::MediaNameCallback, this, customSizes);
}

LRESULT GPaperSizeWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || Option() == nullptr) return 0;
    if (LOWORD(wParam) == ControlId(kSizeTextIndex) && HIWORD(wParam) == STN_CLICKED) {
        if (Option()->GetState() != GFeature::kEnabled) return 0;
        Option()->SwitchUnits();
        return 1;
    }
    if (LOWORD(wParam) != ControlId(kSizeListIndex) || HIWORD(wParam) != CBN_SELCHANGE ||
        (Option()->IsLocked() & 1) != 0)
        return 0;
    TakeValue();
    return 1;
}

void GPaperSizeWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    // The saved custom sizes may have changed in a dialog whose changes
    // another update recorded: a forced showing fills the list anew.
    if (force != 0 || Option()->Model()->CurrentSettings().WasChanged(GSettingId::kCustomPaperSizes) != 0)
        Fill();
    const LRESULT count = list_.GetCount();
    int16_t selection = -1;
    for (LRESULT i = 0; i < count && selection < 0; ++i)
        if (static_cast<uint16_t>(list_.GetItemData(static_cast<int16_t>(i))) ==
            static_cast<uint16_t>(Option()->GetValue()))
            selection = static_cast<int16_t>(i);
    list_.SetCurSel(selection);
    SetItemTextIfChanged(Dialog(), static_cast<int>(ControlId(kSizeTextIndex)),
                         GPaperSizeText::Describe(Option()->Model(), Option()->Unit()));
}

void GPaperSizeWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const LRESULT chosen = list_.GetSelectedData();
    Option()->SetValue(chosen < 0 ? kSizeListFallback : static_cast<int16_t>(chosen));
}
