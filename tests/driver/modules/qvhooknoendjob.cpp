// A job hook module without "ksEndJob": it must never be called.
#include <cstdint>

#include "TestModuleLog.h"
#include "winapi/WinExport.h"

namespace {
constexpr const char16_t* kModule = u"qvhooknoendjob";
}

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(kModule, reason);
    return TRUE;
}

QV_MODULE_EXPORT uint32_t ksBeginJob(const char16_t*, const char16_t*, const char16_t*, const uint32_t*) {
    testmodule::Append(kModule, u"begin");
    return 1;
}

QV_MODULE_EXPORT uint32_t ksEndPage(uint32_t, const void*) {
    testmodule::Append(kModule, u"page");
    return 1;
}
