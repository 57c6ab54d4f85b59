#pragma once
// A driver instance double whose every operation answers neutrally: the
// doubles of the driver tests derive from it and override only what their
// test looks at.
#include <memory>

#include "driver/GDriver.h"
#include "driver/GPrinterIdentity.h"
#include "model/GAttributeComposite.h"

class NeutralDriver : public GDriver {
public:
    NeutralDriver(const RWWString& printer, const RWWString& driver, const RWWString& port)
        : GDriverContext(printer, driver, port) {}

    // The driver context's instance operations.
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override { return nullptr; }
    uint32_t GetApplicationFlags() const override { return 0; }
    int32_t PaperIdToDmPaper(uint32_t, uint16_t&) override { return 0; }
    int32_t DmPaperToPaperId(int16_t, uint16_t&) override { return 0; }
    int32_t AcceptsPaper(int32_t, int32_t, int32_t, int32_t, int16_t) override { return 0; }
    int32_t AcceptsResolution(int32_t, int32_t) override { return 0; }
    int32_t AcceptsBin(int16_t) override { return 0; }
    uint32_t MapPaperIdForSettings(MPersistentObject*, uint32_t paperId) override { return paperId; }
    GAttributeComposite* MergeMatchingValues(const GAttributeComposite&, GAttributeComposite* into) override {
        return into;
    }
    void FillResourceMappingList(GResourceMappingList&) override {}
    int32_t FormIndexToPaperId(uint32_t, uint16_t&) override { return 0; }
    int32_t PaperIdToFormIndex(uint16_t, uint32_t&) override { return 0; }
    int32_t AcceptsForm(const FORM_INFO_1W&, uint32_t, int32_t, int32_t) override { return 0; }
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
