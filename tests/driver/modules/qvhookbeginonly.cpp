// A job hook module with the four-text begin entry and both end entries but
// no "ksBeginJobEx": every entry logs its call with what it was given.
#include <cstdint>
#include <cstring>

#include "TestModuleLog.h"
#include "winapi/WinExport.h"

namespace {
constexpr const char16_t* kModule = u"qvhookbeginonly";
constexpr uint32_t kJob = 0x5150;

std::u16string Block(const uint32_t* block) {
    std::u16string text;
    for (int i = 0; i < 7; ++i)
        text += (i > 0 ? u"," : u"") + testmodule::Number(block[i]);
    return text;
}
} // namespace

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(kModule, reason);
    return TRUE;
}

QV_MODULE_EXPORT uint32_t ksBeginJob(const char16_t* document, const char16_t* output,
                                     const char16_t* outputAgain, const uint32_t* block) {
    testmodule::Append(kModule, std::u16string(u"begin|") + document + u"|" + output + u"|" + outputAgain +
                                    u"|" + Block(block));
    return kJob;
}

QV_MODULE_EXPORT uint32_t ksEndPage(uint32_t job, const void* page) {
    uint16_t size = 0;
    std::memcpy(&size, page, sizeof size);
    const auto* bytes = static_cast<const unsigned char*>(page);
    bool zero = true;
    for (int i = 2; i < 16; ++i)
        zero = zero && bytes[i] == 0;
    testmodule::Append(kModule, u"page|" + testmodule::Number(job) + u"|" + testmodule::Number(size) +
                                    (zero ? u"|zero" : u"|nonzero"));
    return 1;
}

QV_MODULE_EXPORT uint32_t ksEndJob(uint32_t job, uint32_t cancel) {
    testmodule::Append(kModule, u"end|" + testmodule::Number(job) + u"|" + testmodule::Number(cancel));
    return 1;
}
