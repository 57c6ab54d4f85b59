#include <gtest/gtest.h>

#include "winapi/WinRpc.h"
#include "winapi/WinSystem.h"
#include "winapi/host/WinHostStore.h"

TEST(WinSystemTest, VersionBlocksOfBothSizesAndTheStoresFailures) {
    WinOsVersion version; // 5.0.2195, NT
    version.csdVersion = u"Service Pack 2";
    version.suiteMask = VER_SUITE_ENTERPRISE;
    version.failingBlockSizes = {sizeof(OSVERSIONINFOW)};
    WinHostStore::Instance().SetOsVersion(version);
    OSVERSIONINFOW basic{};
    basic.dwOSVersionInfoSize = sizeof basic;
    EXPECT_FALSE(GetVersionExW(&basic));
    OSVERSIONINFOEXW extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    ASSERT_TRUE(GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&extended)));
    EXPECT_EQ(extended.dwMajorVersion, 5u);
    EXPECT_EQ(extended.dwBuildNumber, 2195u);
    EXPECT_EQ(extended.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(std::u16string(extended.szCSDVersion), u"Service Pack 2");
    EXPECT_EQ(extended.wSuiteMask, VER_SUITE_ENTERPRISE);
    basic.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(GetVersionExW(&basic));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    // GetVersion: major, minor, build in the high word; the top bit for 9x.
    EXPECT_EQ(GetVersion(), 0x08930005u);
    version.major = 4;
    version.minor = 10;
    version.build = 1998;
    version.platformId = VER_PLATFORM_WIN32_WINDOWS;
    WinHostStore::Instance().SetOsVersion(version);
    EXPECT_EQ(GetVersion(), 0x87CE0A04u);
}

TEST(WinSystemTest, NamesAnswerTheSizeNeededWithTheirNul) {
    WinHostStore::Instance().SetUserName(u"Administrator");
    WCHAR buffer[32];
    DWORD size = 5;
    EXPECT_FALSE(GetUserNameW(buffer, &size));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(size, 14u);
    ASSERT_TRUE(GetUserNameW(buffer, &size));
    EXPECT_EQ(size, 14u);
    EXPECT_EQ(std::u16string(buffer), u"Administrator");
    size = 32;
    ASSERT_TRUE(GetComputerNameW(buffer, &size));
    EXPECT_EQ(size, 6u); // "QVHOST", without its NUL
    WinHostStore::Instance().SetLanguages(0x0411, 0x0407);
    EXPECT_EQ(GetSystemDefaultLangID(), 0x0411);
    EXPECT_EQ(GetUserDefaultLangID(), 0x0407);
}

TEST(WinSystemTest, UuidsAreVersion4AndPrintedInLowerCase) {
    WinHostStore::Instance().QueueUuid(
        {0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}});
    UUID uuid;
    ASSERT_EQ(UuidCreate(&uuid), RPC_S_OK);
    RPC_WSTR text = nullptr;
    ASSERT_EQ(UuidToStringW(&uuid, &text), RPC_S_OK);
    EXPECT_EQ(std::u16string(text), u"01234567-89ab-cdef-0123-456789abcdef");
    EXPECT_EQ(RpcStringFreeW(&text), RPC_S_OK);
    EXPECT_EQ(text, nullptr);
    for (int i = 0; i < 16; ++i) {
        ASSERT_EQ(UuidCreate(&uuid), RPC_S_OK);
        EXPECT_EQ(uuid.Data3 >> 12, 4);
        EXPECT_EQ(uuid.Data4[0] & 0xC0, 0x80);
    }
    RPC_CSTR narrow = nullptr;
    ASSERT_EQ(UuidToStringA(&uuid, &narrow), RPC_S_OK);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(narrow)).size(), 36u);
    RpcStringFreeA(&narrow);
}
