#pragma once
// One colour code of the colour control in use (attribute 295) for the
// object kind of the colour tab (0x40000070: 0 text, 1 graphics, 2
// photographs), with the defaults' list of its choices for that kind. The
// halftone and colour-map lists are its two uses.
#include <array>
#include <cstdint>
#include <vector>

#include "ui/framework/GValueFeature.h"

class MPersistentObject;

class GChromalistListFeature : public GValueFeature {
public:
    // The field of the code within its object kind.
    static constexpr int32_t kColourMapField = 0;
    static constexpr int32_t kHalftoneField = 1;

    struct Choice {
        uint16_t code;
        int32_t stringId;
    };

    // choiceLists: the defaults' choices for text, graphics and photographs.
    GChromalistListFeature(GUIModel* model, int32_t field, const std::array<uint32_t, 3>& choiceLists);

    // The colour tab; 0 when it is not one of the three.
    int32_t Tab() const;
    // The choices of the tab's list, in order: each a code and the string
    // id of its label. Empty without the list.
    std::vector<Choice> Choices() const;

    // The tab's code; 0 without a colour control.
    int16_t GetValue() override;
    // Replaces the colour control by one with the tab's code changed
    // (recorded first); 1 when the code is in place, 0 without a colour
    // control or a cell for the code.
    int32_t SetValue(int16_t value) override;
    // 1 when the colour control or the colour tab changed.
    int32_t WasChanged() override;

private:
    // The colour control in the current settings, or null.
    MPersistentObject* CurrentControl() const;

    int32_t field_;
    std::array<uint32_t, 3> choiceLists_;
};
