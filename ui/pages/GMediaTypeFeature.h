#pragma once
// The paper type of the selected Paper tab: 261 (and 262 while the first
// page does not differ), 262 or 973, each an English key (GPaperTypeKeys).
//
// A paper type chosen as the source (the last source, 923, is a type's
// string id) fixes the type of the tab: EnforceSourceType writes that key
// as a recorded change, and the type control then shows disabled. The
// state itself only reads.
#include <cstdint>

#include "rw/RWCString.h"
#include "ui/framework/GFeature.h"

class GMediaTypeFeature : public GFeature {
public:
    explicit GMediaTypeFeature(GUIModel* model) : GFeature(model) {}

    // Disabled while a paper type is the source; else tab 0 enabled, tab 1
    // and 2 as the type rule says (0x40000097 with its message 0x40000098),
    // tab 2 disabled unless the back cover has an alternate source.
    uint16_t GetState() override;
    // The tab, 261, 262, 973, 264 or 701 changed (and 260 with a
    // form-to-tray database).
    int32_t WasChanged();
    // The key of the selected tab.
    RWCString GetKey();
    // Writes the key of a type to the selected tab (nothing for 11112);
    // a user-defined type (11144) stores its name. Then the transparency
    // rule of the colour mode (304).
    void SetType(uint16_t id, const RWCString& name);
    // The key a paper-type source forces, written to the tab when it differs.
    void EnforceSourceType();
    // 1 when the printer's form-to-tray assignments offer the type for the
    // current size (every type without assignments).
    int32_t IsTypeOffered(uint16_t id);

private:
    void WriteKey(const RWCString& key);
    void ApplyTransparencyRule();
};
