// GJobStorageWrapper: what the controls show, what they store, and the
// text filters.
#include "ui/pages/GJobStorageWrapper.h"

#include <algorithm>
#include <array>

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinSystem.h"
#include "winapi/WinWindow.h"

using JobStorageNames::Name;

namespace {

constexpr uint16_t kUntitledText = 11029;
constexpr uint16_t kUntitledUpperText = 12111;
constexpr uint16_t kFirstDescription = 12101;
constexpr uint16_t kFirstMopierDescription = 12106;
constexpr int16_t kHighestMode = 4;
// Longer than any name the fields are read for.
constexpr size_t kReadLimit = 256;
constexpr DWORD kUserNameBuffer = 257;

} // namespace

GJobStorageWrapper::GJobStorageWrapper(GJobStorageFeature* feature, const GControlHelpPair* table)
    : GOptionWrapper<GJobStorageFeature>(feature, table),
      tableExists_(feature != nullptr && feature->CharacterTable().Exists()) {}

void GJobStorageWrapper::OnAttach() {
    if (Option() != nullptr) Option()->TakeJobNumber();
}

std::u16string GJobStorageWrapper::ResourceText(uint16_t id) {
    RWWString text;
    LoadResString(id, text);
    return std::u16string(text.Data(), text.Length());
}

HWND GJobStorageWrapper::Item(Row row) const {
    return GetDlgItem(Dialog(), Id(row));
}

std::u16string GJobStorageWrapper::ItemText(Row row) const {
    std::array<WCHAR, kReadLimit + 1> buffer{};
    const UINT length = GetDlgItemTextW(Dialog(), Id(row), buffer.data(), static_cast<int>(buffer.size()));
    return std::u16string(buffer.data(), std::min<size_t>(length, kReadLimit));
}

void GJobStorageWrapper::SetItemText(Row row, const std::u16string& text) {
    SetItemTextIfChanged(Dialog(), Id(row), RWWString(text.data(), text.size()));
}

void GJobStorageWrapper::WriteBack(Row row, const std::u16string& text) {
    DWORD start = 0;
    SendMessageW(Item(row), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SetItemText(row, text);
    const WPARAM caret = std::min<WPARAM>(start, text.size());
    SendMessageW(Item(row), EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

std::u16string GJobStorageWrapper::WindowsUserName() const {
    std::array<WCHAR, kUserNameBuffer> buffer{};
    DWORD size = kUserNameBuffer;
    std::u16string name;
    if (GetUserNameW(buffer.data(), &size)) name = std::u16string(buffer.data());
    if (name.empty()) return ResourceText(kUntitledText);
    return name.substr(0, JobStorageNames::kNameLength);
}

JobStorageNames::Defaults GJobStorageWrapper::NameDefaults() const {
    return {WindowsUserName(), ResourceText(kAutomaticText), ResourceText(kUntitledText),
            ResourceText(kUntitledUpperText)};
}

void GJobStorageWrapper::ApplyOutcome(const JobStorageNames::Outcome& outcome, Name which) {
    replaced_ = replaced_ || outcome.replaced;
    if (!outcome.defaulted) return;
    if (which == Name::kUser)
        Option()->SetUserNameSource(0);
    else
        Option()->SetJobNameSource(0);
}

bool GJobStorageWrapper::AsciiNameFilter(std::u16string& text, int kind, Name which) {
    const JobStorageNames::Outcome outcome =
        JobStorageNames::FilterAsciiName(text, kind, which, NameDefaults());
    ApplyOutcome(outcome, which);
    return outcome.changed;
}

bool GJobStorageWrapper::TableNameFilter(std::u16string& text, int kind, Name which) {
    const JobStorageNames::Outcome outcome =
        JobStorageNames::FilterTableName(text, kind, which, NameDefaults(), Option()->CharacterTable());
    ApplyOutcome(outcome, which);
    return outcome.changed;
}

bool GJobStorageWrapper::PinFilter(std::u16string& text, bool pad) {
    return JobStorageNames::FilterPin(text, pad);
}

bool GJobStorageWrapper::ThreeCharacterFilter(std::u16string& text) {
    return JobStorageNames::FilterThreeCharacters(text);
}

bool GJobStorageWrapper::NameFilter(std::u16string& text, int kind, Name which) {
    return tableExists_ ? TableNameFilter(text, kind, which) : AsciiNameFilter(text, kind, which);
}

void GJobStorageWrapper::StoreName(Name which, const std::u16string& text) {
    const std::string bytes = JobStorageNames::StoredBytes(text);
    if (which == Name::kUser)
        Option()->SetUserName(bytes);
    else
        Option()->SetJobName(bytes);
}

void GJobStorageWrapper::DefaultNames() {
    GJobStorageFeature* option = Option();
    if (option == nullptr) return;
    for (Name which : {Name::kJob, Name::kUser}) {
        const std::string stored = which == Name::kUser ? option->UserName() : option->JobName();
        if (!stored.empty()) continue;
        std::u16string text;
        if (!tableExists_) text = which == Name::kUser ? WindowsUserName() : ResourceText(kAutomaticText);
        NameFilter(text, tableExists_ ? JobStorageNames::kFillDefault : JobStorageNames::kLeaving, which);
        StoreName(which, text);
    }
    if (option->Pin().empty()) option->SetPin(std::string(JobStorageNames::kPinLength, '0'));
}

void GJobStorageWrapper::ShowMode(int16_t mode, bool disk) {
    static constexpr Row kModeRows[] = {kOff, kQuickCopy, kProofAndHold, kStoredJob, kPrivateJob};
    const bool shown = mode >= 0 && mode <= kHighestMode && (disk || (mode != 1 && mode != 3));
    for (Row row : kModeRows)
        CheckDlgButton(Dialog(), Id(row), shown && row == kModeRows[mode] ? BST_CHECKED : BST_UNCHECKED);
    for (Row row : {kQuickCopy, kStoredJob, kRequirePin})
        ShowControl(row, disk ? 1 : 0);
    const bool mopier = Option()->IsMopier();
    const uint16_t first = mopier ? kFirstMopierDescription : kFirstDescription;
    const int16_t described = mode >= 0 && mode <= kHighestMode ? mode : 0;
    SetItemText(kDescription, ResourceText(static_cast<uint16_t>(first + described)));
}

void GJobStorageWrapper::ShowEnabling(int16_t mode, bool disk) {
    const uint32_t on = mode != 0 ? 1 : 0;
    for (Row row : {kUserEdit, kJobEdit, kWindowsUser, kCustomUser, kUserGroup, kAutomaticJob, kCustomJob,
                    kJobGroup, kNotificationGroup, kUserHint, kJobHint})
        EnableControl(row, on);
    const bool pin = mode == 4 || (mode == 3 && disk && Option()->RequirePin() != 0);
    for (Row row : {kPinLabel, kPinEdit, kPinHint, kPinGroup})
        EnableControl(row, pin ? 1 : 0);
    EnableControl(kStoredJob, disk ? 1 : 0);
    EnableControl(kRequirePin, mode == 3 && disk ? 1 : 0);
    EnableControl(kJobNumber, 0);
}

void GJobStorageWrapper::ShowSources(int16_t mode) {
    const bool customUser = Option()->UserNameSource() == 1;
    CheckRadioButton(Dialog(), Id(kWindowsUser), Id(kCustomUser),
                     Id(customUser ? kCustomUser : kWindowsUser));
    const bool customJob = Option()->JobNameSource() == 1;
    CheckRadioButton(Dialog(), Id(kAutomaticJob), Id(kCustomJob), Id(customJob ? kCustomJob : kAutomaticJob));
    const uint32_t numbering = !customJob && mode != 0 ? 1 : 0;
    for (Row row : {kUseJobName, kUniqueLabel, kJobNumberTail})
        EnableControl(row, numbering);
}

void GJobStorageWrapper::TakeWindowsUserOnce() {
    if (windowsUserTaken_ || Option()->UserNameSource() == 1) return;
    windowsUserTaken_ = true;
    StoreName(Name::kUser, WindowsUserName());
}

void GJobStorageWrapper::ShowTexts() {
    GJobStorageFeature* option = Option();
    CheckDlgButton(Dialog(), Id(kRequirePin), option->RequirePin() != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Dialog(), Id(kUseJobName), option->UseJobNumber() != 0 ? BST_CHECKED : BST_UNCHECKED);
    const std::string pin = option->Pin();
    SetItemText(kPinEdit, std::u16string(pin.begin(), pin.end()));
    SetItemText(kJobNumber, JobStorageNames::ShownName(option->JobNumber()));
    TakeWindowsUserOnce();
    SetItemText(kUserEdit, JobStorageNames::ShownName(option->UserName()));
    SetItemText(kJobEdit, JobStorageNames::ShownName(option->JobName()));
}

void GJobStorageWrapper::ShowValue(uint32_t force) {
    GJobStorageFeature* option = Option();
    if (option == nullptr || (force == 0 && option->WasChanged() == 0)) return;
    const int16_t mode = option->GetValue();
    const bool disk = option->HasHardDisk();
    ShowMode(mode, disk);
    if (mode != 0) DefaultNames();
    ShowEnabling(mode, disk);
    ShowSources(mode);
    ShowTexts();
}

int16_t GJobStorageWrapper::CheckedMode() const {
    static constexpr std::pair<Row, int16_t> kModes[] = {
        {kOff, 0}, {kQuickCopy, 1}, {kProofAndHold, 2}, {kStoredJob, 3}, {kPrivateJob, 4}};
    for (const auto& [row, mode] : kModes)
        if (IsDlgButtonChecked(Dialog(), Id(row)) == BST_CHECKED) return mode;
    return -1;
}

void GJobStorageWrapper::TakeValue() {
    GJobStorageFeature* option = Option();
    if (option == nullptr) return;
    const int16_t mode = CheckedMode();
    if (mode >= 0) option->SetValue(mode);
    const bool noPin = mode >= 0 && mode <= 2;
    option->SetRequirePin(!noPin && IsDlgButtonChecked(Dialog(), Id(kRequirePin)) == BST_CHECKED ? 1 : 0);
    option->SetUseJobNumber(IsDlgButtonChecked(Dialog(), Id(kUseJobName)) == BST_CHECKED ? 1 : 0);
    for (const NameField field : {NameField{Name::kUser, kUserEdit}, NameField{Name::kJob, kJobEdit}}) {
        std::u16string text = ItemText(field.edit).substr(0, JobStorageNames::kNameLength);
        NameFilter(text, JobStorageNames::kTaking, field.which);
        StoreName(field.which, text);
    }
    std::u16string pin = ItemText(kPinEdit).substr(0, JobStorageNames::kNameLength);
    PinFilter(pin, false);
    option->SetPin(std::string(pin.begin(), pin.end()));
}
