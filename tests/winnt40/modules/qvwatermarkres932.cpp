// A resource module of a Japanese build for the watermark defaults: version
// translation 0x0411 / 932; the size of the third watermark (11079) and the
// text of the fourth (11075) are missing.
#include "winapi/WinExport.h"
#include "winapi/WinResource.h"

namespace {
const WinResourceString kStrings[] = {
    {11060, u" (none)"}, {11074, u"Confidential"}, {11076, u"SAMPLE"},
    {11077, u"81"},      {11078, u"92"},           {11080, u"230"},
};
const DWORD kTranslations[] = {0x03A40411}; // language 0x0411, code page 932
const WinVersionResource kVersion = {{VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, 0x00020000, 0x00000001,
                                      0x00020000, 0x00000001, 0, 0, 0, 0, 0, 0, 0},
                                     kTranslations,
                                     1,
                                     nullptr,
                                     0};
const WinModuleResources kResources = {kWinResourceFormatVersion, kStrings, 6, &kVersion, nullptr, 0};
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    return &kResources;
}
