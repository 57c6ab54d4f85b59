#include "ui/pages/GPaperSourceWrapper.h"

#include "model/GSettingIds.h"
#include "ui/framework/GTimedDialog.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GPaperPageState.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

namespace {

constexpr int16_t kManualFeed = 18;
constexpr uint16_t kManualFeedNotice = 11535;
constexpr uint16_t kNoticeSeconds = 10;

} // namespace

void GPaperSourceWrapper::OnAttach() {
    list_.Attach(Dialog(), static_cast<uint16_t>(ControlId(0)));
    Fill();
}

void GPaperSourceWrapper::Fill() {
    list_.ResetContent();
    if (Option() == nullptr) return;
    for (const GPaperSourceFeature::Entry& entry : Option()->Sources())
        list_.AddStringWithData(entry.text.Data(), entry.data);
}

LRESULT GPaperSourceWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || HIWORD(wParam) != CBN_SELCHANGE) return 0;
    TakeValue();
    return 1;
}

void GPaperSourceWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    Fill();
    list_.SelectByData(Option()->GetValue());
}

void GPaperSourceWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const LRESULT chosen = list_.GetSelectedData();
    const auto source = static_cast<int16_t>(chosen < 0 ? GPaperPageState::kAutomaticSource : chosen);
    Option()->SetValue(source);
    if (source == kManualFeed) ShowManualFeedNotice();
}

void GPaperSourceWrapper::ShowManualFeedNotice() {
    GUIModel* model = Option()->Model();
    int16_t shown = 0;
    model->Defaults().GetValue(GSettingId::kManualFeedNotice, shown);
    if (shown != 1) return;
    // The notice reads and clears its show-again state in the sheet's
    // settings: the sheet keeps it in composite 283 from the printer's
    // choice on, so "do not show" holds while the sheet is open.
    model->RuleLevels().AddIfMissing(shown, GSettingId::kManualFeedNotice);
    GTimedDialog notice(kManualFeedNotice, Option()->Model(), kNoticeSeconds, GSettingId::kManualFeedNotice,
                        0, 0);
    notice.Run(Dialog(), 0);
}
