#pragma once
// The view side of one option: binds a feature (the model side) to the
// controls of a dialog or property page listed in a table of {control id,
// help id} pairs. The page keeps a list of wrappers, routes messages to
// them, joins their help tables and tells them when its window exists.
// Every option control of the tabs derives from it.
//
// The wrapper remembers the visibility and enabled state it last applied,
// so repeating a state sends nothing; attaching to a window forgets them,
// so the first state after a window is created is always applied.
#include <cstdint>
#include <vector>

#include "winapi/WinTypes.h"

class GFeature;

// One row of a control table; a table ends with a row whose control id is 0.
struct GControlHelpPair {
    uint32_t controlId;
    uint32_t helpId;
};

class GWrapper {
public:
    // A help id for a control without a help topic.
    static constexpr uint32_t kNoHelp = 0xFFFFFFFF;

    // The feature is borrowed (a feature may serve several controls); the
    // table is copied up to and including its terminating row.
    GWrapper(GFeature* feature, const GControlHelpPair* table);
    GWrapper(const GWrapper&) = delete;
    GWrapper& operator=(const GWrapper&) = delete;
    virtual ~GWrapper();

    // Refresh, then ShowValue(value).
    virtual void Init(uint32_t value);
    // WM_COMMAND: TakeValue and 1; any other message: 0.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called by Attach once the window is set.
    virtual void OnAttach() {}
    // 1 when the window is the dialog's item of one of the table's controls.
    virtual uint32_t OwnsWindow(HWND window) const;
    virtual uint32_t OwnsId(uint16_t controlId) const;
    virtual uint32_t IsSame(const GWrapper* other) const { return other == this ? 1 : 0; }
    // The rows, ended by the terminating row.
    virtual const GControlHelpPair* ControlTable() const { return table_.data(); }
    // Shows the feature's value in the controls.
    virtual void ShowValue(uint32_t value) = 0;
    // Reads the controls and writes the feature.
    virtual void TakeValue() = 0;
    // Fills the controls' choices and state.
    virtual void Refresh() = 0;
    // A feature state: 0 shown and enabled, 1 shown and disabled, 2 hidden
    // and disabled; other values change nothing.
    virtual void SetState(uint16_t state);
    virtual void EnableAll(uint32_t flag);
    // A locked feature keeps the control disabled; while the wrapper is
    // disabled as a whole, no single control is enabled.
    virtual void EnableControl(uint16_t index, uint32_t flag);
    virtual void ShowAll(uint32_t flag);
    // While the wrapper is hidden as a whole, no single control is shown.
    virtual void ShowControl(uint16_t index, uint32_t flag);
    virtual HWND Dialog() const { return dialog_; }

    // Binds the wrapper to its dialog window: the applied states are
    // forgotten, then OnAttach.
    void Attach(HWND dialog);
    // The control id of a row; 0 past the table.
    uint32_t ControlId(uint16_t index) const;
    // The number of rows before the terminating one.
    uint16_t ControlCount() const { return static_cast<uint16_t>(table_.size() - 1); }
    GFeature* Feature() const { return feature_; }
    // The message box of the property sheets, owned by the dialog.
    int ShowMessage(LPCWSTR text, LPCWSTR caption, UINT style) const;

private:
    HWND dialog_ = nullptr;
    uint32_t visible_ = 1;
    uint32_t enabled_ = 1;
    uint32_t visibleSet_ = 0;
    uint32_t enabledSet_ = 0;
    std::vector<GControlHelpPair> table_;
    GFeature* feature_;
};
