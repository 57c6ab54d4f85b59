#include <gtest/gtest.h>

#include <cstring>

#include "WinTestSupport.h"
#include "winapi/WinHandle.h"
#include "winapi/WinReg.h"
#include "winapi/host/WinHostStore.h"

namespace {
WinScopedKey Create(HKEY root, const char16_t* path, REGSAM access = KEY_ALL_ACCESS) {
    WinScopedKey key;
    EXPECT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, access, nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    return key;
}

LONG Set(HKEY key, const char16_t* name, DWORD type, const std::vector<BYTE>& data) {
    return RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
}
} // namespace

TEST(WinRegistryTest, NamesMatchWithoutCaseAndKeepTheirSpelling) {
    {
        WinScopedKey key = Create(HKEY_LOCAL_MACHINE, u"SYSTEM\\CurrentControlSet\\Control\\Print");
        ASSERT_EQ(Set(key.Get(), u"ProductType", REG_SZ, WideBytes(u"WinNT", true)), ERROR_SUCCESS);
    }
    WinScopedKey again;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"system\\currentcontrolset\\CONTROL\\print", 0, KEY_READ,
                            again.Receive()),
              ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(again.Get(), u"PRODUCTTYPE", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 12u);

    WCHAR name[32];
    DWORD nameSize = 32;
    ASSERT_EQ(RegEnumValueW(again.Get(), 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(name, nameSize), u"ProductType");
    WinScopedKey control;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SYSTEM\\CurrentControlSet", 0, KEY_READ, control.Receive()),
              ERROR_SUCCESS);
    nameSize = 32;
    ASSERT_EQ(RegEnumKeyExW(control.Get(), 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(name, nameSize), u"Control");
}

TEST(WinRegistryTest, TypedValuesComeBackByteForByteWithTheSizeRules) {
    WinScopedKey key = Create(HKEY_CURRENT_USER, u"Software\\X");
    struct Case {
        const char16_t* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    const Case cases[] = {
        {u"Text", REG_SZ, WideBytes(u"abc", true)},
        {u"NoNul", REG_SZ, WideBytes(u"ab", false)}, // as the spooler stores strings: kept without a NUL
        {u"Expand", REG_EXPAND_SZ, WideBytes(u"%TEMP%", true)},
        {u"Count", REG_DWORD, {0x78, 0x56, 0x34, 0x12}},
        {u"Blob", REG_BINARY, {0, 1, 2, 0xFF}},
        {u"List", REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
        {u"Empty", REG_BINARY, {}},
    };
    for (const Case& c : cases)
        ASSERT_EQ(Set(key.Get(), c.name, c.type, c.data), ERROR_SUCCESS);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
        DWORD type = 0, size = 0;
        // Size query: no buffer.
        ASSERT_EQ(RegQueryValueExW(key.Get(), c.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(size, c.data.size());
        // One byte short: ERROR_MORE_DATA and the size needed.
        std::vector<BYTE> buffer(c.data.size() + 4, 0xEE);
        if (!c.data.empty()) {
            size = static_cast<DWORD>(c.data.size() - 1);
            EXPECT_EQ(RegQueryValueExW(key.Get(), c.name, nullptr, &type, buffer.data(), &size),
                      ERROR_MORE_DATA);
            EXPECT_EQ(size, c.data.size());
        }
        size = static_cast<DWORD>(buffer.size());
        ASSERT_EQ(RegQueryValueExW(key.Get(), c.name, nullptr, &type, buffer.data(), &size), ERROR_SUCCESS);
        EXPECT_EQ(std::vector<BYTE>(buffer.begin(), buffer.begin() + size), c.data);
        EXPECT_EQ(buffer[size], 0xEE); // nothing written past the value
    }
    DWORD size = 4;
    BYTE data[4];
    EXPECT_EQ(RegQueryValueExW(key.Get(), u"Missing", nullptr, nullptr, data, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(key.Get(), u"Text", nullptr, nullptr, data, nullptr), ERROR_INVALID_PARAMETER);
}

TEST(WinRegistryTest, NarrowCallsConvertStringsToTheAnsiCodePage) {
    WinScopedKey key = Create(HKEY_CURRENT_USER, u"Control Panel\\International");
    ASSERT_EQ(Set(key.Get(), u"sCountry", REG_SZ, WideBytes(u"Espa\u00F1a", true)), ERROR_SUCCESS);
    ASSERT_EQ(Set(key.Get(), u"iCountry", REG_DWORD, {34, 0, 0, 0}), ERROR_SUCCESS);
    HKEY narrow = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\International", &narrow), ERROR_SUCCESS);
    WinScopedKey hold(narrow);
    char text[128];
    DWORD size = sizeof text, type = 0;
    ASSERT_EQ(RegQueryValueExA(narrow, "sCountry", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::string(text, size), std::string("Espa\xF1"
                                                   "a\0",
                                                   7)); // CP1252 bytes and the NUL
    BYTE dword[4];
    size = 4;
    ASSERT_EQ(RegQueryValueExA(narrow, "iCountry", nullptr, &type, dword, &size), ERROR_SUCCESS);
    EXPECT_EQ(dword[0], 34);
    ASSERT_EQ(RegSetValueExA(narrow, "s1159", 0, REG_SZ, reinterpret_cast<const BYTE*>("AM"), 3),
              ERROR_SUCCESS);
    size = 16;
    BYTE wide[16];
    ASSERT_EQ(RegQueryValueExW(narrow, u"s1159", nullptr, &type, wide, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::vector<BYTE>(wide, wide + size), WideBytes(u"AM", true));
}

TEST(WinRegistryTest, KeysMarkedNotWritableDenyEveryWritePath) {
    WinHostStore::Instance().SetRegistryDword(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Locked", u"Value", 7);
    WinHostStore::Instance().SetKeyWritable(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Locked", false);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Locked", 0, KEY_ALL_ACCESS, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Locked\\Child", 0, nullptr, 0, KEY_READ,
                              nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    // The old open call gets what the key allows: reading.
    WinScopedKey readOnly;
    ASSERT_EQ(RegOpenKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Locked", readOnly.Receive()), ERROR_SUCCESS);
    DWORD value = 0, size = 4;
    EXPECT_EQ(
        RegQueryValueExW(readOnly.Get(), u"Value", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(Set(readOnly.Get(), u"Value", REG_DWORD, {1, 0, 0, 0}), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueW(readOnly.Get(), u"Value"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Locked"), ERROR_ACCESS_DENIED);
    // A writable key opened for reading only refuses writes through that handle.
    WinScopedKey reader = Create(HKEY_CURRENT_USER, u"Software\\Open", KEY_READ);
    EXPECT_EQ(Set(reader.Get(), u"V", REG_DWORD, {1, 0, 0, 0}), ERROR_ACCESS_DENIED);
}

TEST(WinRegistryTest, RootsWorkInEitherFormAndDeletedKeysFailTheirHandles) {
    // The root as signed decimal text converted back gives a zero- or
    // sign-extended value; both name the user hive.
    const auto fromText = reinterpret_cast<HKEY>(static_cast<intptr_t>(std::stol("-2147483647")));
    const auto zeroExtended = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u));
    WinScopedKey created = Create(fromText, u"Software\\X");
    WinScopedKey opened;
    EXPECT_EQ(RegOpenKeyExW(zeroExtended, u"Software\\X", 0, KEY_READ, opened.Receive()), ERROR_SUCCESS);
    EXPECT_NE(WinHostStore::Instance().FindRegistryKey(HKEY_CURRENT_USER, u"Software\\X"), nullptr);

    WinScopedKey parent = Create(HKEY_CURRENT_USER, u"Software");
    EXPECT_EQ(RegDeleteKeyW(parent.Get(), u"X"), ERROR_SUCCESS);
    EXPECT_EQ(Set(created.Get(), u"V", REG_DWORD, {1, 0, 0, 0}), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(uintptr_t{0x1234})), ERROR_INVALID_HANDLE);
    // A key with subkeys is not deleted.
    WinScopedKey nested = Create(HKEY_CURRENT_USER, u"Software\\A\\B");
    EXPECT_EQ(RegDeleteKeyW(parent.Get(), u"A"), ERROR_ACCESS_DENIED);
}

TEST(WinRegistryTest, EnumerationStopsWithNoMoreItemsAndReportsShortNameBuffers) {
    WinScopedKey key = Create(HKEY_CURRENT_USER, u"Software\\Enum");
    for (const char16_t* name : {u"Beta", u"alpha", u"Gamma"})
        Create(key.Get(), name);
    WCHAR name[8];
    std::vector<std::u16string> names;
    for (DWORD i = 0;; ++i) {
        DWORD size = 8;
        const LONG result = RegEnumKeyExW(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(result, ERROR_SUCCESS);
        names.emplace_back(name, size);
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"alpha", u"Beta", u"Gamma"}));
    DWORD tiny = 5; // "alpha" needs 6 with its NUL
    EXPECT_EQ(RegEnumKeyExW(key.Get(), 0, name, &tiny, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    DWORD subKeys = 0, values = 9;
    ASSERT_EQ(RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 3u);
    EXPECT_EQ(values, 0u);
}
