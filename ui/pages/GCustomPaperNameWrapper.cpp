#include "ui/pages/GCustomPaperNameWrapper.h"

#include "model/GSettingIds.h"
#include "rw/RWWString.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kNameListIndex = 0;
constexpr uint16_t kNameButtonIndex = 1;
constexpr uint16_t kNameCloseIndex = 2;
constexpr uint16_t kSaveText = 11026;
constexpr uint16_t kRenameText = 11027;
constexpr uint16_t kDeleteText = 11028;
constexpr uint16_t kUntitled = 11029;
constexpr uint16_t kRefusedText = 11007;
constexpr uint16_t kReplaceText = 11008;
constexpr uint16_t kNameTakenText = 11009;
constexpr uint16_t kListFullText = 11010;
constexpr uint16_t kProblemCaption = 11011;
constexpr uint16_t kDeleteQuestion = 13600;
constexpr uint16_t kDeleteCaption = 13601;

RWCString UntitledName() {
    RWWString text;
    LoadResString(kUntitled, text);
    return text.ToMultiByte();
}

RWCString Trimmed(const RWCString& text) {
    size_t first = 0;
    size_t last = text.Length();
    while (first < last && text.Data()[first] == ' ')
        ++first;
    while (last > first && text.Data()[last - 1] == ' ')
        --last;
    return RWCString(text.Data() + first, last - first);
}

} // namespace

int32_t GCustomPaperNameWrapper::MediaNameCallback(GDriverContext*, uint16_t paperId, const RWWString& name,
                                                   void* data) {
    if (paperId >= GCustomMediaSize::kFirstCustomPaperId && paperId <= GCustomMediaSize::kLastCustomPaperId)
        static_cast<GCustomPaperNameWrapper*>(data)->list_.AddStringWithData(name.Data(), paperId);
    return 1;
}

void GCustomPaperNameWrapper::OnAttach() {
    list_.Attach(Dialog(), static_cast<uint16_t>(ControlId(kNameListIndex)));
    Fill();
    shownName_ = RWCString();
    const GCustomMediaSize* saved =
        Option() != nullptr ? Option()->FindSaved(Option()->Edited().GetName()) : nullptr;
    chosenId_ = saved != nullptr ? saved->GetPaperId() : 0;
    SetMode(saved != nullptr ? Mode::kDelete : Mode::kSave);
    ShowValue(1);
}

void GCustomPaperNameWrapper::Fill() {
    list_.ResetContent();
    if (Option() != nullptr)
        Option()->Model()->ForwardToContext(&GCustomPaperNameWrapper::MediaNameCallback, this, 1);
}

void GCustomPaperNameWrapper::SetMode(Mode mode) {
    mode_ = mode;
    RWWString text;
    LoadResString(mode == Mode::kSave ? kSaveText : mode == Mode::kRename ? kRenameText : kDeleteText, text);
    SetItemTextIfChanged(Dialog(), static_cast<int>(ControlId(kNameButtonIndex)), text);
}

void GCustomPaperNameWrapper::ShowName(const RWCString& name) {
    list_.SetTextIfChanged(RWWString(name, RWWString::MultiByte));
    shownName_ = name;
}

void GCustomPaperNameWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const RWCString name = Option()->Edited().GetName();
    // Emptying the list empties its text too.
    if (Option()->Model()->CurrentSettings().WasChanged(GSettingId::kCustomPaperSizes) != 0) {
        Fill();
        ShowName(name);
    }
    // Else the name is written only when the edited size's name changed, so
    // a name being typed stays.
    if (!(name == shownName_)) ShowName(name);
}

RWCString GCustomPaperNameWrapper::TypedName() {
    RWCString typed;
    list_.GetText(typed);
    typed = Trimmed(typed);
    return typed.Length() == 0 ? UntitledName() : typed;
}

void GCustomPaperNameWrapper::StoreName(const RWCString& name) {
    GCustomMediaSize edited = Option()->Edited();
    edited.SetName(name);
    Option()->StoreEdited(edited);
    ShowName(name);
}

void GCustomPaperNameWrapper::TakeValue() {
    if (Option() == nullptr) return;
    RWCString typed;
    list_.GetText(typed);
    GCustomMediaSize edited = Option()->Edited();
    edited.SetName(typed);
    Option()->StoreEdited(edited);
    shownName_ = typed;
}

LRESULT GCustomPaperNameWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || Option() == nullptr) return 0;
    const uint32_t id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == ControlId(kNameListIndex)) {
        if (code == CBN_SELCHANGE) {
            const LRESULT chosen = list_.GetSelectedData();
            const GCustomMediaSize* saved =
                chosen < 0 ? nullptr : Option()->FindSaved(static_cast<uint16_t>(chosen));
            if (saved == nullptr) return 0;
            chosenId_ = saved->GetPaperId();
            Option()->StoreEdited(*saved);
            shownName_ = saved->GetName();
            SetMode(Mode::kDelete);
            return 1;
        }
        if (code == CBN_EDITCHANGE && mode_ == Mode::kDelete) SetMode(Mode::kRename);
        if (code != CBN_KILLFOCUS) return 0;
        TakeValue();
        return 1;
    }
    if (id == ControlId(kNameButtonIndex) && code == BN_CLICKED) {
        OnButton();
        return 1;
    }
    if (id == ControlId(kNameCloseIndex) && mode_ == Mode::kDelete && chosenId_ != 0) {
        Option()->SetValue(static_cast<int16_t>(chosenId_));
        return 1;
    }
    return 0;
}

void GCustomPaperNameWrapper::OnButton() {
    if (mode_ == Mode::kDelete) {
        Delete();
        return;
    }
    const RWCString name = TypedName();
    StoreName(name);
    if (mode_ == Mode::kRename)
        Rename(name);
    else
        Save(name);
}

bool GCustomPaperNameWrapper::Refused() {
    if (Option()->CheckEdited() == 0) return false;
    Ask(kRefusedText, kProblemCaption, MB_OK | MB_ICONSTOP);
    StoreName(UntitledName());
    FocusName();
    return true;
}

void GCustomPaperNameWrapper::Save(const RWCString& name) {
    if (Refused()) return;
    if (const GCustomMediaSize* same = Option()->FindSaved(name)) {
        if (Ask(kReplaceText, kProblemCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            FocusName();
            return;
        }
        Option()->RemoveSaved(same->GetPaperId());
    }
    const uint16_t paperId = Option()->SaveEdited();
    if (paperId == 0) {
        Ask(kListFullText, kProblemCaption, MB_OK | MB_ICONSTOP);
        return;
    }
    chosenId_ = paperId;
    SetMode(Mode::kDelete);
}

void GCustomPaperNameWrapper::Rename(const RWCString& name) {
    if (Refused()) return;
    if (Option()->FindSaved(name) != nullptr) {
        Ask(kNameTakenText, kProblemCaption, MB_OK | MB_ICONSTOP);
        FocusName();
        return;
    }
    Option()->RemoveSaved(chosenId_);
    Save(name);
}

void GCustomPaperNameWrapper::Delete() {
    if (Ask(kDeleteQuestion, kDeleteCaption, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) return;
    Option()->RemoveSaved(chosenId_);
    chosenId_ = 0;
    StoreName(UntitledName());
    SetMode(Mode::kSave);
}

int GCustomPaperNameWrapper::Ask(uint16_t textId, uint16_t captionId, UINT style) {
    RWWString text;
    RWWString caption;
    LoadResString(textId, text);
    LoadResString(captionId, caption);
    return ShowMessage(text.Data(), caption.Data(), style);
}

void GCustomPaperNameWrapper::FocusName() {
    SetFocus(GetDlgItem(Dialog(), static_cast<int>(ControlId(kNameListIndex))));
}
