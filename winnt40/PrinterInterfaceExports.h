#pragma once
// The module's printer-interface exports and its plug-in registration
// export, with C linkage under their Windows names (the spooler, the
// common property-sheet UI and applications find them by name).
#include "winapi/WinCommonUI.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinExport.h"
#include "winapi/WinGdi.h"
#include "winapi/WinTypes.h"

QV_MODULE_EXPORT DWORD DrvDeviceCapabilities(HANDLE hPrinter, LPWSTR pDeviceName, WORD iDevCap,
                                             void* pvOutput, PDEVMODEW pDevMode);
QV_MODULE_EXPORT LONG DrvDocumentProperties(HWND hwnd, HANDLE hPrinter, LPWSTR pDeviceName,
                                            PDEVMODEW pdmOutput, PDEVMODEW pdmInput, DWORD fMode);
QV_MODULE_EXPORT LONG DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
QV_MODULE_EXPORT LONG DrvAdvancedDocumentProperties(HWND hwnd, HANDLE hPrinter, LPWSTR pDeviceName,
                                                    PDEVMODEW pdmOutput, PDEVMODEW pdmInput);
QV_MODULE_EXPORT BOOL DrvConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut,
                                        LONG* pcbNeeded, DWORD fMode);
QV_MODULE_EXPORT LONG DrvDevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
QV_MODULE_EXPORT BOOL PrinterProperties(HWND hwnd, HANDLE hPrinter);
QV_MODULE_EXPORT BOOL DevQueryPrintEx(PDEVQUERYPRINT_INFO pDQPInfo);
QV_MODULE_EXPORT BOOL DrvUpgradePrinter(DWORD level, BYTE* pDriverUpgradeInfo);
QV_MODULE_EXPORT BOOL DrvPrinterEvent(LPWSTR pPrinterName, INT DriverEvent, DWORD Flags, LPARAM lParam);
QV_MODULE_EXPORT INT DrvDocumentEvent(HANDLE hPrinter, HDC hdc, INT iEsc, ULONG cbIn, void* pvIn, ULONG cbOut,
                                      void* pvOut);
// The plug-in registration: the printer name is narrow text, the second
// word is not used, the last two go to the instance.
QV_MODULE_EXPORT DWORD QVDrv_RegisterExtension(LPCSTR pPrinterName, DWORD unused, LPCSTR pExtensionName,
                                               DWORD flag);

// Their types, for callers that find them by name.
using PFN_DrvDeviceCapabilities = decltype(&DrvDeviceCapabilities);
using PFN_DrvDocumentProperties = decltype(&DrvDocumentProperties);
using PFN_DrvDocumentPropertySheets = decltype(&DrvDocumentPropertySheets);
using PFN_DrvAdvancedDocumentProperties = decltype(&DrvAdvancedDocumentProperties);
using PFN_DrvConvertDevMode = decltype(&DrvConvertDevMode);
using PFN_DrvDevicePropertySheets = decltype(&DrvDevicePropertySheets);
using PFN_PrinterProperties = decltype(&PrinterProperties);
using PFN_DevQueryPrintEx = decltype(&DevQueryPrintEx);
using PFN_DrvUpgradePrinter = decltype(&DrvUpgradePrinter);
using PFN_DrvPrinterEvent = decltype(&DrvPrinterEvent);
using PFN_DrvDocumentEvent = decltype(&DrvDocumentEvent);
using PFN_QVDrv_RegisterExtension = decltype(&QVDrv_RegisterExtension);
