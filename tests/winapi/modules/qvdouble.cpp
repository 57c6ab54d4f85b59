// A double module: it records its attach and detach in the registry and
// touches printer data through the spooler, so a test can see that the
// module and the test share one registry and one spooler. It carries
// resource data (strings and version information).
#include "winapi/WinExport.h"
#include "winapi/WinModule.h"
#include "winapi/WinReg.h"
#include "winapi/WinResource.h"
#include "winapi/WinSpool.h"

namespace {
void Count(const char16_t* valueName) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\QvDouble", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    DWORD count = 0, size = sizeof count;
    RegQueryValueExW(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size);
    ++count;
    RegSetValueExW(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count);
    RegCloseKey(key);
}

const WinResourceString kStrings[] = {{100, u"Hello"}, {101, u"A longer string"}};
const WinVersionString kEnglish[] = {{u"FileDescription", u"Double module"}, {u"ProductName", u"QV Test"}};
const WinVersionString kGerman[] = {{u"FileDescription", u"Doppelmodul"}};
const WinVersionStringTable kTables[] = {{u"040904B0", kEnglish, 2}, {u"040704B0", kGerman, 1}};
const DWORD kTranslations[] = {0x04B00409, 0x04B00407};
const WinVersionResource kVersion = {{VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, 0x00040002, 0x00000008,
                                      0x00040002, 0x00000008, 0x3F, 0, 0x40004, 2, 0, 0, 0},
                                     kTranslations,
                                     2,
                                     kTables,
                                     2};
const WinModuleResources kResources = {kWinResourceFormatVersion, kStrings, 2, &kVersion, nullptr, 0};
} // namespace

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Count(u"Attached");
    if (reason == DLL_PROCESS_DETACH) Count(u"Detached");
    return TRUE;
}

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    return &kResources;
}

QV_MODULE_EXPORT DWORD DoubleSetPrinterData(LPWSTR printerName, LPWSTR valueName, DWORD value) {
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(printerName, &printer, &defaults)) return GetLastError();
    const DWORD result = SetPrinterDataW(printer, valueName, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4);
    ClosePrinter(printer);
    return result;
}

QV_MODULE_EXPORT DWORD DoubleGetPrinterData(LPWSTR printerName, LPWSTR valueName) {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(printerName, &printer, nullptr)) return 0xFFFFFFFF;
    DWORD value = 0, needed = 0, type = 0;
    if (GetPrinterDataW(printer, valueName, &type, reinterpret_cast<BYTE*>(&value), 4, &needed) !=
        ERROR_SUCCESS)
        value = 0xFFFFFFFF;
    ClosePrinter(printer);
    return value;
}
