#include "ui/framework/GConstraintRule.h"

#include <algorithm>
#include <memory>

#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "ui/framework/GMessageBox.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinMessageBox.h"

GConstraintRule::~GConstraintRule() = default;

void GConstraintRule::RaiseLevel(uint32_t id, uint16_t level) {
    GSettingsAccessor levels = model_->RuleLevels();
    int16_t stored = 0;
    if (levels.HasKey(id) == 0) {
        levels.AddIfMissing(static_cast<int16_t>(level), id);
        return;
    }
    levels.GetValue(id, stored);
    if (static_cast<int16_t>(level) > stored) levels.SetValue(id, static_cast<int16_t>(level));
}

void GConstraintRule::ClearLevel(uint32_t id) {
    GSettingsAccessor levels = model_->RuleLevels();
    if (levels.HasKey(id) != 0)
        levels.SetValue(id, 0);
    else
        levels.AddIfMissing(0, id);
}

int32_t GConstraintRule::ValueInList(int16_t value) {
    MPersistentObject* locked = model_->CurrentSettings().FindComposite(GSettingId::kLockedSettings);
    if (locked == nullptr) return 0;
    const std::unique_ptr<MPersistentIterator> children = locked->CreateIterator();
    while (children->Advance()) {
        const auto* child = dynamic_cast<const GValueAttribute*>(children->Current());
        if (child != nullptr && static_cast<int16_t>(child->GetValue()) == value) return 1;
    }
    return 0;
}

int GConstraintRule::ShowMessage(HWND window, const RWWString& text, const RWWString& caption, UINT flags) {
    return ShowMessageBox(window, text.Data(), caption.Data(), flags);
}

bool GConstraintRule::Changed(const std::vector<uint32_t>& keys, uint32_t id) {
    return std::find(keys.begin(), keys.end(), id) != keys.end();
}

bool GConstraintRule::AskConflict(uint16_t textId) {
    RWWString text;
    RWWString caption;
    LoadResString(textId, text);
    LoadResString(kConflictCaption, caption);
    if (ShowMessage(model_->Window(), text, caption, kConflictStyle) != IDCANCEL) return false;
    model_->UndoAll();
    return true;
}
