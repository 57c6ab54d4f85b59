#include "ui/pages/GUserLocale.h"

#include <array>

#include "winapi/WinHandle.h"
#include "winapi/WinReg.h"

namespace {

constexpr char16_t kInternationalKey[] = u"Control Panel\\International";

// The REG_SZ value, at most capacity bytes of it; false when it cannot be read.
template <size_t Capacity> bool ReadInternational(const char16_t* name, RWWString& text) {
    WinScopedKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kInternationalKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return false;
    std::array<char16_t, Capacity / sizeof(char16_t) + 1> buffer{};
    DWORD type = 0;
    DWORD size = Capacity;
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    text = RWWString(buffer.data());
    return true;
}

} // namespace

bool GUserLocale::PrefersInches() {
    RWWString measure;
    return ReadInternational<16>(u"iMeasure", measure) && measure == u"1";
}

RWWString GUserLocale::DecimalSeparator() {
    RWWString separator;
    if (!ReadInternational<4>(u"sDecimal", separator) || separator.Length() == 0) return RWWString(u".");
    return separator;
}
