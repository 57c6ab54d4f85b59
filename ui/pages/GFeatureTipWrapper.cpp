#include "ui/pages/GFeatureTipWrapper.h"

#include "rw/RWWString.h"
#include "ui/framework/GBitmapDrawing.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinDialog.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinMessageBox.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kTipHandCursor = 11270;
constexpr uint16_t kTipCaption = 11901;

// Normal and pressed pictures of each icon kind.
struct TipIconPictures {
    uint16_t normal;
    uint16_t pressed;
};
constexpr TipIconPictures kTipIcons[] = {{11280, 11281}, {11282, 11283}};

} // namespace

void GFeatureTipWrapper::Init(uint32_t force) {
    if (hand_ == nullptr) {
        hand_ = LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(kTipHandCursor));
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
    GOptionWrapper::Init(force);
}

LRESULT GFeatureTipWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item != nullptr && item->CtlID == ControlId(0)) Draw(*item);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == ControlId(0) && HIWORD(wParam) == BN_CLICKED) ShowHint();
        return TakeCursor();
    case WM_SETCURSOR:
        return TakeCursor();
    default:
        return 0;
    }
}

void GFeatureTipWrapper::Draw(const DRAWITEMSTRUCT& item) const {
    const TipIconPictures& icon = kTipIcons[iconKind_ == kPageIcon ? 1 : 0];
    const uint16_t picture = (item.itemState & ODS_SELECTED) != 0 ? icon.pressed : icon.normal;
    DrawBitmapAligned(item.hDC, picture, 0, kBitmapPlain, kBitmapCentred);
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

void GFeatureTipWrapper::ShowHint() const {
    if (Option() == nullptr) return;
    RWWString text;
    RWWString caption;
    LoadResString(Option()->MessageId(), text);
    LoadResString(kTipCaption, caption);
    ShowMessage(text.Data(), caption.Data(), MB_ICONINFORMATION);
}

// The dialog answers the message itself, so the pointer keeps the hand.
LRESULT GFeatureTipWrapper::TakeCursor() const {
    SetCursor(hand_);
    SetWindowLongPtrW(Dialog(), DWLP_MSGRESULT, 1);
    return 1;
}
