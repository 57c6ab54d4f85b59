#pragma once
// The C signatures of the module's printer-interface exports the host calls
// by name.
#include "winapi/WinCommonUI.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinGdi.h"
#include "winapi/WinTypes.h"

using DrvDeviceCapabilitiesProc = DWORD (*)(HANDLE printer, LPWSTR deviceName, WORD capability, void* output,
                                            PDEVMODEW devMode);
using DrvDocumentPropertiesProc = LONG (*)(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                                           PDEVMODEW input, DWORD mode);
using DrvConvertDevModeProc = BOOL (*)(LPWSTR printerName, PDEVMODEW input, PDEVMODEW output, LONG* needed,
                                       DWORD mode);
using DrvDocumentEventProc = INT (*)(HANDLE printer, HDC dc, INT escape, ULONG inSize, void* input,
                                     ULONG outSize, void* output);
// DrvDocumentPropertySheets and DrvDevicePropertySheets are sheet functions
// of the common property-sheet UI (PFNPROPSHEETUI).

// DrvDeviceCapabilities' answer for a failure.
constexpr DWORD kCapabilityError = 0xFFFFFFFF;
