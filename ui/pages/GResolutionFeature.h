#pragma once
// The print resolution (node 249: 323 x dpi, 324 y dpi, 325 bits per pixel,
// and 911 with the fine resolution modes) as an entry of a fixed table:
//   0  600 x 600, 2 bits        4  1200 x 1200, 1 bit, fine mode 141
//   1  1200 x 1200, 1 bit       5  1200 x 1200, 1 bit, fine mode 180
//   2  600 x 600, 1 bit         6  1200 x 1200, 1 bit, fine mode 212
//   3  300 x 300, 1 bit
// The fine modes (entries 4-6) take part only when the current settings
// held 910 when the feature was made. Writing an entry also sets the edge
// enhancement (250) that goes with it.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GResolutionFeature : public GValueFeature {
public:
    static constexpr int16_t kEnhanced600 = 0;
    static constexpr int16_t k1200 = 1;
    static constexpr int16_t k600 = 2;
    static constexpr int16_t k300 = 3;
    static constexpr int16_t kFine141 = 4;
    static constexpr int16_t kFine180 = 5;
    static constexpr int16_t kFine212 = 6;

    explicit GResolutionFeature(GUIModel* model);

    // The entry of the current settings.
    int16_t GetValue() override;
    // Writes the entry's resolution; 1 when the node 249 was there.
    int32_t SetValue(int16_t entry) override;
    // 1 when a member of the resolution changed in this update.
    int32_t WasChanged() override;

    // The entry of a resolution (fine: 911, read only with the fine modes).
    int16_t EntryOf(int16_t x, int16_t y, int16_t bits, int16_t fine) const;
    bool FineModePresent() const { return fineMode_; }

private:
    bool fineMode_;
};
