#pragma once
// The print-quality presets: bundles of about twenty settings (resolution,
// rendering, font and enhancement options). "Best Quality" (326) and
// "Faster Printing" (327) come with the printer; "Custom" (328) lives in the
// current settings and holds the user's own combination. Choosing a preset
// copies its bundle into the current settings; the preset shown is the one
// whose bundle equals the current settings, else Custom.
//
// The feature has no value of its own. Whether the fine resolution modes
// (910-913) take part is decided once, when the feature is made: the
// current settings hold 910 then or they never take part.
#include <cstdint>

#include "ui/framework/GFeature.h"
#include "ui/framework/GSettingsAccessor.h"

class GPrintQualityPresets : public GFeature {
public:
    static constexpr int16_t kBestQuality = 0;
    static constexpr int16_t kFasterPrinting = 1;
    static constexpr int16_t kCustom = 2;

    explicit GPrintQualityPresets(GUIModel* model);

    // Copies the preset's bundle into the current settings; nothing when the
    // bundle is missing (Custom before anything was saved).
    void Apply(int16_t preset);
    // Copies the current settings into the Custom bundle, when there is one.
    void SaveCustom();
    // The preset whose bundle equals the current settings; Custom when none.
    int16_t Match();
    // 1 when the bundle's members equal the current settings, compared in
    // the map's order up to the first difference.
    int32_t MatchPreset(GSettingsAccessor bundle);
    // 1 when a setting of the presets changed in this update.
    int32_t AnyChanged();
    // A string id that the "Faster Printing" bundle names (its radio text,
    // its "Current Setting" text); 0 when it names none.
    uint16_t FasterPrintingStringId(uint32_t item);

    bool FineModePresent() const { return fineMode_; }

private:
    bool fineMode_;
};
