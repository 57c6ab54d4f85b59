// A job hook module without "ksEndPage": it must be unloaded at once and
// never called; its entries log any call all the same.
#include <cstdint>

#include "TestModuleLog.h"
#include "winapi/WinExport.h"

namespace {
constexpr const char16_t* kModule = u"qvhooknoendpage";
}

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(kModule, reason);
    return TRUE;
}

QV_MODULE_EXPORT uint32_t ksBeginJob(const char16_t*, const char16_t*, const char16_t*, const uint32_t*) {
    testmodule::Append(kModule, u"begin");
    return 1;
}

QV_MODULE_EXPORT uint32_t ksBeginJobEx(const char16_t*, const char16_t*, const char16_t*, const char16_t*,
                                       const char16_t*, const uint32_t*) {
    testmodule::Append(kModule, u"beginEx");
    return 1;
}

QV_MODULE_EXPORT uint32_t ksEndJob(uint32_t, uint32_t) {
    testmodule::Append(kModule, u"end");
    return 1;
}
