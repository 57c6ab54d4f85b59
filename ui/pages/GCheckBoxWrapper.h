#pragma once
// A check box over an on/off value of its feature: checked exactly for 1;
// a click stores 1 when the box is checked, else 0 (through the base's
// handling of every command from the box).
#include "ui/pages/GOptionWrapper.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

template <class FeatureType> class GCheckBoxWrapper : public GOptionWrapper<FeatureType> {
public:
    // Table: index 0 the check box.
    GCheckBoxWrapper(FeatureType* feature, const GControlHelpPair* table)
        : GOptionWrapper<FeatureType>(feature, table) {}

    void ShowValue(uint32_t force) override {
        FeatureType* option = this->Option();
        if (option == nullptr || (force == 0 && option->WasChanged() == 0)) return;
        CheckDlgButton(this->Dialog(), Box(), option->GetValue() == 1 ? BST_CHECKED : BST_UNCHECKED);
    }
    void TakeValue() override {
        if (this->Option() == nullptr) return;
        this->Option()->SetValue(IsDlgButtonChecked(this->Dialog(), Box()) != 0 ? 1 : 0);
    }

private:
    int Box() const { return static_cast<int>(this->ControlId(0)); }
};
