// GNTDriverBase: DrvConvertDevMode.
//
// Every call starts from a fresh DEVMODE object. The printer is opened into
// the instance's handle for the call (with full access for a local printer)
// and closed again; when the printer holds no default DEVMODE of ours, fresh
// defaults are committed and written as its default first.
#include <memory>
#include <vector>

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "winapi/WinError.h"
#include "winapi/WinPrinterInfo2.h"
#include "winapi/WinSpool.h"
#include "winnt40/GNTDMCSession.h"
#include "winnt40/GNTDriverBase.h"

namespace {

constexpr const char16_t* kStaleText = u"FALSE";

// The printer opened into the instance's handle for one conversion; closed
// and the handle nulled at the end.
class ConversionPrinter {
public:
    explicit ConversionPrinter(GNTDriverBase& driver) : driver_(driver) {}
    ~ConversionPrinter() {
        if (handle_ != nullptr) ClosePrinter(handle_);
        driver_.SetPrinterHandle(nullptr);
    }
    ConversionPrinter(const ConversionPrinter&) = delete;
    ConversionPrinter& operator=(const ConversionPrinter&) = delete;

    // Opens by name, then again with full access for a local printer (no
    // rights asked of a connection's server).
    bool Open(LPWSTR name) {
        if (!OpenPrinterW(name, &handle_, nullptr)) {
            handle_ = nullptr;
            return false;
        }
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, IsLocal() ? PRINTER_ALL_ACCESS : 0};
        ClosePrinter(handle_);
        handle_ = nullptr;
        if (!OpenPrinterW(name, &handle_, &defaults)) {
            handle_ = nullptr;
            return false;
        }
        driver_.SetPrinterHandle(handle_);
        return true;
    }
    HANDLE Get() const { return handle_; }

private:
    bool IsLocal() const {
        const WinPrinterInfo2 info(handle_);
        return !info || info->pServerName == nullptr;
    }

    GNTDriverBase& driver_;
    HANDLE handle_ = nullptr;
};

// The cached printer settings' watermark list in place of that of the
// defaults' composite 366.
void CarryWatermarks(GNTDriverBase& driver, GAttributeComposite& defaults) {
    MPersistentObject* cached = driver.GetCachedPrinterSettings();
    MPersistentObject* list = cached != nullptr ? cached->FindById(GSettingId::kWatermarkPool) : nullptr;
    MPersistentObject* watermarks = defaults.FindById(GSettingId::kWatermarksGroup);
    if (list != nullptr && watermarks != nullptr) watermarks->ReplaceById(GSettingId::kWatermarkPool, list);
}

// The printer's default DEVMODE made from fresh defaults when it is not one
// of ours. False when the defaults cannot be committed.
bool InitPrinterDefault(GNTDriverBase& driver, HANDLE printer) {
    if (driver.GetDevMode()->MergePrinterDevMode(printer) == 1) return true;
    std::unique_ptr<GAttributeComposite> defaults = driver.NewDefaultSettings();
    if (defaults == nullptr) return false;
    const std::optional<uint16_t> exchange =
        GSettingValues::Get(defaults.get(), GSettingId::kExchangeWithConfigLibrary);
    if (exchange && *exchange == 1) {
        CarryWatermarks(driver, *defaults);
        if (GOSFactory* factory = GOSFactory::Instance())
            factory->SetPrinterDataString(&driver, GNTDriverBase::kStaleValue, kStaleText);
        if (std::unique_ptr<GNTDMCSession> session = driver.CreateConfigSession(defaults.get()))
            session->Import(driver.GetPrinterName(), GNTDMCSession::kImportAll);
    }
    if (driver.CommitSettings(defaults.get(), 0) != 1) return false;
    driver.WriteDefaultDevMode();
    return true;
}

} // namespace

BOOL GNTDriverBase::DrvConvertDevMode(LPWSTR printerName, PDEVMODEW input, PDEVMODEW output, LONG* needed,
                                      DWORD mode) {
    // CDM_CONVERT351 and unknown requests: the DEVMODE object does not read
    // the 3.51 layout, so nothing is converted and nothing (not even the
    // DEVMODE object, whose making may leave a last error) is touched.
    if (mode != CDM_CONVERT && mode != CDM_DRIVER_DEFAULT) return FALSE;
    ReplaceDevMode(std::make_unique<GNTDevMode>(this, nullptr));
    GNTDevMode& devMode = *GetDevMode();
    const bool loadInput = mode == CDM_CONVERT;
    if (loadInput && devMode.IsOurDevMode(input) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (needed == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const uint32_t size = devMode.GetImageSize();
    if (static_cast<int64_t>(*needed) < static_cast<int64_t>(size)) {
        *needed = static_cast<LONG>(size);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    // The output is read only now that it is known to hold a whole DEVMODE.
    if (mode == CDM_CONVERT && devMode.IsOurDevMode(output) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ConversionPrinter printer(*this);
    if (!printer.Open(printerName) || !InitPrinterDefault(*this, printer.Get())) return FALSE;
    if (loadInput && devMode.Load(input) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (output == nullptr) return TRUE;
    if (devMode.WriteDevMode(output) == 0) return FALSE;
    *needed = static_cast<LONG>(output->dmSize) + output->dmDriverExtra;
    return TRUE;
}
