#pragma once
// The paper type list of the Paper page: "Auto Select" first, then the
// types the printer's form-to-tray assignments offer for the size, and a
// user-defined type under its own name when the tab holds one. "Rough" and
// the types 11121-11123 are never listed.
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GMediaTypeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GMediaTypeWrapper : public GOptionWrapper<GMediaTypeFeature> {
public:
    // Table: 0 the list, 1 its label.
    GMediaTypeWrapper(GMediaTypeFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void OnAttach() override;
    // The type a paper-type source forces is written first (a recorded
    // change), then the state is read.
    void Refresh() override;
    // A choice in the list: TakeValue and 1.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

private:
    void Fill();

    GComboBoxWrapper list_;
};
