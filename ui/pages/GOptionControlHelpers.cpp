#include "ui/pages/GOptionControlHelpers.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GValueGroupFeature.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

bool HasItemText(uint16_t stringId) {
    RWWString text;
    return LoadResString(stringId, text) > 0;
}

void AddComboItem(GComboBoxWrapper& combo, const GComboItem& item) {
    RWWString text;
    LoadResString(item.stringId, text);
    combo.AddStringWithData(text.Data(), item.data);
}

void ShowGroupBox(HWND dialog, uint32_t box, const GValueGroupFeature& group, size_t place) {
    CheckDlgButton(dialog, static_cast<int>(box), group.Value(place) == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void TakeGroupBox(HWND dialog, uint32_t box, GValueGroupFeature& group, size_t place) {
    group.SetValue(place, IsDlgButtonChecked(dialog, static_cast<int>(box)) != 0 ? 1 : 0);
}
