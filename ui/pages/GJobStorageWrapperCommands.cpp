// GJobStorageWrapper: the user's actions on the tab.
#include "ui/pages/GJobStorageWrapper.h"

#include <cctype>

#include "winapi/WinCommonUI.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinMessageBox.h"
#include "winapi/WinWindow.h"

using JobStorageNames::Name;

namespace {

constexpr uint16_t kReplacedText = 12112;
constexpr uint16_t kReplacedCaption = 11909;
constexpr int kCancelButton = IDCANCEL;
constexpr char16_t kAutomaticName[] = u"<AUTOMATIC>";

bool SameIgnoringCase(const std::u16string& a, const std::u16string& b) {
    auto fold = [](char16_t c) { return c < 0x80 ? static_cast<char16_t>(std::toupper(c)) : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

} // namespace

LRESULT GJobStorageWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Option() == nullptr) return 0;
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header == nullptr || header->code != PSN_KILLACTIVE) return 0;
        TakeValue();
        return 1;
    }
    if (message != WM_COMMAND) return 0;
    return OnCommand(LOWORD(wParam), HIWORD(wParam));
}

LRESULT GJobStorageWrapper::OnCommand(uint16_t id, uint16_t code) {
    if (id == kCancelButton) {
        if (GetFocus() != GetDlgItem(Dialog(), kCancelButton)) skipValidation_ = true;
        return 0;
    }
    if (id == Id(kUserEdit)) return OnNameCommand({Name::kUser, kUserEdit}, code);
    if (id == Id(kJobEdit)) return OnNameCommand({Name::kJob, kJobEdit}, code);
    if (id == Id(kPinEdit)) return OnPinCommand(code);
    if (code != BN_CLICKED) return 0;
    for (Row row : {kWindowsUser, kCustomUser, kAutomaticJob, kCustomJob})
        if (id == Id(row)) return OnSourceButton(row);
    if (OwnsId(id) == 0) return 0;
    TakeValue();
    ShowValue(1);
    return 1;
}

LRESULT GJobStorageWrapper::OnNameCommand(const NameField& field, uint16_t code) {
    GJobStorageFeature* option = Option();
    if (code == EN_SETFOCUS) {
        SendMessageW(Item(field.edit), EM_SETSEL, 0, -1);
        if (field.which == Name::kUser) {
            option->SetUserNameSource(1);
        } else if (option->JobNameSource() != 1) {
            option->SetJobNameSource(1);
            ShowValue(1);
            SetItemText(kJobEdit, u"");
            return 1;
        }
        ShowValue(1);
        return 1;
    }
    if (code == EN_CHANGE) {
        std::u16string text = ItemText(field.edit);
        if (!NameFilter(text, JobStorageNames::kTyping, field.which)) return 0;
        WriteBack(field.edit, text);
        StoreName(field.which, text);
        return 0;
    }
    if (code == EN_KILLFOCUS) return OnNameLeft(field);
    return 0;
}

LRESULT GJobStorageWrapper::OnNameLeft(const NameField& field) {
    if (tableExists_ && (skipValidation_ || GetFocus() == GetDlgItem(Dialog(), kCancelButton))) {
        skipValidation_ = false;
        return 0;
    }
    GJobStorageFeature* option = Option();
    std::u16string text = ItemText(field.edit);
    if (field.which == Name::kUser && SameIgnoringCase(text, WindowsUserName())) option->SetUserNameSource(0);
    if (NameFilter(text, JobStorageNames::kLeaving, field.which)) WriteBack(field.edit, text);
    if (field.which == Name::kJob)
        option->SetJobNameSource(text.empty() || SameIgnoringCase(text, kAutomaticName) ? 0 : 1);
    if (replaced_) {
        replaced_ = false;
        const std::u16string message = ResourceText(kReplacedText);
        const std::u16string caption = ResourceText(kReplacedCaption);
        ShowMessage(message.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
    }
    TakeValue();
    ShowValue(1);
    return 1;
}

LRESULT GJobStorageWrapper::OnPinCommand(uint16_t code) {
    if (code == EN_SETFOCUS) {
        SendMessageW(Item(kPinEdit), EM_SETSEL, 0, -1);
        return 0;
    }
    if (code != EN_CHANGE && code != EN_KILLFOCUS) return 0;
    std::u16string text = ItemText(kPinEdit);
    const bool leaving = code == EN_KILLFOCUS;
    if (PinFilter(text, leaving)) WriteBack(kPinEdit, text);
    if (!leaving) return 0;
    TakeValue();
    ShowValue(1);
    return 1;
}

LRESULT GJobStorageWrapper::OnSourceButton(Row row) {
    GJobStorageFeature* option = Option();
    switch (row) {
    case kWindowsUser: {
        const std::u16string name = WindowsUserName();
        SetItemText(kUserEdit, name);
        StoreName(Name::kUser, name);
        option->SetUserNameSource(0);
        break;
    }
    case kCustomUser:
        SetFocus(Item(kUserEdit));
        SendMessageW(Item(kUserEdit), EM_SETSEL, 0, -1);
        option->SetUserNameSource(1);
        break;
    case kAutomaticJob:
        SetItemText(kJobEdit, ResourceText(kAutomaticText));
        option->SetJobName(std::string());
        option->SetJobNameSource(0);
        break;
    default:
        SetFocus(Item(kJobEdit));
        SetItemText(kJobEdit, u"");
        option->SetJobNameSource(1);
        break;
    }
    return 1;
}
