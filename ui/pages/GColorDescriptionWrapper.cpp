#include "ui/pages/GColorDescriptionWrapper.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinDialog.h"

void GColorDescriptionWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const int16_t mode = Option()->GetValue();
    RWWString text;
    LoadResString(GColorModeFeature::IsAutomatic(mode) ? kCustomText : kAutomaticText, text);
    if (text.Length() > kMaxLength) text = RWWString(text.Data(), kMaxLength);
    SetDlgItemTextW(Dialog(), static_cast<int>(ControlId(0)), text.Data());
}
