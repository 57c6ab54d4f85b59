// Code-page conversions of the platform layer, on iconv. The wide side is
// UTF-16LE; the narrow side is the Windows code page named by number.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <unordered_map>

#include "winapi/WinKernel.h"
#include "winapi/host/WinHostProcess.h"
#include "winapi/host/WinHostStore.h"

namespace {

UINT ResolveCodePage(UINT codePage) {
    if (codePage == CP_ACP) return GetACP();
    if (codePage == CP_OEMCP) return GetOEMCP();
    return codePage;
}

std::string IconvName(UINT codePage) {
    if (codePage == CP_UTF8) return "UTF-8";
    return "CP" + std::to_string(codePage);
}

// Closes the thread's converters when the thread ends.
struct ConverterCache : std::unordered_map<uint64_t, iconv_t> {
    ~ConverterCache() {
        for (auto& entry : *this) {
            if (entry.second != reinterpret_cast<iconv_t>(-1)) iconv_close(entry.second);
        }
    }
};

// One converter per thread and direction: iconv descriptors keep state and
// are not shared between threads.
iconv_t Converter(UINT codePage, bool toWide) {
    thread_local ConverterCache cache;
    const uint64_t key = (uint64_t{codePage} << 1) | (toWide ? 1 : 0);
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    const std::string name = IconvName(codePage);
    iconv_t cd = toWide ? iconv_open("UTF-16LE", name.c_str()) : iconv_open(name.c_str(), "UTF-16LE");
    cache.emplace(key, cd);
    return cd;
}

bool IsSingleByte1252Hole(unsigned char byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

// Converts everything into a growing result; bad input is replaced unless
// strict, in which case conversion fails.
bool NarrowToUtf16(UINT codePage, const char* text, size_t length, bool strict, std::u16string& out) {
    iconv_t cd = Converter(codePage, true);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text);
    size_t inLeft = length;
    char16_t buffer[256];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof buffer;
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, (sizeof buffer - outLeft) / sizeof(char16_t));
        if (result != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: one undecodable byte. Code page 1252's five
        // unassigned bytes map to the same code points, as the host does.
        const auto byte = static_cast<unsigned char>(*in);
        const bool hole = codePage == 1252 && IsSingleByte1252Hole(byte);
        if (strict && !hole) return false;
        out.push_back(hole ? char16_t(byte) : u'?');
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return true;
}

bool Utf16ToNarrow(UINT codePage, const char16_t* text, size_t length, char defaultChar, bool& usedDefault,
                   std::string& out) {
    iconv_t cd = Converter(codePage, false);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text));
    size_t inLeft = length * sizeof(char16_t);
    char buffer[512];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof buffer - outLeft);
        if (result != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // An unmappable unit (or a lone surrogate): the default character.
        const auto unit = *reinterpret_cast<const char16_t*>(in);
        const size_t skip = (unit >= 0xD800 && unit < 0xDC00 && inLeft >= 4) ? 4 : 2;
        if (codePage == 1252 && unit < 0x100 && IsSingleByte1252Hole(static_cast<unsigned char>(unit))) {
            out.push_back(static_cast<char>(unit));
        } else {
            out.push_back(defaultChar);
            usedDefault = true;
        }
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return true;
}

template <typename Unit> size_t TextLength(const Unit* text, int length) {
    if (length >= 0) return static_cast<size_t>(length);
    size_t n = 0;
    while (text[n] != 0)
        ++n;
    return n + 1; // -1 includes the terminating NUL
}

template <typename Unit, typename String> int CopyOut(const String& converted, Unit* out, int outSize) {
    if (converted.size() > static_cast<size_t>(INT32_MAX)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int needed = static_cast<int>(converted.size());
    if (outSize == 0) return needed;
    if (needed > outSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(out, converted.data(), converted.size() * sizeof(Unit));
    return needed;
}

} // namespace

UINT GetACP() {
    WinHostStore& store = WinHostStore::Instance();
    std::lock_guard<std::recursive_mutex> hold(store.Mutex());
    return store.State().ansiCodePage;
}

UINT GetOEMCP() {
    WinHostStore& store = WinHostStore::Instance();
    std::lock_guard<std::recursive_mutex> hold(store.Mutex());
    return store.State().oemCodePage;
}

void SetAnsiCodePageForHost(UINT codePage) {
    WinHostStore::Instance().SetCodePages(codePage, codePage == 1252 ? 437 : codePage);
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR out, int outSize) {
    if (text == nullptr || length == 0 || length < -1 || outSize < 0 || (outSize > 0 && out == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string converted;
    const bool strict = (flags & MB_ERR_INVALID_CHARS) != 0;
    if (!NarrowToUtf16(ResolveCodePage(codePage), text, TextLength(text, length), strict, converted)) {
        SetLastError(strict ? ERROR_NO_UNICODE_TRANSLATION : ERROR_INVALID_PARAMETER);
        return 0;
    }
    return CopyOut(converted, out, outSize);
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR text, int length, LPSTR out, int outSize,
                        LPCSTR defaultChar, LPBOOL usedDefaultChar) {
    if (text == nullptr || length == 0 || length < -1 || outSize < 0 || (outSize > 0 && out == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string converted;
    bool usedDefault = false;
    const char fallback = defaultChar != nullptr ? *defaultChar : '?';
    if (!Utf16ToNarrow(ResolveCodePage(codePage), text, TextLength(text, length), fallback, usedDefault,
                       converted)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (usedDefaultChar != nullptr) *usedDefaultChar = usedDefault ? TRUE : FALSE;
    return CopyOut(converted, out, outSize);
}
