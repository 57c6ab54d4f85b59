#include "ui/pages/GPresetText.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"

namespace {
constexpr size_t kPresetTextLength = 128;
} // namespace

void ShowPresetText(HWND dialog, int controlId, uint16_t stringId) {
    RWWString text;
    LoadResString(stringId, text);
    if (text.Length() > kPresetTextLength) text.Resize(kPresetTextLength);
    SetItemTextIfChanged(dialog, controlId, text);
}
