#include "ui/pages/JobStorageNotice.h"

#include <array>
#include <vector>

#include "driver/GDriver.h"
#include "driver/GOSFactory.h"
#include "driver/GUIData.h"
#include "model/GSettingIds.h"
#include "rw/RWWString.h"
#include "ui/framework/GTimedDialog.h"
#include "ui/framework/GUIModel.h"
#include "winapi/WinError.h"
#include "winapi/WinReg.h"
#include "winapi/WinSpool.h"
#include "winapi/WinWindow.h"

namespace {

// The notice stays until the user closes it.
constexpr uint32_t kNoTimeOut = 0;

// The printer opened by name with full access: "DontShowJobName" as a
// REG_DWORD of 1, little-endian.
bool WriteOnPrinter(const RWWString& printerName) {
    std::vector<WCHAR> name(printerName.Data(), printerName.Data() + printerName.Length());
    name.push_back(u'\0');
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(name.data(), &printer, &access)) return false;
    std::array<BYTE, 4> one{1, 0, 0, 0};
    std::vector<WCHAR> value(std::begin(JobStorageNotice::kDontShowValueName),
                             std::end(JobStorageNotice::kDontShowValueName));
    const DWORD status =
        SetPrinterDataW(printer, value.data(), REG_DWORD, one.data(), static_cast<DWORD>(one.size()));
    ClosePrinter(printer);
    return status == ERROR_SUCCESS;
}

} // namespace

namespace JobStorageNotice {

bool WriteDontShow(GDriverContext& context) {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory != nullptr && factory->SetPrinterDataDword(&context, kDontShowValueName, 1) == 1) return true;
    return WriteOnPrinter(context.GetPrinterName());
}

void Show(GUIData& data, GUIModel& model, const char16_t* resourcePath) {
    GDriver* driver = data.driver;
    RWWString user;
    model.CurrentSettings().GetStringAsWide(GSettingId::kTypedUserName, user);
    RWWString location;
    driver->GetPrinterLocation(location);
    GTimedDialog dialog(kDialogId, kNoTimeOut, driver->GetPrinterName(), driver->GetPortName(), user,
                        resourcePath, location);
    dialog.SetJobName(driver->GetJobName());
    dialog.SetHelpPath(model.HelpFileName());
    dialog.Show(resourcePath, GetTopWindow(GetDesktopWindow()));
    if (dialog.GetState() == 0 && WriteDontShow(*driver)) driver->SetDontShowJobName();
}

} // namespace JobStorageNotice
