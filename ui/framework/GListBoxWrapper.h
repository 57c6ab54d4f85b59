#pragma once
// One list box of a dialog, spoken to with the standard list-box messages.
// Option controls hold one as a member and attach it when their dialog
// exists. Item data are pointer-sized; the data searches compare the low
// 16 bits.
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GListBoxWrapper {
public:
    // The selected data answered without a selection.
    static constexpr LRESULT kNoData = 0xFFFF;

    void Attach(HWND dialog, uint16_t controlId);

    LRESULT ResetContent();
    LRESULT DeleteString(int16_t index);
    LRESULT SetHorizontalExtent(int16_t extent);
    LRESULT GetCurSel();
    LRESULT SetCurSel(int16_t index);
    LRESULT GetItemData(int16_t index);
    LRESULT SetItemData(int16_t index, LONG_PTR data);
    LRESULT GetCount();
    LRESULT AddString(LPCWSTR text);
    // The new item's index, or the failure of adding it or of setting its
    // data (LB_ERR, LB_ERRSPACE).
    LRESULT AddStringWithData(LPCWSTR text, int16_t data);
    // Deletes / selects the first item whose text is exactly this one; the
    // search ends at the first text that cannot be read.
    void DeleteByText(const RWWString& text);
    void SelectByText(const RWWString& text);
    // Selects the first item whose data has these low 16 bits.
    void SelectByData(uint16_t data);
    // The selected item's data; kNoData without a selection.
    LRESULT GetSelectedData();
    // 1 and the selected item's text; 0 without a selection or when the
    // text cannot be read.
    int32_t GetSelectedText(RWWString& text);

    HWND Dialog() const { return dialog_; }
    uint16_t ControlId() const { return controlId_; }

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // The index of the first item with this text; -1 when none has it or a
    // text cannot be read first.
    LRESULT FindText(const RWWString& text);

    HWND dialog_ = nullptr;
    uint16_t controlId_ = 0;
};
