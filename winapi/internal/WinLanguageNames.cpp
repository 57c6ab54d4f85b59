// Names of language ids for VerLanguageNameW: the languages of the
// translations modules carry, in the English of the system's own list.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "winapi/WinVersion.h"

namespace {
struct LanguageName {
    WORD language;
    const char16_t* name;
};

constexpr LanguageName kLanguageNames[] = {
    {0x0000, u"Language Neutral"},
    {0x0401, u"Arabic (Saudi Arabia)"},
    {0x0404, u"Chinese (Taiwan)"},
    {0x0405, u"Czech"},
    {0x0406, u"Danish"},
    {0x0407, u"German (Germany)"},
    {0x0408, u"Greek"},
    {0x0409, u"English (United States)"},
    {0x040A, u"Spanish (Traditional Sort)"},
    {0x040B, u"Finnish"},
    {0x040C, u"French (France)"},
    {0x040D, u"Hebrew"},
    {0x040E, u"Hungarian"},
    {0x0410, u"Italian (Italy)"},
    {0x0411, u"Japanese"},
    {0x0412, u"Korean"},
    {0x0413, u"Dutch (Netherlands)"},
    {0x0414, u"Norwegian (Bokmal)"},
    {0x0415, u"Polish"},
    {0x0416, u"Portuguese (Brazil)"},
    {0x0419, u"Russian"},
    {0x041D, u"Swedish"},
    {0x041F, u"Turkish"},
    {0x0804, u"Chinese (PRC)"},
    {0x0809, u"English (United Kingdom)"},
    {0x0816, u"Portuguese (Portugal)"},
    {0x0C0A, u"Spanish (Modern Sort)"},
};

std::u16string_view NameOfLanguage(DWORD language) {
    for (const LanguageName& entry : kLanguageNames)
        if (entry.language == language) return entry.name;
    return kLanguageNames[0].name;
}
} // namespace

DWORD VerLanguageNameW(DWORD language, LPWSTR buffer, DWORD size) {
    if (buffer == nullptr || size == 0) return 0;
    const std::u16string_view name = NameOfLanguage(language);
    const size_t copied = std::min<size_t>(name.size(), size - 1);
    std::memcpy(buffer, name.data(), copied * sizeof(WCHAR));
    buffer[copied] = 0;
    return static_cast<DWORD>(copied);
}
