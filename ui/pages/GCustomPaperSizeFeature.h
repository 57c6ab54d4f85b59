#pragma once
// The paper size of the Paper page (260) and the custom-size state behind
// the Custom Paper Size dialog: the size being edited (kept in composite
// 283, so a Cancel of the sheet restores it with everything else), its
// limits, the units the page shows, and the named custom sizes the user
// saved (276).
//
// Changing the size checks it against the layout range first: a size whose
// media lies outside the largest and smallest sheet the printer takes
// cannot keep "% of Normal Size", several pages per sheet or booklet
// printing; the user is asked (11014) and Cancel undoes the whole change.
#include <cstdint>

#include "paper/GCustomMediaSize.h"
#include "ui/framework/GValueFeature.h"

class GCustomPaperSizeFeature : public GValueFeature {
public:
    static constexpr uint16_t kNoSize = 65535;

    explicit GCustomPaperSizeFeature(GUIModel* model);

    // With the first page on a tab of its own (1211 = 1) hidden on the
    // other tabs; otherwise disabled there. Enabled on the first tab.
    uint16_t GetState() override;
    // 260, 265, 285, 264, the edited size or the saved sizes changed.
    int32_t WasChanged() override;
    // Stores the size after the layout check; 0 when the user cancelled.
    int32_t SetValue(int16_t value) override;

    // Units: 0 (1/100 inch) or 3 (1/1000 mm), from 285 or the user's locale.
    uint32_t Unit();
    // To the other unit: 285 := 2 for millimetres, 1 for inches, and the
    // edited size converted.
    void SwitchUnits();

    // The edited size in Unit().
    GCustomMediaSize Edited();
    // Replaces the edited size (recorded first); kept in Unit().
    void StoreEdited(GCustomMediaSize size);
    // The limits in Unit(): width (x) and height (y).
    GSizePair Minimum();
    GSizePair Maximum();
    // The length clamped into the limits of one dimension (0 width, 1 height).
    uint32_t Clamp(int axis, uint64_t length);
    // The edited size becomes the size of paperId: a saved size as it is,
    // a standard paper unnamed with its dimensions (Letter for an id that
    // is no longer saved).
    void LoadForEditing(uint16_t paperId);

    // --- Saved sizes ----------------------------------------------------------------
    const GCustomMediaSize* FindSaved(const RWCString& name);
    const GCustomMediaSize* FindSaved(uint16_t paperId);
    // Removes the saved size (recorded): 1 when there was one.
    int32_t RemoveSaved(uint16_t paperId);
    // Non-zero when the printer refuses the edited size.
    int32_t CheckEdited();
    // Saves the edited size upright (a width above the height is exchanged,
    // in the edited size too): the new paper id, 0 when the list is full.
    uint16_t SaveEdited();

private:
    GSizePair Limit(uint32_t id, int16_t paperId);
    int32_t IsOutsideLayoutRange(uint16_t paperId);
    int32_t NeedsLayoutReset();
    void ResetLayout();
};
