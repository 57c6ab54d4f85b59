// GNTDriverBase: the printer-interface operations that later work builds.
// Each answers what its export answers when no instance can be had.
#include "driver/GNTDriverBase.h"

LONG GNTDriverBase::DrvDevicePropertySheets(PPROPSHEETUI_INFO, LPARAM) {
    return 0; // not built in this module yet
}

BOOL GNTDriverBase::PrinterProperties(HWND, HANDLE) {
    return FALSE; // not built in this module yet
}

BOOL GNTDriverBase::DevQueryPrintEx(PDEVQUERYPRINT_INFO) {
    return FALSE; // not built in this module yet
}

BOOL GNTDriverBase::DrvUpgradePrinter(DWORD, BYTE*) {
    return FALSE; // not built in this module yet
}

BOOL GNTDriverBase::DrvPrinterEvent(LPWSTR, INT, DWORD, LPARAM) {
    return FALSE; // not built in this module yet
}

int32_t GNTDriverBase::RegisterExtension(LPCSTR, DWORD) {
    return 1; // not built in this module yet: the export's answer without an instance
}
