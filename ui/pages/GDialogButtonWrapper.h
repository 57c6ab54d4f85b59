#pragma once
// A button that runs a sub-dialog it owns: a click runs it with a
// snapshot, so that Cancel gives back every setting the dialog changed.
// The button shows and takes no value; its availability is its feature's.
#include <memory>

#include "ui/framework/GModalDialog.h"
#include "ui/pages/GOptionWrapper.h"
#include "winapi/WinControls.h"
#include "winapi/WinUser.h"
#include "winapi/WinWindow.h"

template <class FeatureType> class GDialogButtonWrapper : public GOptionWrapper<FeatureType> {
public:
    // Table: index 0 the button. The wrapper owns the dialog.
    GDialogButtonWrapper(FeatureType* feature, const GControlHelpPair* table, GModalDialog* dialog)
        : GOptionWrapper<FeatureType>(feature, table), dialog_(dialog) {}

    // A click on the button runs the dialog: 1 when it ends with OK (1),
    // else 0; 0 for every other message.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message != WM_COMMAND || LOWORD(wParam) != this->ControlId(0) || HIWORD(wParam) != BN_CLICKED ||
            dialog_ == nullptr)
            return 0;
        return dialog_->Run(this->Dialog(), 1) == IDOK ? 1 : 0;
    }
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}

private:
    std::unique_ptr<GModalDialog> dialog_;
};
