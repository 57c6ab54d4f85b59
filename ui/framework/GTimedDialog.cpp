#include "ui/framework/GTimedDialog.h"

#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GUIModel.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinHelp.h"
#include "winapi/WinTime.h"
#include "winapi/WinWindow.h"

GTimedDialog::GTimedDialog(uint16_t templateId, GUIModel* model, uint16_t seconds, uint32_t showSettingId,
                           uint32_t hasHelp, uint16_t helpId)
    : GModalDialog(templateId, model, hasHelp, helpId), seconds_(seconds), showSettingId_(showSettingId) {}

GTimedDialog::GTimedDialog(uint32_t dialogId, uint32_t seconds, const RWWString& printerName,
                           const RWWString& portName, const RWWString& userName,
                           const RWWString& resourceModuleName, const RWWString& location)
    : GModalDialog(static_cast<uint16_t>(dialogId), nullptr, 0, 0),
      seconds_(seconds), texts_{printerName, portName, userName, resourceModuleName, location} {}

GTimedDialog::~GTimedDialog() {
    if (boldFont_ != nullptr) DeleteObject(boldFont_);
}

INT_PTR GTimedDialog::Show(const RWWString& resourcePath, HWND owner) {
    if (resourcePath.IsNull() || LoadResourceLibrary(resourcePath.Data()) == 0) return -1;
    EnableWindow(owner, FALSE);
    const INT_PTR result =
        DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(TemplateId()), owner, &ModalDlgProc,
                        reinterpret_cast<LPARAM>(static_cast<GDialog*>(this)));
    EnableWindow(owner, TRUE);
    ReleaseResourceLibrary();
    return result;
}

INT_PTR GTimedDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_TIMER:
        if (wParam == kTimerId) OnTimer();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        break;
    }
    if (IsNotice()) return message == WM_COMMAND ? NoticeCommand(wParam) : 0;
    return GModalDialog::DialogProc(message, wParam, lParam);
}

INT_PTR GTimedDialog::OnInitDialog() {
    if (IsNotice()) {
        ShowNoticeTexts();
    } else if (ShowSetting() == 0) {
        EndDialog(Window(), IDOK);
        return 1;
    }
    StartTimer();
    return 1;
}

int16_t GTimedDialog::ShowSetting() const {
    int16_t show = 0;
    Model()->CurrentSettings().GetValue(showSettingId_, show);
    return show;
}

INT_PTR GTimedDialog::NoticeCommand(WPARAM wParam) {
    if (IsEndCommand(wParam)) {
        EndDialog(Window(), static_cast<INT_PTR>(wParam));
        return 1;
    }
    if (LOWORD(wParam) != kHelpId) return 0;
    WinHelpA(Window(), helpPath_.Data(), HELP_CONTEXT, kNoticeHelpContext);
    return 1;
}

// The names stand out in bold on the button face, as read-only fields.
void GTimedDialog::ShowNoticeTexts() {
    HWND dialog = Window();
    SetDlgItemTextW(dialog, kPrinterNameId, texts_[0].Data());
    SetDlgItemTextW(dialog, kPortNameId, texts_[1].Data());
    SetDlgItemTextW(dialog, kUserNameId, texts_[2].Data());
    SetDlgItemTextW(dialog, kResourceModuleId, texts_[3].Data());
    SetDlgItemTextW(dialog, kLocationId, texts_[4].Data());
    SetDlgItemTextW(dialog, kJobNameId, jobName_.Data());
    const auto font =
        reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(dialog, kPrinterNameId, WM_GETFONT, 0, 0));
    LOGFONTW face{};
    if (boldFont_ == nullptr && font != nullptr && GetObjectW(font, sizeof(face), &face) != 0) {
        face.lfWeight |= FW_BOLD;
        face.lfQuality = PROOF_QUALITY;
        boldFont_ = CreateFontIndirectW(&face);
    }
    for (int id : {kJobNameId, kUserNameId, kResourceModuleId}) {
        if (boldFont_ != nullptr)
            SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
        SendDlgItemMessageW(dialog, id, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
    }
}

// Without a time-out nothing closes the dialog but the user.
void GTimedDialog::StartTimer() {
    start_ = GetTickCount();
    if (seconds_ > 0) SetTimer(Window(), kTimerId, kTickMilliseconds, nullptr);
}

void GTimedDialog::OnTimer() {
    if ((GetTickCount() - start_) / 1000 >= seconds_) EndDialog(Window(), IDOK);
}

void GTimedDialog::OnDestroy() {
    KillTimer(Window(), kTimerId);
    if (IsDlgButtonChecked(Window(), kDontShowId) != BST_CHECKED) return;
    state_ = 0;
    if (!IsNotice()) Model()->CurrentSettings().SetValue(showSettingId_, 0);
}
