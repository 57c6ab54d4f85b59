// A resource library of an Arabic build: version translation 0x0401 / code
// page 1256 and nothing else.
#include "winapi/WinExport.h"
#include "winapi/WinResource.h"

namespace {
const DWORD kTranslations[] = {0x04E80401};
const WinVersionResource kVersion = {{VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, 0x00030001, 0x00000002,
                                      0x00030001, 0x00000002, 0, 0, 0, 0, 0, 0, 0},
                                     kTranslations,
                                     1,
                                     nullptr,
                                     0};
const WinModuleResources kResources = {kWinResourceFormatVersion, nullptr, 0, &kVersion, nullptr, 0};
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    return &kResources;
}
