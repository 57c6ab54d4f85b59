// The module's printer-interface exports and the plug-in registration
// export: each a thin front (GExportFront) that finds the printer's driver
// instance, calls its operation of the same name with the export's own
// arguments and gives the instance back. No exception leaves them.
#include "winnt40/PrinterInterfaceExports.h"

#include "rw/RWWString.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinError.h"
#include "winapi/WinExport.h"
#include "winnt40/GExportFront.h"

namespace {
// The driver model's failure answer of DrvDeviceCapabilities (GDI_ERROR);
// 0 would read as an empty list.
constexpr DWORD kCapabilitiesFailed = static_cast<DWORD>(-1);
// DrvDocumentProperties fails with a negative answer; 0 would read as a
// DEVMODE size.
constexpr LONG kDocumentPropertiesFailed = -1;

RWWString WideName(LPCWSTR name) {
    return name != nullptr ? RWWString(name) : RWWString();
}
} // namespace

DWORD DrvDeviceCapabilities(HANDLE hPrinter, LPWSTR pDeviceName, WORD iDevCap, void* pvOutput,
                            PDEVMODEW pDevMode) {
    return GExportFront::Run<DWORD>(
        hPrinter, WideName(pDeviceName), kCapabilitiesFailed, [&](GDriver& driver) {
            return driver.DrvDeviceCapabilities(hPrinter, pDeviceName, iDevCap, pvOutput, pDevMode);
        });
}

LONG DrvDocumentProperties(HWND hwnd, HANDLE hPrinter, LPWSTR pDeviceName, PDEVMODEW pdmOutput,
                           PDEVMODEW pdmInput, DWORD fMode) {
    return GExportFront::Run<LONG>(
        hPrinter, WideName(pDeviceName), kDocumentPropertiesFailed, [&](GDriver& driver) {
            return driver.DrvDocumentProperties(hwnd, hPrinter, pDeviceName, pdmOutput, pdmInput, fMode);
        });
}

LONG DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) {
    return GExportFront::PropertySheets(pPSUIInfo, lParam, false);
}

LONG DrvAdvancedDocumentProperties(HWND hwnd, HANDLE hPrinter, LPWSTR pDeviceName, PDEVMODEW pdmOutput,
                                   PDEVMODEW pdmInput) {
    return GExportFront::Run<LONG>(hPrinter, WideName(pDeviceName), 0, [&](GDriver& driver) {
        return driver.DrvAdvancedDocumentProperties(hwnd, hPrinter, pDeviceName, pdmOutput, pdmInput);
    });
}

BOOL DrvConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut, LONG* pcbNeeded, DWORD fMode) {
    // The size word is read and written by every mode: without one there is
    // nothing to answer into.
    if (pcbNeeded == nullptr) {
        GExportFront::MarkActivity();
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return GExportFront::Run<BOOL>(nullptr, WideName(pPrinterName), FALSE, [&](GDriver& driver) {
        return driver.DrvConvertDevMode(pPrinterName, pdmIn, pdmOut, pcbNeeded, fMode);
    });
}

LONG DrvDevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) {
    return GExportFront::PropertySheets(pPSUIInfo, lParam, true);
}

BOOL PrinterProperties(HWND hwnd, HANDLE hPrinter) {
    return GExportFront::Run<BOOL>(hPrinter, RWWString(), FALSE,
                                   [&](GDriver& driver) { return driver.PrinterProperties(hwnd, hPrinter); });
}

BOOL DevQueryPrintEx(PDEVQUERYPRINT_INFO pDQPInfo) {
    if (pDQPInfo == nullptr) {
        GExportFront::MarkActivity();
        return FALSE;
    }
    return GExportFront::Run<BOOL>(pDQPInfo->hPrinter, RWWString(), FALSE,
                                   [&](GDriver& driver) { return driver.DevQueryPrintEx(pDQPInfo); });
}

BOOL DrvUpgradePrinter(DWORD level, BYTE* pDriverUpgradeInfo) {
    const auto* info = reinterpret_cast<const DRIVER_UPGRADE_INFO_1*>(pDriverUpgradeInfo);
    if (level != 1 || info == nullptr || info->pPrinterName == nullptr ||
        info->pOldDriverDirectory == nullptr) {
        GExportFront::MarkActivity();
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return GExportFront::Run<BOOL>(nullptr, WideName(info->pPrinterName), FALSE, [&](GDriver& driver) {
        return driver.DrvUpgradePrinter(level, pDriverUpgradeInfo);
    });
}

BOOL DrvPrinterEvent(LPWSTR pPrinterName, INT DriverEvent, DWORD Flags, LPARAM lParam) {
    return GExportFront::Run<BOOL>(nullptr, WideName(pPrinterName), FALSE, [&](GDriver& driver) {
        return driver.DrvPrinterEvent(pPrinterName, DriverEvent, Flags, lParam);
    });
}

INT DrvDocumentEvent(HANDLE hPrinter, HDC hdc, INT iEsc, ULONG cbIn, void* pvIn, ULONG cbOut, void* pvOut) {
    return GExportFront::DocumentEvent(hPrinter, hdc, iEsc, cbIn, pvIn, cbOut, pvOut);
}

// The plug-in registration: the printer name is narrow text; the second
// word is not used. The status's low 16 bits, or 1 without an instance.
DWORD QVDrv_RegisterExtension(LPCSTR pPrinterName, DWORD /*unused*/, LPCSTR pExtensionName, DWORD flag) {
    RWWString name;
    try {
        if (pPrinterName != nullptr) name = RWWString(pPrinterName, RWWString::MultiByte);
    } catch (...) {
        return 1;
    }
    return GExportFront::Run<DWORD>(nullptr, name, 1, [&](GDriver& driver) {
        return static_cast<DWORD>(driver.RegisterExtension(pExtensionName, flag)) & 0xFFFFu;
    });
}
