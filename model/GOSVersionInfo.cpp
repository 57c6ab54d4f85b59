#include "model/GOSVersionInfo.h"

#include <cstring>

#include "rw/RWWString.h"
#include "winapi/WinReg.h"
#include "winapi/WinSystem.h"

namespace {

constexpr DWORD kPlatformWin32s = 0;
constexpr DWORD kPlatformWindows = 1;
constexpr DWORD kPlatformNT = 2;
constexpr DWORD kBuildWindows2000 = 2195;
// The larger version block the second query passes.
constexpr DWORD kLargeBlockSize = 552;
constexpr DWORD kProductValueSize = 128;

struct Classified {
    uint32_t code = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
};

enum class Outcome { Classified, Failed, NoAnswer };

uint32_t NtCode(uint32_t major, uint32_t build) {
    return major == 4 ? 9 : (build == kBuildWindows2000 ? 13 : 14);
}

// The standard 276-byte block.
Outcome QueryStandardBlock(Classified& result) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info)) return Outcome::NoAnswer;
    result = {0, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber & 0xFFFF};
    const uint32_t major = info.dwMajorVersion;
    const uint32_t minor = info.dwMinorVersion;
    if (info.dwPlatformId == kPlatformWin32s) {
        result.code = 4;
    } else if (info.dwPlatformId == kPlatformWindows && major >= 4) {
        result.code = (minor == 0 || minor == 20) ? 6 : (minor < 20 ? 7 : 8);
    } else if (info.dwPlatformId == kPlatformNT && (major == 4 || major == 5)) {
        result.code = NtCode(major, result.build);
    } else {
        return Outcome::Failed;
    }
    return Outcome::Classified;
}

// The larger block: the extended record in a buffer of 552 bytes.
Outcome QueryLargeBlock(Classified& result) {
    alignas(OSVERSIONINFOW) unsigned char block[kLargeBlockSize] = {};
    static_assert(sizeof(OSVERSIONINFOW) <= kLargeBlockSize);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = kLargeBlockSize;
    std::memcpy(block, &info, sizeof info);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(block))) return Outcome::NoAnswer;
    std::memcpy(&info, block, sizeof info);
    result = {0, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber & 0xFFFF};
    switch (info.dwPlatformId) {
    case kPlatformWin32s:
        result.code = 4;
        return Outcome::Classified;
    case kPlatformWindows:
        result.code = 5;
        return Outcome::Classified;
    case kPlatformNT:
        if (info.dwMajorVersion != 4 && info.dwMajorVersion != 5) return Outcome::Failed;
        result.code = NtCode(info.dwMajorVersion, result.build);
        return Outcome::Classified;
    default:
        return Outcome::NoAnswer;
    }
}

// The legacy query: major in the low byte, minor in the next, the top bit
// set on systems that are not NT.
Classified QueryLegacy() {
    const DWORD version = GetVersion();
    Classified result{0, version & 0xFF, (version >> 8) & 0xFF, 0};
    const bool nt = (version & 0x80000000u) == 0;
    if (nt) {
        result.code = result.major == 4 ? 9 : 13;
    } else {
        result.code = result.major == 3 ? 4 : 5;
    }
    return result;
}

// Reads a REG_SZ value into a wide string; the data is NUL-terminated inside
// the buffer before it is used, whatever the registry stored.
bool ReadProductValue(HKEY key, const WCHAR* name, RWWString* text) {
    WCHAR buffer[kProductValueSize / sizeof(WCHAR) + 1] = {};
    DWORD type = 0;
    DWORD size = kProductValueSize;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    if (text != nullptr) {
        buffer[std::min<DWORD>(size, kProductValueSize) / sizeof(WCHAR)] = 0;
        *text = RWWString(buffer);
    }
    return true;
}

// Refines codes 9 and 13 by the product options: a "Winnt" product is 13
// with a readable product suite, else 9; any other product type is 10.
bool RefineByProductType(uint32_t& code) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SYSTEM\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_READ,
                      &key) != ERROR_SUCCESS) {
        return false;
    }
    RWWString productType;
    bool ok = ReadProductValue(key, u"ProductType", &productType);
    if (ok) {
        if (productType.CompareTo(u"Winnt", RWIgnoreCase) == 0) {
            // Each query gets the whole buffer, however long the first value was.
            code = ReadProductValue(key, u"ProductSuite", nullptr) ? 13 : 9;
        } else {
            code = 10;
        }
    }
    RegCloseKey(key);
    return ok;
}

} // namespace

int GOSVersionInfo::Detect() {
    Classified result;
    Outcome outcome = QueryStandardBlock(result);
    if (outcome == Outcome::NoAnswer) outcome = QueryLargeBlock(result);
    if (outcome == Outcome::Failed) return 0;
    if (outcome == Outcome::NoAnswer) result = QueryLegacy();
    if ((result.code == 9 || result.code == 13) && !RefineByProductType(result.code)) return 0;
    code_ = result.code;
    version_ = (result.major << 16) | (result.minor & 0xFFFF);
    build_ = result.build;
    return 1;
}

uint32_t GOSVersionInfo::GetFamily(uint32_t code) {
    switch (code) {
    case 1:
        return 1;
    case 2:
    case 3:
    case 4:
        return 2;
    case 5:
        return 3;
    case 9:
    case 10:
    case 11:
    case 13:
    case 14:
        return 4;
    case 12:
        return 6;
    default:
        return 0;
    }
}
