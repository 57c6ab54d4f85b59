#pragma once
// A stand-alone notice dialog that closes by itself: built with its dialog
// template id, the seconds it stays up and five texts (printer name, port
// name, user name, resource-module name, printer location), shown modally
// from the driver's resource module. Its state word tells, once it has
// closed, whether the notice is to be shown again: 0 when the user ticked
// "In the future, do not show this information", else 1.
#include <array>
#include <cstdint>

#include "rw/RWCString.h"
#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GTimedDialog {
public:
    // Controls of the job-storage notice template.
    static constexpr int kPrinterNameId = 11541;
    static constexpr int kUserNameId = 11542;
    static constexpr int kJobNameId = 11543;
    static constexpr int kPortNameId = 11544;
    static constexpr int kResourceModuleId = 11545;
    static constexpr int kLocationId = 11546;
    static constexpr int kDontShowId = 11530;
    static constexpr int kHelpId = 9;
    static constexpr UINT_PTR kTimerId = 1;

    GTimedDialog(uint32_t dialogId, uint32_t seconds, const RWWString& printerName, const RWWString& portName,
                 const RWWString& userName, const RWWString& resourceModuleName, const RWWString& location);
    GTimedDialog(const GTimedDialog&) = delete;
    GTimedDialog& operator=(const GTimedDialog&) = delete;

    // The help file for the Help button (a path beside the module).
    void SetHelpPath(const RWCString& path) { helpPath_ = path; }
    // Shows the dialog from the module at resourcePath: the dialog's result,
    // -1 when the module or the template cannot be had.
    INT_PTR Show(const RWWString& resourcePath);
    uint32_t GetState() const { return state_; }

private:
    static INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void Initialize(HWND dialog);
    void Close(HWND dialog, INT_PTR result);

    uint32_t dialogId_;
    uint32_t seconds_;
    std::array<RWWString, 5> texts_;
    RWCString helpPath_;
    uint32_t state_ = 1;
};
