// A host application's executable with a version resource: two
// translations, strings only for the last one (English, code page 1252).
#include "winapi/WinExport.h"
#include "winapi/WinResource.h"

namespace {
const DWORD kTranslations[] = {0x04B00407, 0x04E40409};
const WinVersionString kStrings[] = {
    {u"FileDescription", u"Quill Writer"},
    {u"ProductName", u"Quill Office"},
    {u"ProductVersion", u"7.2.1"},
};
const WinVersionStringTable kTables[] = {{u"040904e4", kStrings, 3}};
const WinVersionResource kVersion = {{VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, 0x00070002, 0x00010000,
                                      0x00070002, 0x00010000, 0, 0, 0, 0, 0, 0, 0},
                                     kTranslations,
                                     2,
                                     kTables,
                                     1};
const WinModuleResources kResources = {kWinResourceFormatVersion, nullptr, 0, &kVersion, nullptr, 0};
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    return &kResources;
}
