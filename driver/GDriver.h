#pragma once
// The interface base of every driver instance, the one the printer-interface
// exports call: a driver context (its virtual base, shared with the job
// context) that answers as a driver. The instance appends its own
// operations behind these.
//
// The printer-interface operations are called by the exports of the same
// name with the export's own arguments, unchanged; the instance does the
// work.
#include "driver/GDriverContext.h"
#include "rw/RWWString.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinGdi.h"

class GDriver : public virtual GDriverContext {
public:
    ~GDriver() override;

    // The interface's own operations: text set empty, and an empty text.
    virtual void ClearText(RWWString& text);
    virtual RWWString EmptyText() const;

    // The printer-interface operations, in the exports' order.
    virtual DWORD DrvDeviceCapabilities(HANDLE printer, LPWSTR deviceName, WORD capability, void* output,
                                        PDEVMODEW devMode) = 0;
    virtual LONG DrvDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                                       PDEVMODEW input, DWORD mode) = 0;
    virtual LONG DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) = 0;
    virtual LONG DrvAdvancedDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName,
                                               PDEVMODEW output, PDEVMODEW input) = 0;
    virtual BOOL DrvConvertDevMode(LPWSTR printerName, PDEVMODEW input, PDEVMODEW output, LONG* needed,
                                   DWORD mode) = 0;
    virtual LONG DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) = 0;
    virtual BOOL PrinterProperties(HWND window, HANDLE printer) = 0;
    virtual BOOL DevQueryPrintEx(PDEVQUERYPRINT_INFO info) = 0;
    virtual BOOL DrvUpgradePrinter(DWORD level, BYTE* info) = 0;
    virtual BOOL DrvPrinterEvent(LPWSTR printerName, INT event, DWORD flags, LPARAM lParam) = 0;
    virtual INT DrvDocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, void* input, ULONG outSize,
                                 void* output) = 0;

    // Registers (or unregisters) a plug-in extension by name: a 16-bit
    // status.
    virtual int32_t RegisterExtension(LPCSTR extensionName, DWORD flag) = 0;

    // What the job-storage notice shows of the printer and the job: the
    // printer's location (1 when it could be read) and the job name the
    // instance keeps. An instance that knows neither answers 0 and an
    // empty name.
    virtual int32_t GetPrinterLocation(RWWString& location);
    virtual RWWString GetJobName() const;

    // The release cookie of the property sheet open on this instance,
    // kept from the sheet's INIT to its DESTROY.
    virtual void SetSheetCookie(uint32_t cookie) { sheetCookie_ = cookie; }
    virtual uint32_t GetSheetCookie() const { return sheetCookie_; }

    // A driver is no job: null.
    GJobContext* AsJobObject() override { return nullptr; }
    GDriver* AsDriver() override { return this; }
    // Nothing to give up before the driver server parks the instance.
    void PrepareToPark() override {}

protected:
    GDriver() = default;

private:
    uint32_t sheetCookie_ = 0;
};
