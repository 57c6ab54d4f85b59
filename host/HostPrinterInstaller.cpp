#include "host/HostPrinterInstaller.h"

#include "host/HostLastError.h"
#include "host/HostStoreSetup.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinError.h"
#include "winapi/WinText.h"
#include "winapi/host/WinHostStore.h"

namespace {

using DrvPrinterEventProc = BOOL (*)(LPWSTR printerName, INT event, DWORD flags, LPARAM lParam);

std::string DataFileOf(const HostModelPrinter& model) {
    WinHostStore& store = WinHostStore::Instance();
    std::lock_guard hold(store.Mutex());
    const WinDriverRecord* driver = store.FindDriver(model.driver, HostStoreSetup::kEnvironment);
    return driver != nullptr ? WinText::ToUtf8(driver->dataFile) : std::string("unknown");
}

} // namespace

bool HostPrinterInstaller::Install(const HostModule& module, const std::u16string& name,
                                   const HostModelPrinter& model, std::string& error) {
    if (!HostStoreSetup::AddPrinter(name, model, error)) return false;
    if (Initialize(module, name, model, error)) return true;
    WinHostStore::Instance().RemovePrinter(name);
    return false;
}

bool HostPrinterInstaller::InstallModelPrinters(const HostModule& module, std::string& error) {
    for (const HostModelPrinter& model : HostModelPrinter::All())
        if (!Install(module, model.driver, model, error)) return false;
    return true;
}

bool HostPrinterInstaller::Initialize(const HostModule& module, const std::u16string& name,
                                      const HostModelPrinter& model, std::string& error) {
    std::string missing;
    auto event = module.Export<DrvPrinterEventProc>("DrvPrinterEvent", missing);
    if (event == nullptr) return true; // the spooler installs such a printer as it is
    std::u16string printerName = name;
    // A failure that sets no last error must not be reported with a stale one.
    SetLastError(ERROR_SUCCESS);
    const BOOL answer = event(printerName.data(), PRINTER_EVENT_INITIALIZE, 0, 0);
    if (answer != FALSE) return true;
    const DWORD lastError = GetLastError();
    error = "the driver could not initialise the printer \"" + WinText::ToUtf8(name) + "\" (data file " +
            DataFileOf(model) +
            "): DrvPrinterEvent(PRINTER_EVENT_INITIALIZE) failed: " + HostLastError::Meaning(lastError) +
            " (last error " + std::to_string(lastError) + "); the printer was not added";
    return false;
}
