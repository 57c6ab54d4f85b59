#include "winapi/internal/WinTextRules.h"

#include <cstring>

#include "winapi/WinKernel.h"

namespace WinText {

size_t Length(const WCHAR* text) {
    size_t n = 0;
    if (text != nullptr)
        while (text[n] != 0)
            ++n;
    return n;
}

std::u16string_view View(const WCHAR* text) {
    return text != nullptr ? std::u16string_view(text, Length(text)) : std::u16string_view();
}

char16_t FoldChar(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string Fold(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded)
        c = FoldChar(c);
    return folded;
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldChar(a[i]) != FoldChar(b[i])) return false;
    return true;
}

namespace {
std::u16string Widen(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (needed <= 0) return {};
    std::u16string out(static_cast<size_t>(needed), u'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), needed);
    return out;
}

std::string Narrow(UINT codePage, std::u16string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string out(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), needed, nullptr, nullptr);
    return out;
}
} // namespace

std::u16string FromAnsi(const char* text) {
    return text != nullptr ? Widen(CP_ACP, std::string_view(text)) : std::u16string();
}

std::u16string FromAnsi(std::string_view text) {
    return Widen(CP_ACP, text);
}

std::string ToAnsi(std::u16string_view text) {
    return Narrow(CP_ACP, text);
}

std::u16string FromUtf8(std::string_view text) {
    return Widen(CP_UTF8, text);
}

std::string ToUtf8(std::u16string_view text) {
    return Narrow(CP_UTF8, text);
}

BOOL CopyOutCounted(std::u16string_view text, WCHAR* buffer, DWORD* size) {
    if (size == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD needed = static_cast<DWORD>(text.size() + 1);
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, text.data(), text.size() * sizeof(WCHAR));
    buffer[text.size()] = 0;
    *size = needed;
    return TRUE;
}

DWORD CopyOutReturned(std::u16string_view text, WCHAR* buffer, DWORD size) {
    const DWORD needed = static_cast<DWORD>(text.size() + 1);
    if (buffer == nullptr || size < needed) return needed;
    std::memcpy(buffer, text.data(), text.size() * sizeof(WCHAR));
    buffer[text.size()] = 0;
    return needed - 1;
}

} // namespace WinText
