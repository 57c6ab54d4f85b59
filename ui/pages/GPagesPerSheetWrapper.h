#pragma once
// Pages per sheet: a number field with arrows that step through the
// numbers that fit a sheet, and, for more than one page, "Print Page
// Borders" and the page order.
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GPagesPerSheetFeature.h"

class GPagesPerSheetWrapper : public GOptionWrapper<GPagesPerSheetFeature> {
public:
    // Table: index 0 the number field, 1 its arrows, 2 their label, 3 the
    // borders box, 4 the order label, 5 the order combo box.
    GPagesPerSheetWrapper(GPagesPerSheetFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // The arrows' range and the page orders the resources allow.
    void OnAttach() override;
    // The arrows step (UDN_DELTAPOS); the field takes its number as it is
    // typed and shows it anew when left; the borders box and the order list
    // take their choice. 1 when a value was taken.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The state; the borders and order controls only for more than one page.
    void Refresh() override;
    void ShowValue(uint32_t force) override;
    // The typed number, when it is one, as the number that fits; with more
    // than one page also the borders and the order shown.
    void TakeValue() override;

private:
    LRESULT OnCommand(uint16_t control, uint16_t code);
    void Spin(int delta);
    // The number the field holds; false when it holds none.
    bool FieldNumber(int32_t& number) const;
    void EnableExtras(bool enable);
    void ShowNumber(int16_t value);

    GComboBoxWrapper orders_;
};
