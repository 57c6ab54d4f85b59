// A resource module for the string-resolver tests: a string table only.
#include "winapi/WinExport.h"
#include "winapi/WinResource.h"

namespace {
// 300 characters: longer than the resolver's buffer.
const char16_t kLong[] =
    u"0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
    u"0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
    u"0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789";
const WinResourceString kStrings[] = {{7, u"Seven"}, {8, kLong}};
const WinModuleResources kResources = {kWinResourceFormatVersion, kStrings, 2, nullptr, nullptr, 0};
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    return &kResources;
}
