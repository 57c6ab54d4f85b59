// A job hook module with the four-text begin entry and both end entries but
// no "ksBeginJobEx": every entry logs its call with what it was given.
#include <cstdint>

#include "HookModuleLog.h"
#include "winapi/WinExport.h"

namespace {
constexpr const char16_t* kModule = u"qvhookbeginonly";
} // namespace

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(kModule, reason);
    return TRUE;
}

QV_MODULE_EXPORT uint32_t ksBeginJob(const char16_t* document, const char16_t* output,
                                     const char16_t* outputAgain, const uint32_t* block) {
    return hookmodule::BeginJob(kModule, document, output, outputAgain, block);
}

QV_MODULE_EXPORT uint32_t ksEndPage(uint32_t job, const void* page) {
    return hookmodule::EndPage(kModule, job, page);
}

QV_MODULE_EXPORT uint32_t ksEndJob(uint32_t job, uint32_t cancel) {
    return hookmodule::EndJob(kModule, job, cancel);
}
