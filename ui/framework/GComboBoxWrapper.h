#pragma once
// One combo box of a dialog, spoken to with the standard combo-box
// messages. Option controls hold one as a member and attach it when their
// dialog exists. Item data are pointer-sized.
#include <cstdint>

#include "rw/RWCString.h"
#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GComboBoxWrapper {
public:
    void Attach(HWND dialog, uint16_t controlId);

    LRESULT ResetContent();
    LRESULT DeleteString(int16_t index);
    LRESULT GetCurSel();
    LRESULT SetCurSel(int16_t index);
    LRESULT LimitText(int16_t length);
    LRESULT GetItemData(int16_t index);
    LRESULT SetItemData(int16_t index, LONG_PTR data);
    LRESULT GetCount();
    LRESULT AddString(LPCWSTR text);
    // The new item's index, or the failure of adding it or of setting its
    // data (CB_ERR, CB_ERRSPACE).
    LRESULT AddStringWithData(LPCWSTR text, LONG_PTR data);
    // Sets the control's text only when it differs.
    void SetTextIfChanged(const RWWString& text);
    // Selects the first item with this data; nothing when none has it.
    void SelectByData(LONG_PTR data);
    // Selects the first item whose text is exactly this one (in the ANSI
    // code page); the search ends at the first text that cannot be read.
    void SelectByText(const RWCString& text);
    // The selected item's data; -1 without a selection.
    LRESULT GetSelectedData();
    // 1 and the selected item's text; 0 without a selection or when the
    // text cannot be read.
    int32_t GetSelectedText(RWCString& text);
    // 1 and the text of the edit field of an editable combo box; 0 and an
    // empty text when it cannot be read.
    int32_t GetText(RWCString& text);
    // Makes the drop-down list as wide as its widest item text (in the
    // control's font).
    void FitDroppedWidth();

    HWND Dialog() const { return dialog_; }
    uint16_t ControlId() const { return controlId_; }

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool ItemText(LONG_PTR index, RWWString& text);

    HWND dialog_ = nullptr;
    uint16_t controlId_ = 0;
};
