#include "ui/pages/GMediaTypeFeature.h"

#include <memory>

#include "model/GSettingIds.h"
#include "paper/GFormToTrayDatabase.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GPaperPageState.h"
#include "ui/pages/GPaperTypeKeys.h"

namespace {

constexpr int16_t kFirstAutomaticMode = 7;
constexpr int16_t kLastAutomaticMode = 10;
// Messages of the type rule that concern the other pages / the back cover.
constexpr int16_t kOtherPagesMessages[] = {5165, 5167};
constexpr int16_t kBackCoverMessages[] = {5166, 5168};

template <size_t N> bool IsOneOf(int16_t value, const int16_t (&set)[N]) {
    for (const int16_t member : set)
        if (member == value) return true;
    return false;
}

} // namespace

uint16_t GMediaTypeFeature::GetState() {
    if (GPaperType::IsSourceEntry(GetSettingValue(GSettingId::kLastPaperSource))) return kDisabled;
    const int16_t tab = GPaperPageState::SelectedTab(Model());
    const int16_t message = GetSettingValue(GSettingId::kPaperTypeTipMessage);
    const auto level = static_cast<uint16_t>(GetSettingValue(GSettingId::kPaperTypeTipLevel));
    if (tab == GPaperPageState::kOtherPagesTab)
        return IsOneOf(message, kOtherPagesMessages) ? level : kEnabled;
    if (tab != GPaperPageState::kBackCoverTab) return kEnabled;
    if (GPaperPageState::BackCoverMode(Model()) != GPaperPageState::kBackCoverAlternate) return kDisabled;
    return IsOneOf(message, kBackCoverMessages) ? level : kEnabled;
}

int32_t GMediaTypeFeature::WasChanged() {
    const GSettingsAccessor settings = Model()->CurrentSettings();
    if (Model()->RuleLevels().WasChanged(GSettingId::kPaperTab) != 0) return 1;
    for (const uint32_t id :
         {GSettingId::kMediaType, GSettingId::kOtherPagesMediaType, GSettingId::kBackCoverMediaType,
          GSettingId::kDifferentFirstPage, GSettingId::kReportedMediaNames})
        if (settings.WasChanged(id) != 0) return 1;
    return settings.HasKey(GSettingId::kFormToTray) != 0 && settings.WasChanged(GSettingId::kPaper) != 0 ? 1
                                                                                                         : 0;
}

RWCString GMediaTypeFeature::GetKey() {
    RWCString key;
    Model()->CurrentSettings().GetString(GPaperPageState::TypeIdOfTab(GPaperPageState::SelectedTab(Model())),
                                         key);
    return key;
}

void GMediaTypeFeature::WriteKey(const RWCString& key) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    const int16_t tab = GPaperPageState::SelectedTab(Model());
    settings.SetString(GPaperPageState::TypeIdOfTab(tab), key);
    if (tab == GPaperPageState::kAllPagesTab && !GPaperPageState::FirstPageDiffers(Model()))
        settings.SetString(GSettingId::kOtherPagesMediaType, key);
}

void GMediaTypeFeature::SetType(uint16_t id, const RWCString& name) {
    RWCString key;
    if (id == GPaperType::kUserDefined)
        key = name;
    else if (!GPaperType::KeyOfId(id, key))
        return;
    WriteKey(key);
    ApplyTransparencyRule();
}

void GMediaTypeFeature::EnforceSourceType() {
    const int16_t source = GetSettingValue(GSettingId::kLastPaperSource);
    if (!GPaperType::IsSourceEntry(source)) return;
    WriteKey(GPaperType::ForcedKeyOfSource(static_cast<uint16_t>(source)));
}

void GMediaTypeFeature::ApplyTransparencyRule() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    int16_t mode = 0;
    if (settings.GetValue(GSettingId::kColourMode, mode) == 0 || mode < kFirstAutomaticMode ||
        mode > kLastAutomaticMode)
        return;
    // On the first tab the pair is the first page and the other pages; on
    // the others both are the type just chosen.
    const bool first = GPaperPageState::SelectedTab(Model()) == GPaperPageState::kAllPagesTab;
    RWCString a;
    RWCString b;
    settings.GetString(first ? GSettingId::kMediaType
                             : GPaperPageState::TypeIdOfTab(GPaperPageState::SelectedTab(Model())),
                       a);
    b = a;
    if (first) settings.GetString(GSettingId::kOtherPagesMediaType, b);
    const bool aClear = GPaperType::IdOfKey(a) == GPaperType::kTransparency;
    const bool bClear = GPaperType::IdOfKey(b) == GPaperType::kTransparency;
    const int16_t newMode = aClear ? (bClear ? 8 : 9) : (bClear ? 10 : 7);
    settings.SetValue(GSettingId::kColourMode, newMode);
    const std::unique_ptr<MPersistentObject> control = Model()->Defaults().CloneAttribute(
        newMode == kFirstAutomaticMode ? GSettingId::kAutoColourControl
                                       : GSettingId::kTransparencyColourControl);
    if (control == nullptr) return;
    control->SetId(GSettingId::kColourControl);
    if (const MPersistentObject* old = settings.Composite()->FindById(GSettingId::kColourControl))
        settings.NotifyChange(old, nullptr);
    settings.Replace(GSettingId::kColourControl, control.get());
}

int32_t GMediaTypeFeature::IsTypeOffered(uint16_t id) {
    const auto* database = dynamic_cast<const GFormToTrayDatabase*>(
        Model()->CurrentSettings().FindTyped(GSettingId::kFormToTray, GFormToTrayDatabase::kClassId));
    if (database == nullptr || database->HasAssignments() == 0) return 1;
    return database->IsMediaTypeUsed(id);
}
