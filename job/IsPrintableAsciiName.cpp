#include "job/IsPrintableAsciiName.h"

#include <algorithm>

namespace {
constexpr size_t kCheckedNameCharacters = 16;
}

int32_t IsPrintableAsciiName(WCHAR* text, size_t length) {
    if (text == nullptr) return 0;
    int32_t changed = 0;
    for (size_t i = 0; i < std::min(length, kCheckedNameCharacters); ++i) {
        const WCHAR c = text[i];
        if (c == 0) continue;
        if (c >= u'a' && c <= u'z') {
            text[i] = static_cast<WCHAR>(c - u'a' + u'A');
            changed = 1;
        } else if (c < 0x20 || c > 0x7E || c == u'"') {
            return 0;
        }
    }
    return changed;
}
