#pragma once
// A modal dialog that closes itself with OK once its seconds have passed
// (time-out 0: it stays until the user closes it). A check box 11530 "In
// the future, do not show this information" ticked when it closes clears
// its show-again state. It serves two callers:
//   - a sub-dialog of a sheet (a GModalDialog run from a page): its show
//     setting, read when it opens, keeps it from showing at all when 0
//     (it then ends at once with OK), and the ticked box writes 0 to it;
//   - the stand-alone job-storage notice, which runs without a sheet on a
//     thread of its own: five texts, and its show-again state to read
//     after it closed (GetState).
// Its clock is the layer's tick count, looked at every 250 ms.
#include <array>
#include <cstdint>

#include "rw/RWCString.h"
#include "rw/RWWString.h"
#include "ui/framework/GModalDialog.h"
#include "winapi/WinGdiHandles.h"
#include "winapi/WinTypes.h"

class GTimedDialog : public GModalDialog {
public:
    // Controls of the job-storage notice template.
    static constexpr int kPrinterNameId = 11541;
    static constexpr int kUserNameId = 11542;
    static constexpr int kJobNameId = 11543;
    static constexpr int kPortNameId = 11544;
    static constexpr int kResourceModuleId = 11545;
    static constexpr int kLocationId = 11546;
    // The "do not show" box of every timed dialog.
    static constexpr int kDontShowId = 11530;
    static constexpr int kHelpId = 9;
    // The notice's help context.
    static constexpr uint32_t kNoticeHelpContext = 435;
    static constexpr UINT_PTR kTimerId = 19283;
    static constexpr UINT kTickMilliseconds = 250;

    // A sub-dialog of a sheet, shown only while the value showSettingId of
    // the current settings is non-zero.
    GTimedDialog(uint16_t templateId, GUIModel* model, uint16_t seconds, uint32_t showSettingId,
                 uint32_t hasHelp, uint16_t helpId);
    // The job-storage notice with its texts (printer name, port name, user
    // name, resource-module name, printer location).
    GTimedDialog(uint32_t dialogId, uint32_t seconds, const RWWString& printerName, const RWWString& portName,
                 const RWWString& userName, const RWWString& resourceModuleName, const RWWString& location);
    ~GTimedDialog() override;

    // The job's name, shown under "Job Name:" (empty until set).
    void SetJobName(const RWWString& name) { jobName_ = name; }
    // The notice's help file for the Help button (a path beside the module).
    void SetHelpPath(const RWCString& path) { helpPath_ = path; }
    // Shows the notice from the resource library at resourcePath (a use of
    // the counted library for the time it is shown): the dialog's result,
    // -1 when the library or the template cannot be had.
    INT_PTR Show(const RWWString& resourcePath, HWND owner = nullptr);
    // 0 once the dialog closed with the "do not show" box ticked, else 1.
    uint32_t GetState() const { return state_; }

    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool IsNotice() const { return Model() == nullptr; }
    INT_PTR OnInitDialog();
    // The show setting; 0 when the current settings hold none.
    int16_t ShowSetting() const;
    INT_PTR NoticeCommand(WPARAM wParam);
    void ShowNoticeTexts();
    void StartTimer();
    void OnTimer();
    void OnDestroy();

    uint32_t seconds_;
    uint32_t showSettingId_ = 0;
    std::array<RWWString, 5> texts_;
    RWWString jobName_;
    RWCString helpPath_;
    uint32_t state_ = 1;
    DWORD start_ = 0;
    HFONT boldFont_ = nullptr;
};
