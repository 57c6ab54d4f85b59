#pragma once
// The paper source of the selected Paper tab: 258 (first page or all
// pages), 263 (other pages) or 921 (back cover). The list offers the trays
// of the installed input units and, when the printer says so (922 = 1),
// the paper types as sources: choosing one takes the automatic source and
// fixes the tab's paper type.
#include <cstdint>
#include <vector>

#include "rw/RWWString.h"
#include "ui/framework/GValueFeature.h"

class GPaperSourceFeature : public GValueFeature {
public:
    struct Entry {
        int32_t data; // a tray id or a paper type's string id
        RWWString text;
    };

    explicit GPaperSourceFeature(GUIModel* model);

    // The source of the selected tab.
    int16_t GetValue() override;
    // A tray or a paper type for the selected tab (see the class comment);
    // the last source (923) becomes the value.
    int32_t SetValue(int16_t value) override;
    // The tab, a source, 264 or 920 changed.
    int32_t WasChanged() override;
    // Disabled when rule 0x400000CD says so; else by tab: the rules of the
    // first and other pages, and on the back cover tab disabled unless it
    // has an alternate source.
    uint16_t GetState() override;
    // The list's entries in order.
    std::vector<Entry> Sources();

private:
    void SetTray(int16_t tab, int16_t tray);
    void SetPaperType(int16_t tab, uint16_t type);
};
