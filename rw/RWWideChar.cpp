#include "rw/RWWideChar.h"

#include <locale.h>
#include <wctype.h>

namespace {

// The case tables of the C library's own UTF-8 locale, used through a locale
// object of our own so the process locale is never read or changed.
locale_t CaseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

bool IsSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

char16_t AsciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
}
char16_t AsciiUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
}

char16_t Mapped(char16_t c, wint_t mapped) {
    return mapped <= 0xFFFF && !IsSurrogate(static_cast<char16_t>(mapped)) ? static_cast<char16_t>(mapped)
                                                                           : c;
}

} // namespace

size_t RWWideLength(const char16_t* text) {
    size_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

const char16_t* RWWideFind(const char16_t* text, char16_t c) {
    for (;; ++text) {
        if (*text == c) return text;
        if (*text == 0) return nullptr;
    }
}

const char16_t* RWWideFindLast(const char16_t* text, char16_t c) {
    const char16_t* found = nullptr;
    for (;; ++text) {
        if (*text == c) found = text;
        if (*text == 0) return found;
    }
}

const char16_t* RWWideFindAny(const char16_t* text, const char16_t* set) {
    for (; *text != 0; ++text) {
        for (const char16_t* s = set; *s != 0; ++s) {
            if (*s == *text) return text;
        }
    }
    return nullptr;
}

char16_t RWWideToLower(char16_t c) {
    if (c < 0x80) return AsciiLower(c);
    const locale_t locale = CaseLocale();
    if (locale == static_cast<locale_t>(nullptr) || IsSurrogate(c)) return c;
    return Mapped(c, towlower_l(c, locale));
}

char16_t RWWideToUpper(char16_t c) {
    if (c < 0x80) return AsciiUpper(c);
    const locale_t locale = CaseLocale();
    if (locale == static_cast<locale_t>(nullptr) || IsSurrogate(c)) return c;
    return Mapped(c, towupper_l(c, locale));
}

bool RWWideIsSpace(char16_t c) {
    if (c <= 0x20) return c == 0x20 || (c >= 0x09 && c <= 0x0D);
    switch (c) {
    case 0x85:
    case 0xA0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
        return true;
    default:
        return c >= 0x2000 && c <= 0x200A;
    }
}
