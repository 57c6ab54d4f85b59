#include "ui/framework/GAboutWrapper.h"

#include "ui/framework/GBitmapDrawing.h"
#include "winapi/WinControls.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kButtonPicture = 11251;
constexpr uint16_t kButtonPictureMask = 11252;
// The focus mark covers the picture at the control's left.
constexpr LONG kAboutFocusWidth = 40;

LRESULT DrawAboutControl(const DRAWITEMSTRUCT& item) {
    if (item.itemAction == ODA_DRAWENTIRE) {
        DrawBitmapAligned(item.hDC, kButtonPicture, kButtonPictureMask, kBitmapTransparent,
                          kBitmapCentredVertically);
        return 1;
    }
    const RECT mark{item.rcItem.left, item.rcItem.top, item.rcItem.left + kAboutFocusWidth,
                    item.rcItem.bottom};
    DrawFocusRect(item.hDC, &mark);
    return 0;
}

} // namespace

LRESULT GAboutWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item != nullptr && item->CtlID == ControlId(0) ? DrawAboutControl(*item) : 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == ControlId(0) && HIWORD(wParam) == BN_CLICKED && about_)
        about_->Run(Dialog(), GAboutFeature::kTemplate);
    return 0;
}

void GAboutWrapper::Refresh() {
    if (about_) SetState(about_->GetState());
}
