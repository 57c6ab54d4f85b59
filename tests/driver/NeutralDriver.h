#pragma once
// A driver instance double whose every operation answers neutrally: the
// doubles of the driver tests derive from it and override only what their
// test looks at.
#include <memory>

#include "NeutralDriverContext.h"
#include "driver/GDriver.h"
#include "driver/GPrinterIdentity.h"

class NeutralDriver : public GDriver, public NeutralDriverContext {
public:
    NeutralDriver(const RWWString& printer, const RWWString& driver, const RWWString& port)
        : GDriverContext(printer, driver, port), NeutralDriverContext(printer, driver, port) {}

    // A driver answers as a driver.
    GJobContext* AsJobObject() override { return GDriver::AsJobObject(); }
    GDriver* AsDriver() override { return GDriver::AsDriver(); }
    void PrepareToPark() override { GDriver::PrepareToPark(); }
    std::unique_ptr<GPrinterIdentity> CopyIdentity() const override {
        return std::make_unique<GPrinterIdentity>(nullptr, GetPrinterName(), GetDriverName(), GetPortName(),
                                                  0);
    }

    // The printer-interface operations.
    DWORD DrvDeviceCapabilities(HANDLE, LPWSTR, WORD, void*, PDEVMODEW) override { return 0; }
    LONG DrvDocumentProperties(HWND, HANDLE, LPWSTR, PDEVMODEW, PDEVMODEW, DWORD) override { return 0; }
    LONG DrvDocumentPropertySheets(PPROPSHEETUI_INFO, LPARAM) override { return 0; }
    LONG DrvAdvancedDocumentProperties(HWND, HANDLE, LPWSTR, PDEVMODEW, PDEVMODEW) override { return 0; }
    BOOL DrvConvertDevMode(LPWSTR, PDEVMODEW, PDEVMODEW, LONG*, DWORD) override { return 0; }
    LONG DrvDevicePropertySheets(PPROPSHEETUI_INFO, LPARAM) override { return 0; }
    BOOL PrinterProperties(HWND, HANDLE) override { return 0; }
    BOOL DevQueryPrintEx(PDEVQUERYPRINT_INFO) override { return 0; }
    BOOL DrvUpgradePrinter(DWORD, BYTE*) override { return 0; }
    BOOL DrvPrinterEvent(LPWSTR, INT, DWORD, LPARAM) override { return 0; }
    INT DrvDocumentEvent(HANDLE, HDC, INT, ULONG, void*, ULONG, void*) override { return 0; }
    int32_t RegisterExtension(LPCSTR, DWORD) override { return 0; }
};
