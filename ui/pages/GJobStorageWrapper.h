#pragma once
// The Job Storage tab's controls over its one feature: the mode radios,
// "Require PIN to Print", the PIN, the user and job names with their
// sources, the mode's description and the job numbering.
//
// Names are checked as they are typed and again when their field is left:
// against the printer's character table when it has one (a character it
// cannot show becomes "~", and the user is told once), else as upper-case
// printable ASCII. A name left empty gets its default: the Windows user
// name, or "<Automatic>" for the job. The PIN keeps digits only and gets
// leading zeros when its field is left.
#include <cstdint>
#include <string>

#include "ui/pages/GJobStorageFeature.h"
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/JobStorageNameFilters.h"

class GJobStorageWrapper : public GOptionWrapper<GJobStorageFeature> {
public:
    // Table rows, in this order.
    enum Row : uint16_t {
        kOff,
        kRequirePin,
        kProofAndHold,
        kStoredJob,
        kPrivateJob,
        kUserEdit,
        kJobEdit,
        kPinLabel,
        kPinEdit,
        kPinHint,
        kDescription,
        kQuickCopy,
        kUserHint,
        kPinGroup,
        kJobHint,
        kWindowsUser,
        kCustomUser,
        kUserGroup,
        kAutomaticJob,
        kCustomJob,
        kJobGroup,
        kFrame,
        kModeGroup,
        kNotificationGroup,
        kUniqueLabel,
        kUseJobName,
        kJobNumber,
        kJobNumberTail,
        kRowCount
    };

    GJobStorageWrapper(GJobStorageFeature* feature, const GControlHelpPair* table);

    // Takes the job number from the printer's data.
    void OnAttach() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

    // The text filters; each answers whether it changed the text.
    virtual bool AsciiNameFilter(std::u16string& text, int kind, JobStorageNames::Name which);
    virtual bool TableNameFilter(std::u16string& text, int kind, JobStorageNames::Name which);
    virtual bool PinFilter(std::u16string& text, bool pad);
    virtual bool ThreeCharacterFilter(std::u16string& text);
    // Mode not 0: empty names and PIN get their defaults.
    virtual void DefaultNames();

private:
    static constexpr uint16_t kAutomaticText = 5418;

    struct NameField {
        JobStorageNames::Name which;
        Row edit;
    };

    // The table filter when the printer has a table, else the ASCII filter.
    bool NameFilter(std::u16string& text, int kind, JobStorageNames::Name which);
    void ApplyOutcome(const JobStorageNames::Outcome& outcome, JobStorageNames::Name which);
    JobStorageNames::Defaults NameDefaults() const;
    std::u16string WindowsUserName() const;
    // A string of the resource library.
    static std::u16string ResourceText(uint16_t id);

    LRESULT OnCommand(uint16_t id, uint16_t code);
    LRESULT OnNameCommand(const NameField& field, uint16_t code);
    LRESULT OnNameLeft(const NameField& field);
    LRESULT OnPinCommand(uint16_t code);
    LRESULT OnSourceButton(Row row);

    void ShowMode(int16_t mode, bool disk);
    void ShowEnabling(int16_t mode, bool disk);
    void ShowSources(int16_t mode);
    void ShowTexts();
    void TakeWindowsUserOnce();
    int16_t CheckedMode() const;

    std::u16string ItemText(Row row) const;
    // Writes a changed text back, the caret where it was (within the text).
    void WriteBack(Row row, const std::u16string& text);
    void SetItemText(Row row, const std::u16string& text);
    void StoreName(JobStorageNames::Name which, const std::u16string& text);
    int Id(Row row) const { return static_cast<int>(ControlId(row)); }
    HWND Item(Row row) const;

    bool tableExists_ = false;
    bool windowsUserTaken_ = false;
    bool replaced_ = false;
    bool skipValidation_ = false;
};
