// A host application's executable whose version resource has a description
// but no product name.
#include "winapi/WinExport.h"
#include "winapi/WinResource.h"

namespace {
const DWORD kTranslations[] = {0x04E40409};
const WinVersionString kStrings[] = {
    {u"FileDescription", u"Sketch Pad"},
    {u"ProductVersion", u"1.0"},
};
const WinVersionStringTable kTables[] = {{u"040904e4", kStrings, 2}};
const WinVersionResource kVersion = {
    {VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, 0x00010000, 0, 0x00010000, 0, 0, 0, 0, 0, 0, 0, 0},
    kTranslations,
    1,
    kTables,
    1};
const WinModuleResources kResources = {kWinResourceFormatVersion, nullptr, 0, &kVersion, nullptr, 0};
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    return &kResources;
}
