#include "winapi/internal/WinStoreSetting.h"

#define QV_STORE_SETTING(key, field, Reader, Kind)                                                           \
    WinStoreSetting {                                                                                        \
        key, [](const WinMachineState& s) { return WinStoreCell(static_cast<Kind>(s.field)); },              \
            [](WinMachineState& s, const WinSqliteStatement& row, int column) {                              \
                s.field = static_cast<decltype(s.field)>(row.Reader(column));                                \
            }                                                                                                \
    }
#define QV_STORE_INT(key, field) QV_STORE_SETTING(key, field, Int, int64_t)
#define QV_STORE_TEXT(key, field) QV_STORE_SETTING(key, field, Text16, std::u16string)

const std::vector<WinStoreSetting>& WinStoreSetting::All() {
    static const std::vector<WinStoreSetting> settings = {
        QV_STORE_TEXT("userName", userName),
        QV_STORE_TEXT("computerName", computerName),
        QV_STORE_INT("ansiCodePage", ansiCodePage),
        QV_STORE_INT("oemCodePage", oemCodePage),
        QV_STORE_INT("os.major", osVersion.major),
        QV_STORE_INT("os.minor", osVersion.minor),
        QV_STORE_INT("os.build", osVersion.build),
        QV_STORE_INT("os.platformId", osVersion.platformId),
        QV_STORE_TEXT("os.csdVersion", osVersion.csdVersion),
        QV_STORE_INT("os.servicePackMajor", osVersion.servicePackMajor),
        QV_STORE_INT("os.servicePackMinor", osVersion.servicePackMinor),
        QV_STORE_INT("os.suiteMask", osVersion.suiteMask),
        QV_STORE_INT("os.productType", osVersion.productType),
        QV_STORE_INT("systemLanguage", systemLanguage),
        QV_STORE_INT("userLanguage", userLanguage),
        QV_STORE_INT("tz.bias", timeZone.bias),
        QV_STORE_TEXT("tz.standardName", timeZone.standardName),
        QV_STORE_INT("tz.standardBias", timeZone.standardBias),
        QV_STORE_TEXT("tz.daylightName", timeZone.daylightName),
        QV_STORE_INT("tz.daylightBias", timeZone.daylightBias),
        QV_STORE_INT("tz.daylightInEffect", timeZone.daylightInEffect),
        QV_STORE_INT("fakeClock", fakeClock),
        QV_STORE_INT("fakeUtcMilliseconds", fakeUtcMilliseconds),
        QV_STORE_INT("fakeTickMilliseconds", fakeTickMilliseconds),
        QV_STORE_TEXT("systemRoot", systemRoot),
        QV_STORE_TEXT("currentDirectory", currentDirectory),
        QV_STORE_TEXT("processPath", processPath),
        QV_STORE_SETTING("networkRoot", networkRoot, Text8, std::string), // a host folder: narrow text
    };
    return settings;
}

#undef QV_STORE_TEXT
#undef QV_STORE_INT
#undef QV_STORE_SETTING
