// A job hook module with every entry: the six-text begin entry, which is
// preferred, records its texts and job block, and every entry logs its call.
#include <cstdint>

#include "HookModuleLog.h"
#include "winapi/WinExport.h"

namespace {
constexpr const char16_t* kModule = u"qvhookfull";
} // namespace

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(kModule, reason);
    return TRUE;
}

QV_MODULE_EXPORT uint32_t ksBeginJob(const char16_t* document, const char16_t* output,
                                     const char16_t* outputAgain, const uint32_t* block) {
    return hookmodule::BeginJob(kModule, document, output, outputAgain, block);
}

QV_MODULE_EXPORT uint32_t ksBeginJobEx(const char16_t* application, const char16_t* document,
                                       const char16_t* printer, const char16_t* output,
                                       const char16_t* outputAgain, const uint32_t* block) {
    testmodule::Append(kModule, std::u16string(u"beginEx|") + application + u"|" + document + u"|" + printer +
                                    u"|" + output + u"|" + outputAgain + u"|" + hookmodule::Block(block));
    return hookmodule::kJob;
}

QV_MODULE_EXPORT uint32_t ksEndPage(uint32_t job, const void* page) {
    return hookmodule::EndPage(kModule, job, page);
}

QV_MODULE_EXPORT uint32_t ksEndJob(uint32_t job, uint32_t cancel) {
    return hookmodule::EndJob(kModule, job, cancel);
}
