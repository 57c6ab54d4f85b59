#include "winnt40/GNTUnicodeConverter.h"

#include <algorithm>
#include <vector>

#include "winapi/WinKernel.h"

namespace {

// The longest narrow form of one character (a surrogate pair in UTF-8 or
// GB18030 takes 4 bytes; no code page takes more than this).
constexpr int kMaxCharBytes = 8;

bool IsHighSurrogate(WCHAR unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(WCHAR unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Whole characters, one at a time, while they fit: only reached when the
// text as a whole does not fit, and it stops at the capacity, so it never
// walks more of the text than the output can take.
int32_t WideToNarrowPrefix(UINT codePage, const WCHAR* text, int32_t length, char* out, int32_t capacity) {
    int32_t written = 0;
    int32_t index = 0;
    while (index < length && written < capacity) {
        const int units =
            (IsHighSurrogate(text[index]) && index + 1 < length && IsLowSurrogate(text[index + 1])) ? 2 : 1;
        char bytes[kMaxCharBytes];
        const int size =
            WideCharToMultiByte(codePage, 0, text + index, units, bytes, kMaxCharBytes, nullptr, nullptr);
        if (size <= 0 || size > capacity - written) break;
        std::copy(bytes, bytes + size, out + written);
        written += size;
        index += units;
    }
    return written;
}

} // namespace

int32_t GNTUnicodeConverter::WideToNarrow(uint32_t codePage, const WCHAR* text, int32_t length, char* out,
                                          int32_t capacity) {
    if (text == nullptr || out == nullptr || length <= 0 || capacity <= 0) return 0;
    const int needed = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return 0;
    if (needed <= capacity) {
        return std::max(0, WideCharToMultiByte(codePage, 0, text, length, out, capacity, nullptr, nullptr));
    }
    return WideToNarrowPrefix(codePage, text, length, out, capacity);
}

int32_t GNTUnicodeConverter::NarrowToWide(uint32_t codePage, const char* text, int32_t length, WCHAR* out,
                                          int32_t capacity) {
    if (text == nullptr || out == nullptr || length <= 0 || capacity <= 0) return 0;
    const int needed = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (needed <= 0) return 0;
    if (needed <= capacity) return std::max(0, MultiByteToWideChar(codePage, 0, text, length, out, capacity));

    // The whole text converted aside (at most one unit per byte), then cut.
    std::vector<WCHAR> wide(static_cast<size_t>(needed));
    const int converted = MultiByteToWideChar(codePage, 0, text, length, wide.data(), needed);
    if (converted <= 0) return 0;
    int32_t kept = std::min<int32_t>(capacity, converted);
    if (kept < converted && IsHighSurrogate(wide[kept - 1])) --kept;
    std::copy(wide.begin(), wide.begin() + kept, out);
    return kept;
}
