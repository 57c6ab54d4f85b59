#pragma once
// One colour code of the colour control in use (295) for the object kind of
// the colour tab (0x40000070: 0 text, 1 graphics, 2 photographs), with the
// defaults' list of its choices for that kind. The halftone and colour-map
// lists are its two uses.
#include <array>
#include <cstdint>

#include "ui/pages/GChromalistOptionFeature.h"

class GColorTabListFeature : public GChromalistOptionFeature {
public:
    // choiceLists: the defaults' choices for text, graphics and photographs.
    GColorTabListFeature(GUIModel* model, int32_t field, const std::array<uint32_t, 3>& choiceLists);

    // The colour tab; 0 when it is not one of the three.
    int32_t Tab() const;
    int32_t Kind() const override { return Tab(); }
    uint32_t ListId() const override;
    // 1 when the colour control or the colour tab changed.
    int32_t WasChanged() override;

private:
    std::array<uint32_t, 3> choiceLists_;
};
