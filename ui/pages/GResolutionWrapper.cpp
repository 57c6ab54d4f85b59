#include "ui/pages/GResolutionWrapper.h"

#include <memory>

#include "model/GSettingIds.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"
#include "rw/RWWString.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GOptionValueTables.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

void GResolutionWrapper::OnAttach() {
    combo_.Attach(Dialog(), static_cast<uint16_t>(ControlId(1)));
}

LRESULT GResolutionWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(1) || HIWORD(wParam) != CBN_SELCHANGE) return 0;
    TakeValue();
    return 1;
}

void GResolutionWrapper::Fill() {
    combo_.ResetContent();
    MPersistentObject* list = Option()->Model()->Defaults().FindComposite(GSettingId::kResolutions);
    if (list == nullptr) return;
    const std::unique_ptr<MPersistentIterator> elements = list->CreateIterator();
    while (elements->Advance()) {
        const GSettingsAccessor element(elements->Current(), Option()->Model(), 1);
        int16_t x = 0, y = 0, bits = 0, fine = 0;
        element.GetValue(GSettingId::kXResolution, x);
        element.GetValue(GSettingId::kYResolution, y);
        element.GetValue(GSettingId::kBitsPerPixel, bits);
        if (Option()->FineModePresent()) element.GetValue(GSettingId::kFineResolutionDetail, fine);
        const int16_t entry = Option()->EntryOf(x, y, bits, fine);
        RWWString text;
        const int32_t stringId = OptionValueStringId(GOptionValueTable::kResolution, entry);
        if (stringId < 0 || LoadResString(static_cast<uint16_t>(stringId), text) == 0) continue;
        combo_.AddStringWithData(text.Data(), entry);
    }
}

void GResolutionWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    Fill();
    combo_.SelectByData(Option()->GetValue());
}

void GResolutionWrapper::TakeValue() {
    const LRESULT entry = combo_.GetSelectedData();
    if (Option() != nullptr && entry >= 0) Option()->SetValue(static_cast<int16_t>(entry));
}
