// GNT40Driver: the printer's stored settings brought up to date when a new
// version of the driver is installed over an older one.
//
// "DisabledMSDs" (printer data, DWORD) keeps two bits of state per
// mass-storage device: device i uses bits 2i and 2i + 1. A read that fails
// (all ones) counts as 0.
#include <cstdint>
#include <memory>
#include <vector>

#include "driver/GNTDevMode.h"
#include "driver/GOSFactory.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "winapi/WinError.h"
#include "winapi/WinHandle.h"
#include "winapi/WinKernel.h"
#include "winapi/WinPrinterInfo2.h"
#include "winapi/WinSpool.h"
#include "winnt40/GNT40Driver.h"

namespace {

constexpr uint32_t kUpgradedNodeIds[] = {GSettingId::kWatermarksGroup, GSettingId::kPlugInsGroup};
constexpr const char16_t* kQuickSetPoolValue = u"QuicksetPool";
constexpr const char16_t* kDisabledDevicesValue = u"DisabledMSDs";
constexpr uint32_t kFirstDimmDevice = 6;
constexpr uint32_t kLastDimmDevice = 9;
constexpr uint32_t kDevicePresent = 1;
constexpr uint32_t kFailedRead = 0xFFFFFFFF;

// Sets the 2-bit state of device index in "DisabledMSDs" and writes it back.
void SetDeviceState(GOSFactory& factory, GDriverContext& context, uint32_t index, uint32_t state) {
    uint32_t states = factory.GetPrinterDataDword(&context, kDisabledDevicesValue, kFailedRead);
    if (states == kFailedRead) states = 0;
    const uint32_t shift = 2 * index;
    states = (states & ~(3u << shift)) | ((state & 3u) << shift);
    factory.SetPrinterDataDword(&context, kDisabledDevicesValue, states);
}

// The stored settings re-encoded in the current form: the installed options
// (365), then, when they were, the mass-storage devices marked present, 366,
// 368 and the Quick Sets pool. 1 when 365, 366 and 368 all were.
int32_t UpgradeStoredSettings(GNT40Driver& driver, GOSFactory& factory) {
    if (driver.ConvertNumberedValue(&GSettingId::kInstalledOptionsGroup) != 1) return 0;
    int32_t all = 1;
    const uint32_t disabled = factory.GetPrinterDataDword(&driver, kDisabledDevicesValue, 0);
    for (uint32_t index = kFirstDimmDevice; index <= kLastDimmDevice; ++index) {
        if ((disabled & (1u << index)) == 0) SetDeviceState(factory, driver, index, kDevicePresent);
    }
    for (const uint32_t& id : kUpgradedNodeIds) {
        if (driver.ConvertNumberedValue(&id) != 1) all = 0;
    }
    driver.ConvertStoredValue(kQuickSetPoolValue);
    return all;
}

} // namespace

BOOL GNT40Driver::DrvUpgradePrinter(DWORD level, BYTE* info) {
    try {
        GOSFactory* factory = GOSFactory::Instance();
        const int32_t all = factory != nullptr ? UpgradeStoredSettings(*this, *factory) : 0;
        if (level != 1 || info == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, kAdminAccess};
        WinScopedPrinter printer;
        const RWWString name = GetPrinterName();
        if (!OpenPrinterW(const_cast<LPWSTR>(name.Data()), printer.Receive(), &defaults)) {
            printer.Reset();
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        // The instance works through the handle opened here until it is
        // closed again.
        const LentHandle lent(*this, printer.Get());

        ReplaceDevMode(std::make_unique<GNTDevMode>(this, printer_));
        if (GetDevMode()->IsTakenFromPrinter() == 1 || all == 1) return TRUE;

        // The printer's DEVMODE is of an older form: the settings are
        // committed and the old DEVMODE is read into the DEVMODE object.
        const WinPrinterInfo2 printerInfo(printer_);
        if (!printerInfo) return FALSE;
        if (std::unique_ptr<GAttributeComposite> settings = GetCurrentSettings())
            CommitSettings(settings.get(), 1);
        if (printerInfo->pDevMode != nullptr) GetDevMode()->Load(printerInfo->pDevMode);
        return FALSE;
    } catch (...) {
        return FALSE;
    }
}
