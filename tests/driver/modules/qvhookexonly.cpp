// A job hook module with only the six-text begin entry; a document named
// "refuse" is refused (job 0).
#include <cstdint>
#include <string>

#include "TestModuleLog.h"
#include "winapi/WinExport.h"

namespace {
constexpr const char16_t* kModule = u"qvhookexonly";
}

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(kModule, reason);
    return TRUE;
}

QV_MODULE_EXPORT uint32_t ksBeginJobEx(const char16_t* application, const char16_t* document,
                                       const char16_t* printer, const char16_t* output,
                                       const char16_t* outputAgain, const uint32_t*) {
    testmodule::Append(kModule, std::u16string(u"beginEx|") + application + u"|" + document + u"|" + printer +
                                    u"|" + output + u"|" + outputAgain);
    return std::u16string(document) == u"refuse" ? 0 : 7;
}

QV_MODULE_EXPORT uint32_t ksEndPage(uint32_t job, const void*) {
    testmodule::Append(kModule, u"page|" + testmodule::Number(job));
    return 1;
}

QV_MODULE_EXPORT uint32_t ksEndJob(uint32_t job, uint32_t cancel) {
    testmodule::Append(kModule, u"end|" + testmodule::Number(job) + u"|" + testmodule::Number(cancel));
    return 1;
}
