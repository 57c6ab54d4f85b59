#pragma once
// Automatic or manual colour: the colour mode (304) and the colour control
// in use (295). In the automatic modes the control is a copy of the
// printer's preset for the media: 208 for ordinary media, 227 when the
// first page's or the other pages' media type (261, 262) is a
// transparency. Mode 6 is manual; 7 automatic without transparencies, 8
// both media transparencies, 9 only the first page's, 10 only the other
// pages'.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class MPersistentObject;

class GColorModeFeature : public GValueFeature {
public:
    static constexpr int16_t kManual = 6;
    static constexpr int16_t kAutomatic = 7;
    static constexpr int16_t kLastAutomatic = 10;

    explicit GColorModeFeature(GUIModel* model);

    static bool IsAutomatic(int16_t mode) { return mode >= kAutomatic && mode <= kLastAutomatic; }

    // An automatic mode (7-10): the mode of the current media types, and
    // the control takes the codes of their preset. Any other mode: manual
    // (6), the control as it is. Every change is recorded.
    void SetMode(int16_t mode);
    // Manual (6) when the control differs from the preset of the current
    // media; otherwise the automatic mode is applied again (304 follows the
    // media) and returned.
    int16_t GetMode();
    // 1 when the colour control or the mode changed.
    int32_t WasChanged() override;

private:
    // The automatic mode of the current media types.
    int16_t AutomaticModeOfMedia() const;
    // The defaults' preset of an automatic mode.
    MPersistentObject* PresetOf(int16_t automaticMode) const;
    MPersistentObject* CurrentControl() const;
};
