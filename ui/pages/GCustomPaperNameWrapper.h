#pragma once
// The name of the Custom Paper Size dialog: an editable list of the saved
// custom sizes and one button that saves the edited size under the typed
// name, renames the chosen saved size, or deletes it. Closing the dialog
// with a saved size chosen makes it the paper size.
#include <cstdint>

#include "rw/RWCString.h"
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GCustomPaperSizeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GDriverContext;
class RWWString;

class GCustomPaperNameWrapper : public GOptionWrapper<GCustomPaperSizeFeature> {
public:
    enum class Mode { kSave, kRename, kDelete };

    // Table: 0 the name list, 1 the button, 2 Close.
    GCustomPaperNameWrapper(GCustomPaperSizeFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void OnAttach() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    // The typed name goes into the edited size.
    void TakeValue() override;

    Mode GetMode() const { return mode_; }

    // Adds one item per saved custom size; goes on.
    static int32_t MediaNameCallback(GDriverContext* context, uint16_t paperId, const RWWString& name,
                                     void* data);

private:
    void Fill();
    void SetMode(Mode mode);
    void ShowName(const RWCString& name);
    // The typed name, trimmed; "Untitled" when empty.
    RWCString TypedName();
    void StoreName(const RWCString& name);
    void OnButton();
    void Save(const RWCString& name);
    void Rename(const RWCString& name);
    void Delete();
    bool Refused();
    int Ask(uint16_t textId, uint16_t captionId, UINT style);
    void FocusName();

    GComboBoxWrapper list_;
    Mode mode_ = Mode::kSave;
    uint16_t chosenId_ = 0;
    RWCString shownName_;
};
