#include "ui/pages/GPrintQualityPresets.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

// The names stay inside: the layer is built in batches of joined sources.
namespace presetmap {

using namespace GSettingId;

// When a row of the map takes part in an operation.
enum class When : uint8_t {
    kAlways,
    kNever,
    // The printer configuration holds the row's presence id (anywhere below it).
    kDefaultsHold,
    // The printer configuration holds a non-zero 593.
    kColourRendering,
    // The current settings held 910 when the feature was made.
    kFineMode,
};

struct Condition {
    When when;
    uint32_t presenceId = 0;
};

constexpr Condition kAlways{When::kAlways};
constexpr Condition kNever{When::kNever};
constexpr Condition kColour{When::kColourRendering};
constexpr Condition kFine{When::kFineMode};
constexpr Condition IfHeld(uint32_t id) {
    return {When::kDefaultsHold, id};
}

// One member of a bundle and the setting it stands for. Rows of the
// resolution node lie in 222 of the bundle and in 249 of the settings.
struct PresetRow {
    uint32_t item;
    uint32_t setting;
    bool inResolution;
    Condition apply, save, compare, changed;
};

// In the order of comparison. Item 409 is compared under the same switch
// it is applied under, so that a preset just applied always matches.
constexpr PresetRow kRows[] = {
    {kPresetEdgeEnhancement, kEdgeEnhancement, false, kAlways, kAlways, kAlways, kAlways},
    {kPresetPageProtection, kPageProtection, false, kAlways, kAlways, kAlways, kAlways},
    {kPresetRenderingMode, kRenderingMode, false, kAlways, kAlways, kAlways, kAlways},
    {kPresetEdgeToEdge, kEdgeToEdge, false, kAlways, kAlways, kAlways, kAlways},
    {kPresetScalePatterns, kScalePatterns, false, kAlways, kAlways, kAlways, kAlways},
    {kPresetTrueTypeAsBitmaps, kTrueTypeAsBitmaps, false, kAlways, kAlways, kAlways, kAlways},
    {kPresetItemFor405, kPresetItem409Setting, false, IfHeld(kPresetItemFor405),
     IfHeld(kPresetItem409Setting), IfHeld(kPresetItemFor405), IfHeld(kPresetItem409Setting)},
    {kPresetColourRendering582, kPostScriptColourRendering, false, kColour, kColour, kColour, kColour},
    {kPresetColourRendering583, kPostScriptColourRendering583, false, kColour, kColour, kColour, kColour},
    {kPresetColourRendering584, kPostScriptColourRendering584, false, kColour, kColour, kColour, kColour},
    {kPresetItemPrintOnBackSide, kPrintOnBackSide, false, IfHeld(kPresetItemPrintOnBackSide),
     IfHeld(kPrintOnBackSide), IfHeld(kPresetItemPrintOnBackSide), IfHeld(kPrintOnBackSide)},
    {kPresetItemVariableData, kVariableData, false, kNever, kNever, IfHeld(kPresetItemVariableData),
     IfHeld(kVariableData)},
    {kPresetItemOptimisePq, kOptimisePrintQuality, false, IfHeld(kOptimisePrintQuality),
     IfHeld(kOptimisePrintQuality), IfHeld(kPresetItemOptimisePq), IfHeld(kOptimisePrintQuality)},
    {kPresetItemFor900, kPresetItem404Setting, false, IfHeld(kPresetItemFor900), IfHeld(kPresetItemFor900),
     IfHeld(kPresetItemFor900), IfHeld(kPresetItemFor900)},
    {kPresetTextAsBlack, kTextAsBlack, false, kAlways, kAlways, kAlways, kAlways},
    {kPresetFineResolutionMode, kFineResolutionMode, false, kFine, kFine, kFine, kFine},
    {kPresetXResolution, kXResolution, true, kAlways, kAlways, kAlways, kAlways},
    {kPresetYResolution, kYResolution, true, kAlways, kAlways, kAlways, kAlways},
    {kPresetBitsPerPixel, kBitsPerPixel, true, kAlways, kAlways, kAlways, kAlways},
    {kPresetFineResolutionDetail, kFineResolutionDetail, true, kFine, kFine, kFine, kFine},
};

// The value a setting is compared with when the current settings lack it.
int16_t AssumedValue(uint32_t setting) {
    switch (setting) {
    case kXResolution:
    case kYResolution:
        return 600;
    case kBitsPerPixel:
    case kScalePatterns:
    case kPageProtection:
    case kPostScriptColourRendering:
        return 1;
    case kPostScriptColourRendering583:
        return 1060;
    case kPostScriptColourRendering584:
        return 450;
    default:
        return 0;
    }
}

// Edge enhancement compares by on or off: any positive level is the full one.
int16_t Comparable(uint32_t setting, int16_t value) {
    return setting == kEdgeEnhancement && value > 0 ? 4 : value;
}

// The two nodes a copy or a comparison reads and writes: the bundle (or
// the settings) at its root level and at its resolution node. A missing
// resolution node leaves its rows out.
struct Nodes {
    GSettingsAccessor root;
    GSettingsAccessor resolution;
    bool hasResolution;

    Nodes(GSettingsAccessor at, uint32_t resolutionId) : root(at), resolution(at) {
        hasResolution = resolution.Descend(resolutionId) != 0;
    }
    GSettingsAccessor* For(const PresetRow& row) {
        if (!row.inResolution) return &root;
        return hasResolution ? &resolution : nullptr;
    }
};

class ConditionTest {
public:
    ConditionTest(GUIModel* model, bool fineMode) : defaults_(model->Defaults()), fineMode_(fineMode) {}

    bool Holds(const Condition& condition) const {
        switch (condition.when) {
        case When::kAlways:
            return true;
        case When::kNever:
            return false;
        case When::kDefaultsHold:
            return defaults_.HasKey(condition.presenceId) != 0;
        case When::kColourRendering: {
            int16_t members = 0;
            defaults_.GetValue(kPresetColourRenderingMembers, members);
            return members != 0;
        }
        case When::kFineMode:
            return fineMode_;
        }
        return false;
    }

private:
    GSettingsAccessor defaults_;
    bool fineMode_;
};

// The bundle of a preset: the printer's for Best Quality and Faster
// Printing, the settings' own for Custom; 0 when it is missing.
int32_t FindBundle(GUIModel* model, int16_t preset, GSettingsAccessor& bundle) {
    bundle = preset == GPrintQualityPresets::kCustom ? model->CurrentSettings() : model->Defaults();
    const uint32_t bundleId = preset == GPrintQualityPresets::kBestQuality      ? kBestQualityPreset
                              : preset == GPrintQualityPresets::kFasterPrinting ? kFasterPrintingPreset
                                                                                : kCustomQualityPreset;
    return bundle.Descend(bundleId);
}

// Copies every row taking part (by `part`) from one node set to the other,
// where the source holds the member.
template <class Part>
void CopyRows(Nodes& from, Nodes& to, const ConditionTest& test, bool toBundle, Part part) {
    for (const PresetRow& row : kRows) {
        if (!test.Holds(row.*part)) continue;
        GSettingsAccessor* source = from.For(row);
        GSettingsAccessor* target = to.For(row);
        if (source == nullptr || target == nullptr) continue;
        const uint32_t sourceId = toBundle ? row.setting : row.item;
        const uint32_t targetId = toBundle ? row.item : row.setting;
        int16_t value = 0;
        if (source->GetValue(sourceId, value) != 0) target->SetValue(targetId, value);
    }
}

} // namespace presetmap

GPrintQualityPresets::GPrintQualityPresets(GUIModel* model)
    : GFeature(model), fineMode_(model->CurrentSettings().HasKey(GSettingId::kFineResolutionMode) != 0) {}

void GPrintQualityPresets::Apply(int16_t preset) {
    using namespace presetmap;
    GSettingsAccessor bundle = Model()->CurrentSettings();
    if (FindBundle(Model(), preset, bundle) == 0) return;
    Nodes from(bundle, kPresetResolution);
    Nodes to(Model()->CurrentSettings(), kResolution);
    CopyRows(from, to, ConditionTest(Model(), fineMode_), false, &PresetRow::apply);
}

void GPrintQualityPresets::SaveCustom() {
    using namespace presetmap;
    GSettingsAccessor bundle = Model()->CurrentSettings();
    if (FindBundle(Model(), kCustom, bundle) == 0) return;
    Nodes from(Model()->CurrentSettings(), kResolution);
    Nodes to(bundle, kPresetResolution);
    CopyRows(from, to, ConditionTest(Model(), fineMode_), true, &PresetRow::save);
}

int32_t GPrintQualityPresets::MatchPreset(GSettingsAccessor bundle) {
    using namespace presetmap;
    Nodes preset(bundle, kPresetResolution);
    Nodes current(Model()->CurrentSettings(), kResolution);
    const ConditionTest test(Model(), fineMode_);
    for (const PresetRow& row : kRows) {
        if (!test.Holds(row.compare)) continue;
        int16_t wanted = 0;
        if (GSettingsAccessor* node = preset.For(row)) node->GetValue(row.item, wanted);
        int16_t value = AssumedValue(row.setting);
        GSettingsAccessor* node = current.For(row);
        if (node != nullptr && node->HasKey(row.setting) != 0) node->GetValue(row.setting, value);
        // Edge to edge left undecided (-1) matches any preset.
        if (row.setting == kEdgeToEdge && value == -1) continue;
        if (Comparable(row.setting, wanted) != Comparable(row.setting, value)) return 0;
    }
    return 1;
}

int16_t GPrintQualityPresets::Match() {
    for (const int16_t preset : {kBestQuality, kFasterPrinting}) {
        GSettingsAccessor bundle = Model()->Defaults();
        if (presetmap::FindBundle(Model(), preset, bundle) != 0 && MatchPreset(bundle) == 1) return preset;
    }
    return kCustom;
}

int32_t GPrintQualityPresets::AnyChanged() {
    using namespace presetmap;
    const GSettingsAccessor current = Model()->CurrentSettings();
    const ConditionTest test(Model(), fineMode_);
    for (const PresetRow& row : kRows)
        if (test.Holds(row.changed) && current.WasChanged(row.setting) != 0) return 1;
    return 0;
}

uint16_t GPrintQualityPresets::FasterPrintingStringId(uint32_t item) {
    GSettingsAccessor bundle = Model()->Defaults();
    int16_t id = 0;
    if (presetmap::FindBundle(Model(), kFasterPrinting, bundle) != 0) bundle.GetValue(item, id);
    return static_cast<uint16_t>(id);
}
