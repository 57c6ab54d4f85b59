#include "ui/pages/GPaperSourceFeature.h"

#include <memory>

#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GMediaTypeFeature.h"
#include "ui/pages/GPaperPageState.h"
#include "ui/pages/GPaperTypeKeys.h"
#include "ui/pages/GTrayDisplayNames.h"

namespace {

constexpr int16_t kHighestTray = 47;
// Paper types offered as sources: 11102 to 11112.
constexpr uint16_t kLastTypeSource = 11112;

RWWString TrayName(GUIModel* model, const GTray& tray) {
    RWWString text(tray.GetDisplayString().GetText1(), RWWString::MultiByte);
    if (text.Length() != 0) return text;
    const int32_t stringId = TrayDisplayNameId(model, static_cast<uint16_t>(tray.GetBinId()));
    if (stringId >= 0) LoadResString(static_cast<uint16_t>(stringId), text);
    return text;
}

bool Listed(MPersistentObject* table, int16_t tray) {
    if (table == nullptr) return true;
    const std::unique_ptr<MPersistentIterator> entries = table->CreateIterator();
    while (entries->Advance()) {
        const auto* value = dynamic_cast<const GValueAttribute*>(entries->Current());
        if (value != nullptr && static_cast<int16_t>(value->GetValue()) == tray) return true;
    }
    return false;
}

} // namespace

GPaperSourceFeature::GPaperSourceFeature(GUIModel* model) : GValueFeature(model, GSettingId::kPaperSource) {
    // The last source is page state; it exists from the start so that its
    // first write is a recorded change.
    if (model != nullptr) model->RuleLevels().AddIfMissing(0, GSettingId::kLastPaperSource);
}

int16_t GPaperSourceFeature::GetValue() {
    return GetSettingValue(GPaperPageState::SourceIdOfTab(GPaperPageState::SelectedTab(Model())));
}

int32_t GPaperSourceFeature::SetValue(int16_t value) {
    const int16_t tab = GPaperPageState::SelectedTab(Model());
    if (value >= 1 && value <= kHighestTray)
        SetTray(tab, value);
    else if (GPaperType::IsSourceEntry(value))
        SetPaperType(tab, static_cast<uint16_t>(value));
    return Model()->RuleLevels().SetValue(GSettingId::kLastPaperSource, value);
}

void GPaperSourceFeature::SetTray(int16_t tab, int16_t tray) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    if (tab == GPaperPageState::kOtherPagesTab) {
        settings.SetValue(GSettingId::kOtherPagesPaperSource, tray);
        return;
    }
    if (tab == GPaperPageState::kBackCoverTab) {
        if (GPaperPageState::BackCoverMode(Model()) == GPaperPageState::kBackCoverAlternate)
            settings.SetValue(GSettingId::kBackCoverSource, tray);
        return;
    }
    settings.SetValue(GSettingId::kPaperSource, tray);
    if (settings.HasKey(GSettingId::kPjlVariableKey) != 0)
        settings.SetValue(GSettingId::kPjlVariableKey, tray);
    if (GPaperPageState::FirstPageDiffers(Model())) return;
    settings.SetValue(GSettingId::kOtherPagesPaperSource, tray);
    settings.SetValue(GSettingId::kBackCoverSource, tray);
}

void GPaperSourceFeature::SetPaperType(int16_t tab, uint16_t type) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    const int16_t automatic = GPaperPageState::kAutomaticSource;
    settings.SetValue(GPaperPageState::SourceIdOfTab(tab), automatic);
    if (tab == GPaperPageState::kAllPagesTab) {
        if (settings.HasKey(GSettingId::kPjlVariableKey) != 0)
            settings.SetValue(GSettingId::kPjlVariableKey, static_cast<int16_t>(type));
        if (!GPaperPageState::FirstPageDiffers(Model()))
            settings.SetValue(GSettingId::kOtherPagesPaperSource, automatic);
    }
    // The type of the tab is the key the source forces, written now rather
    // than when the type control asks for its state.
    Model()->RuleLevels().SetValue(GSettingId::kLastPaperSource, static_cast<int16_t>(type));
    GMediaTypeFeature(Model()).EnforceSourceType();
}

int32_t GPaperSourceFeature::WasChanged() {
    const GSettingsAccessor settings = Model()->CurrentSettings();
    if (Model()->RuleLevels().WasChanged(GSettingId::kPaperTab) != 0) return 1;
    for (const uint32_t id :
         {GSettingId::kPaperSource, GSettingId::kOtherPagesPaperSource, GSettingId::kBackCoverSource,
          GSettingId::kDifferentFirstPage, GSettingId::kBackCover})
        if (settings.WasChanged(id) != 0) return 1;
    return 0;
}

uint16_t GPaperSourceFeature::GetState() {
    if (GetSettingValue(GSettingId::kPaperSourceLevel) == kDisabled) return kDisabled;
    switch (GPaperPageState::SelectedTab(Model())) {
    case GPaperPageState::kAllPagesTab:
        return static_cast<uint16_t>(GetSettingValue(GSettingId::kFirstPageSourceLevel));
    case GPaperPageState::kOtherPagesTab:
        return static_cast<uint16_t>(GetSettingValue(GSettingId::kOtherPagesSourceLevel));
    default:
        return GPaperPageState::BackCoverMode(Model()) == GPaperPageState::kBackCoverAlternate ? kEnabled
                                                                                               : kDisabled;
    }
}

std::vector<GPaperSourceFeature::Entry> GPaperSourceFeature::Sources() {
    std::vector<Entry> entries;
    const GSettingsAccessor printer = Model()->Defaults();
    MPersistentObject* table = printer.FindComposite(GSettingId::kTraySourceTable);
    bool automaticListed = false;
    if (MPersistentObject* units = printer.FindComposite(GSettingId::kPaperHandlingUnits)) {
        const std::unique_ptr<MPersistentIterator> unit = units->CreateIterator();
        while (unit->Advance()) {
            auto* device = dynamic_cast<GPaperHandlingDevice*>(unit->Current());
            if (device == nullptr || device->GetType() != 0 || device->IsInstalled() == 0) continue;
            const std::unique_ptr<MPersistentIterator> trays = device->CreateIterator();
            while (trays->Advance()) {
                const auto* tray = dynamic_cast<const GTray*>(trays->Current());
                if (tray == nullptr || !Listed(table, tray->GetBinId())) continue;
                entries.push_back({tray->GetBinId(), TrayName(Model(), *tray)});
                automaticListed = automaticListed || tray->GetBinId() == GPaperPageState::kAutomaticSource;
            }
        }
    }
    // The automatic source leads the list when no unit offers it as a tray.
    if (!automaticListed) {
        RWWString text;
        const int32_t stringId = TrayDisplayNameId(Model(), GPaperPageState::kAutomaticSource);
        if (stringId >= 0) LoadResString(static_cast<uint16_t>(stringId), text);
        entries.insert(entries.begin(), Entry{GPaperPageState::kAutomaticSource, text});
    }
    int16_t typesOffered = 0;
    printer.GetValue(GSettingId::kPaperTypesAsSources, typesOffered);
    if (typesOffered != 1) return entries;
    for (uint16_t type = GPaperType::kPlain; type <= kLastTypeSource; ++type) {
        RWWString text;
        if (LoadResString(type, text) > 0) entries.push_back({type, text});
    }
    return entries;
}
