#pragma once
// The back cover (920): none, from the first page's source, or from an
// alternate source (921 and 973). Shown only on the back cover tab.
#include "ui/framework/GValueFeature.h"

class GBackCoverFeature : public GValueFeature {
public:
    explicit GBackCoverFeature(GUIModel* model);

    // Stores the mode; "from the first page" copies its source and type
    // to the back cover.
    int32_t SetValue(int16_t value) override;
    // The mode or the tab changed.
    int32_t WasChanged() override;
    // Hidden unless the back cover tab is selected; there rule 0x400000A9.
    uint16_t GetState() override;
    // 921 := 258 and 973 := 261 (recorded).
    void CopyFirstPage();
    // 1 when the settings hold a form-to-tray database.
    bool HasFormToTray();
};
