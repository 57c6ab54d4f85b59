#include "ui/framework/GWrapperItemText.h"

#include <algorithm>
#include <vector>

#include "winapi/WinDialog.h"

bool ReadListItemText(HWND dialog, uint16_t controlId, UINT lengthMessage, UINT textMessage, LONG_PTR index,
                      RWWString& text) {
    text = RWWString();
    const LRESULT length =
        SendDlgItemMessageW(dialog, controlId, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return false;
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1, 0);
    const LRESULT read = SendDlgItemMessageW(dialog, controlId, textMessage, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(buffer.data()));
    if (read < 0) return false;
    text = RWWString(buffer.data(), std::min(static_cast<size_t>(read), static_cast<size_t>(length)));
    return true;
}
