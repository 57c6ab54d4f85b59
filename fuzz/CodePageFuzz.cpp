// Feeds arbitrary text to the code-page conversions of the platform layer and
// to the string classes built on them. The lead byte picks the code page
// (kCodePages) and, with bit 4, strict decoding; the rest is narrow text and,
// taken two bytes at a time, wide text. Checked besides memory safety:
// - the length a size query answers is the length a conversion writes, and
//   one unit less of room fails with ERROR_INSUFFICIENT_BUFFER;
// - code page 1252 text comes back byte for byte through wide text;
// - well-formed UTF-16 comes back unit for unit through UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzChecks.h"
#include "model/GStringConversion.h"
#include "rw/RWCString.h"
#include "rw/RWWString.h"
#include "winapi/WinKernel.h"
#include "winapi/host/WinHostProcess.h"

namespace {

constexpr UINT kCodePages[] = {1252, 932, 936, 949,     950,    1250,    1251,
                               1253, 437, 850, CP_UTF8, CP_ACP, CP_OEMCP};

[[noreturn]] void Fail(const char* what, UINT codePage) {
    std::fprintf(stderr, "code page %u: ", codePage);
    fuzzchecks::Fail(what);
}

std::u16string ToWide(UINT codePage, DWORD flags, const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::u16string wide(static_cast<size_t>(needed), u'\0');
    if (needed > 1) {
        SetLastError(ERROR_SUCCESS);
        if (MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), needed - 1) != 0 ||
            GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            Fail("a too small wide buffer was not refused", codePage);
        }
    }
    if (MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), needed) != needed)
        Fail("the wide length written differs from the length asked", codePage);
    return wide;
}

std::string ToNarrow(UINT codePage, const std::u16string& wide) {
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int needed =
        WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0) return {};
    std::string narrow(static_cast<size_t>(needed), '\0');
    if (needed > 1) {
        SetLastError(ERROR_SUCCESS);
        if (WideCharToMultiByte(codePage, 0, wide.data(), length, narrow.data(), needed - 1, nullptr,
                                nullptr) != 0 ||
            GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            Fail("a too small narrow buffer was not refused", codePage);
        }
    }
    if (WideCharToMultiByte(codePage, 0, wide.data(), length, narrow.data(), needed, nullptr, nullptr) !=
        needed)
        Fail("the narrow length written differs from the length asked", codePage);
    return narrow;
}

// The string classes with this code page as the host's ANSI code page.
void ThroughStrings(UINT codePage, const std::string& text, const std::u16string& units) {
    if (codePage == CP_ACP || codePage == CP_OEMCP) return;
    SetAnsiCodePageForHost(codePage);
    RWWString wide;
    RWWString::FromMultiByte(text.data(), text.size(), wide);
    RWCString narrow;
    wide.ToMultiByte(narrow);
    ConvertNarrowToWide(RWCString(text.data(), text.size()), wide);
    ConvertWideToNarrow(RWWString(units.data(), units.size()), narrow);
    RWCString(text.data(), text.size()).MbLength();
    SetAnsiCodePageForHost(1252);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const UINT codePage = kCodePages[(data[0] & 0x0F) % std::size(kCodePages)];
    const DWORD flags = (data[0] & 0x10) != 0 ? MB_ERR_INVALID_CHARS : 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::u16string units((size - 1) / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));

    const std::u16string wide = ToWide(codePage, flags, text);
    if (codePage == 1252 && flags == 0 && !text.empty() && ToNarrow(1252, wide) != text)
        Fail("text did not come back byte for byte", codePage);

    const std::string narrow = ToNarrow(codePage, units);
    if (codePage == CP_UTF8 && !units.empty() && fuzzchecks::IsWellFormedUtf16(units) &&
        ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, narrow) != units) {
        Fail("wide text did not come back unit for unit", codePage);
    }

    // Up to and including a terminating NUL.
    const std::string terminated = text + '\0';
    if (MultiByteToWideChar(codePage, 0, terminated.c_str(), -1, nullptr, 0) < 1)
        Fail("a terminated text gave no units", codePage);

    ThroughStrings(codePage, text, units);
    return 0;
}
