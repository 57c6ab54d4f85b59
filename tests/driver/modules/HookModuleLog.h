#pragma once
// What the logging job hook doubles write for each call: the texts and job
// block they were given, the page block's size and whether its other bytes
// are zero, the job and cancel flag at the end.
#include <cstdint>
#include <cstring>
#include <string>

#include "TestModuleLog.h"

namespace hookmodule {

inline constexpr uint32_t kJob = 0x5150;

inline std::u16string Block(const uint32_t* block) {
    std::u16string text;
    for (int i = 0; i < 7; ++i)
        text += (i > 0 ? u"," : u"") + testmodule::Number(block[i]);
    return text;
}

inline uint32_t BeginJob(const char16_t* module, const char16_t* document, const char16_t* output,
                         const char16_t* outputAgain, const uint32_t* block) {
    testmodule::Append(module, std::u16string(u"begin|") + document + u"|" + output + u"|" + outputAgain +
                                   u"|" + Block(block));
    return kJob;
}

inline uint32_t EndPage(const char16_t* module, uint32_t job, const void* page) {
    uint16_t size = 0;
    std::memcpy(&size, page, sizeof size);
    const auto* bytes = static_cast<const unsigned char*>(page);
    bool zero = true;
    for (int i = 2; i < 16; ++i)
        zero = zero && bytes[i] == 0;
    testmodule::Append(module, u"page|" + testmodule::Number(job) + u"|" + testmodule::Number(size) +
                                   (zero ? u"|zero" : u"|nonzero"));
    return 1;
}

inline uint32_t EndJob(const char16_t* module, uint32_t job, uint32_t cancel) {
    testmodule::Append(module, u"end|" + testmodule::Number(job) + u"|" + testmodule::Number(cancel));
    return 1;
}

} // namespace hookmodule
