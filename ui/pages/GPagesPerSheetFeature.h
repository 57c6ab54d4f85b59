#pragma once
// Pages per sheet (266) with its page borders (267, 1 on) and page order
// (268, 0-3), kept together in composite 329. Only 1, 2, 4, 6, 9 and 16
// pages fit a sheet: any other number becomes the nearest of them.
#include <cstdint>

#include "model/GSettingIds.h"
#include "ui/framework/GValueFeature.h"

// The number of page orders the resources allow (string 11051): the orders
// that start on the right, and right-bound booklets, come only above 2.
int32_t PageOrderCount();

class GPagesPerSheetFeature : public GValueFeature {
public:
    static constexpr int16_t kFewest = 1;
    static constexpr int16_t kMost = 16;

    explicit GPagesPerSheetFeature(GUIModel* model);

    // The allowed number a typed one stands for.
    static int16_t Normalise(int32_t typed);
    // The allowed number after (up) or before (down) value, wrapping
    // around from 16 to 1 and from 1 to 16.
    static int16_t Step(int16_t value, bool up);

    int16_t Borders() { return GetSettingValue(GSettingId::kPageBorders); }
    int16_t Order() { return GetSettingValue(GSettingId::kPageOrder); }
    int32_t SetBorders(int16_t on);
    int32_t SetOrder(int16_t order);
    // Changed when 266, 267 or 268 changed.
    int32_t WasChanged() override;
    // The rules' level for pages per sheet.
    uint16_t GetState() override;
};
