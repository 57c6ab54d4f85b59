// Classification of the running system from the version queries and the
// product options in the registry.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/GOSVersionInfo.h"
#include "winapi/WinReg.h"
#include "winapi/host/WinHostStore.h"

namespace {

constexpr const char16_t* kProductOptions = u"SYSTEM\\CurrentControlSet\\Control\\ProductOptions";

std::vector<BYTE> Text(std::u16string_view text, bool terminated = true) {
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

struct Product {
    std::optional<std::vector<BYTE>> type;  // none: no "ProductType"
    std::optional<std::vector<BYTE>> suite; // none: no "ProductSuite"
    bool key = true;                        // the ProductOptions key exists
};

struct Case {
    const char* what;
    DWORD platform, major, minor, build;
    std::set<DWORD> failingBlocks;
    Product product;
    int result;
    uint32_t code;
    uint32_t family;
};

class GOSVersionInfoTest : public ::testing::Test {
protected:
    void TearDown() override { WinHostStore::Instance().Reset(); }

    static void Install(const Case& c) {
        WinHostStore& store = WinHostStore::Instance();
        store.Reset();
        WinOsVersion version;
        version.platformId = c.platform;
        version.major = c.major;
        version.minor = c.minor;
        version.build = c.build;
        version.failingBlockSizes = c.failingBlocks;
        store.SetOsVersion(version);
        if (!c.product.key) return;
        store.CreateRegistryKey(HKEY_LOCAL_MACHINE, kProductOptions);
        if (c.product.type)
            store.SetRegistryValue(HKEY_LOCAL_MACHINE, kProductOptions, u"ProductType", REG_SZ,
                                   *c.product.type);
        if (c.product.suite) {
            store.SetRegistryValue(HKEY_LOCAL_MACHINE, kProductOptions, u"ProductSuite", REG_MULTI_SZ,
                                   *c.product.suite);
        }
    }
};

TEST_F(GOSVersionInfoTest, SystemsAreClassifiedIntoCodesAndFamilies) {
    const Product workstation{Text(u"WinNT"), Text(u"\0", false)};
    const Product noSuite{Text(u"WinNT"), std::nullopt};
    const Product server{Text(u"ServerNT"), Text(u"\0", false)};
    const Product none{std::nullopt, std::nullopt, false};
    // A suite longer than the type still reads.
    const Product longSuite{Text(u"WINNT"), Text(u"Terminal Server\0Small Business\0\0", false)};
    // A type stored without its terminator still compares.
    const Product unterminated{Text(u"WinNT", false), Text(u"\0", false)};
    const Case cases[] = {
        {"2000 Professional", 2, 5, 0, 2195, {}, workstation, 1, 13, 4},
        {"2000 without a suite", 2, 5, 0, 2195, {}, noSuite, 1, 9, 4},
        {"2000 server", 2, 5, 0, 2195, {}, server, 1, 10, 4},
        {"2000, long suite", 2, 5, 0, 2195, {}, longSuite, 1, 13, 4},
        {"2000, type without NUL", 2, 5, 0, 2195, {}, unterminated, 1, 13, 4},
        {"XP reads no registry", 2, 5, 1, 2600, {}, none, 1, 14, 4},
        {"NT 4 workstation", 2, 4, 0, 1381, {}, noSuite, 1, 9, 4},
        {"NT 4 server", 2, 4, 0, 1381, {}, server, 1, 10, 4},
        {"NT 4 without product options", 2, 4, 0, 1381, {}, none, 0, 0, 0},
        {"NT 4 without a product type",
         2,
         4,
         0,
         1381,
         {},
         Product{std::nullopt, std::nullopt, true},
         0,
         0,
         0},
        {"Vista is not known", 2, 6, 0, 6000, {}, workstation, 0, 0, 0},
        {"95", 1, 4, 0, 950, {}, none, 1, 6, 0},
        {"98", 1, 4, 10, 1998, {}, none, 1, 7, 0},
        {"98 SE minor 20", 1, 4, 20, 2222, {}, none, 1, 6, 0},
        {"Me", 1, 4, 90, 3000, {}, none, 1, 8, 0},
        {"Win32s", 0, 3, 10, 0, {}, none, 1, 4, 2},
        {"old non-NT", 1, 3, 95, 0, {}, none, 0, 0, 0},
        {"only the larger block: 98", 1, 4, 10, 1998, {276}, none, 1, 5, 3},
        {"only the larger block: XP", 2, 5, 1, 2600, {276}, none, 1, 14, 4},
        {"only the larger block: 2000", 2, 5, 0, 2195, {276}, workstation, 1, 13, 4},
        {"only the legacy query: 2000", 2, 5, 0, 2195, {276, 552}, workstation, 1, 13, 4},
        {"only the legacy query: NT 4", 2, 4, 0, 1381, {276, 552}, server, 1, 10, 4},
        {"only the legacy query: 95", 1, 4, 0, 950, {276, 552}, none, 1, 5, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Install(c);
        GOSVersionInfo info(99, 98, 97);
        ASSERT_EQ(info.Detect(), c.result);
        if (c.result == 0) {
            EXPECT_EQ(info, GOSVersionInfo(99, 98, 97)) << "a failure leaves the record unchanged";
            continue;
        }
        EXPECT_EQ(info.GetCode(), c.code);
        EXPECT_EQ(info.GetFamily(), c.family);
        EXPECT_EQ(info.GetMajorVersion(), c.major);
        const bool legacy = c.failingBlocks.count(552) != 0;
        EXPECT_EQ(info.GetVersion(), (c.major << 16) | c.minor);
        EXPECT_EQ(info.GetBuild(), legacy ? 0u : c.build);
    }
}

TEST(GOSVersionInfoFamilyTest, EveryCodeHasItsFamily) {
    const uint32_t families[] = {0, 1, 2, 2, 2, 3, 0, 0, 0, 4, 4, 4, 6, 4, 4, 0, 0};
    for (uint32_t code = 0; code < std::size(families); ++code) {
        EXPECT_EQ(GOSVersionInfo::GetFamily(code), families[code]) << code;
    }
    EXPECT_EQ(GOSVersionInfo::GetFamily(0xFFFFFFFF), 0u);
}

} // namespace
