#pragma once
// One code of the colour control in use (295) for an object kind (0 text,
// 1 graphics, 2 photographs) and a field (0 colour map, 1 halftone), chosen
// from a list of the defaults. The control is edited in place: the change
// is recorded with the UI model first, so that an undo or the snapshot of a
// dialog gives the old codes back.
#include <cstdint>

#include "ui/pages/GChromalistListFeature.h"

class MPersistentObject;

class GChromalistOptionFeature : public GChromalistListFeature {
public:
    static constexpr int32_t kColourMapField = 0;
    static constexpr int32_t kHalftoneField = 1;

    // groupId: the group the control is looked for in (the document group
    // 364 is searched from the root, as the settings hold it).
    GChromalistOptionFeature(GUIModel* model, uint32_t groupId, uint32_t attributeId, uint32_t listId,
                             int32_t kind, int32_t field)
        : GChromalistListFeature(model, attributeId, listId), groupId_(groupId), kind_(kind), field_(field) {}

    virtual int32_t Kind() const { return kind_; }
    int32_t Field() const { return field_; }

    // The code; 0 without a colour control or a code for the cell.
    int16_t GetValue() override;
    // 1 when the code is in place (recorded before it changes); 0 without a
    // colour control or a code for the cell.
    int32_t SetValue(int16_t value) override;
    // 1 when the colour control changed.
    int32_t WasChanged() override;

private:
    // The colour control in the current settings, or null.
    MPersistentObject* CurrentControl() const;

    uint32_t groupId_;
    int32_t kind_;
    int32_t field_;
};
