// The About box's dialog: its labels, its two lists and its picture.
#include <vector>

#include "driver/GResourceStringResolver.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GSettingIds.h"
#include "ui/framework/GAboutFeature.h"
#include "ui/framework/GBitmapDrawing.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

// Controls of the box.
constexpr int kVersionLabel = 11521;
constexpr int kExtensionList = 11522;
constexpr int kModelLabel = 11523;
constexpr int kCopyrightLabel = 11524;
constexpr int kExtensionHeading = 11526;
constexpr int kPicture = 11527;
constexpr int kStatusList = 11539;

// Strings of the resource library.
constexpr uint16_t kVersionWord = 11015;
constexpr uint16_t kVersionNumber = 11016;
constexpr uint16_t kCopyrightText = 11017;
constexpr uint16_t kExtensionHeadingText = 11019;
constexpr uint16_t kDriverName = 13620;

// The box's picture and its mask.
constexpr uint16_t kBoxPicture = 11255;
constexpr uint16_t kBoxPictureMask = 11256;

// The extension-interface level the driver offers plug-ins.
constexpr char16_t kAboutExtensionLevel[] = u" (RUZ 2.0)";

constexpr uint32_t kAboutModelStrings[] = {GSettingId::kModelDisplayString1, GSettingId::kModelDisplayString2,
                                           GSettingId::kModelDisplayString3};

// The lines go into the list; a list without lines is disabled.
void FillAboutList(HWND dialog, int id, const std::vector<RWWString>& lines) {
    for (const RWWString& line : lines)
        SendDlgItemMessageW(dialog, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.Data()));
    EnableWindow(GetDlgItem(dialog, id), lines.empty() ? FALSE : TRUE);
}

void DrawAboutPicture(const DRAWITEMSTRUCT& item) {
    DrawBitmapAligned(item.hDC, kBoxPicture, kBoxPictureMask, kBitmapTransparent, kBitmapCentred);
}

} // namespace

RWWString GAboutFeature::VersionLine() {
    RWWString line = ResText(kVersionWord) + ResText(kVersionNumber);
    if (Model()->Defaults().FindValue(GSettingId::kPlugInsSupported) != nullptr) line += kAboutExtensionLevel;
    return line;
}

// The model's display strings joined with " - "; the driver's name when the
// settings hold none.
RWWString GAboutFeature::ModelLine() {
    RWWString line;
    const GSettingsAccessor current = Model()->CurrentSettings();
    for (uint32_t id : kAboutModelStrings) {
        const auto* shown =
            dynamic_cast<GDisplayStringAttribute*>(current.FindTyped(id, GDisplayStringAttribute::kClassId));
        if (shown == nullptr) continue;
        const RWWString text =
            GResourceStringResolver(ResourceModule(), &shown->GetDisplayString()).Resolve();
        if (text.IsNull()) continue;
        if (!line.IsNull()) line += u" - ";
        line += text;
    }
    return line.IsNull() ? ResText(kDriverName) : line;
}

void GAboutFeature::FillDialog(HWND dialog) {
    SetItemTextIfChanged(dialog, kVersionLabel, VersionLine());
    SetItemTextIfChanged(dialog, kModelLabel, ModelLine());
    SetItemTextIfChanged(dialog, kCopyrightLabel, ResText(kCopyrightText));
    SetItemTextIfChanged(dialog, kExtensionHeading, ResText(kExtensionHeadingText));
    FillAboutList(dialog, kExtensionList, extensionLines_);
    FillAboutList(dialog, kStatusList, statusLines_);
}

INT_PTR AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* feature = reinterpret_cast<GAboutFeature*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        if (feature != nullptr) feature->FillDialog(window);
        return 1;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item == nullptr || item->CtlID != kPicture) return 0;
        DrawAboutPicture(*item);
        return 1;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return 0;
        EndDialog(window, LOWORD(wParam));
        return 1;
    default:
        return 0;
    }
}
