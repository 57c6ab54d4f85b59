// The driver context's operations that go through the platform services.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "driver/GOSFactory.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"

using namespace platformtest;

namespace {

class GDriverContextServicesTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        auto factory = std::make_unique<TestFactory>();
        factory_ = factory.get();
        GOSFactory::Install(std::move(factory));
        LendPrinterHandle(*factory_);
    }

    static void SetCountry(const char16_t* country) {
        WinHostStore::Instance().SetRegistryString(HKEY_CURRENT_USER, u"Control Panel\\International",
                                                   u"iCountry", country);
    }

    TestFactory* factory_ = nullptr;
};

TEST_F(GDriverContextServicesTest, DefaultPaperFollowsTheUsersCountry) {
    struct Case {
        const char16_t* country; // null: no International key
        uint32_t paper;
    };
    const Case cases[] = {
        {nullptr, 1}, {u"1", 1},   {u"2", 1},    {u"3", 23},  {u"49", 23}, {u"50", 1},
        {u"59", 1},   {u"60", 23}, {u"499", 23}, {u"500", 1}, {u"599", 1}, {u"600", 23},
    };
    for (const Case& c : cases) {
        const std::u16string_view country = c.country == nullptr ? u"none" : c.country;
        SCOPED_TRACE(std::string(country.begin(), country.end()));
        WinHostStore::Instance().Reset();
        if (c.country != nullptr) SetCountry(c.country);
        TestDriverContext context;
        EXPECT_EQ(context.GetDefaultPaperId(), c.paper);
    }
    // Worked out once: a later change of the country is not seen.
    WinHostStore::Instance().Reset();
    SetCountry(u"49");
    TestDriverContext context;
    EXPECT_EQ(context.GetDefaultPaperId(), 23u);
    SetCountry(u"1");
    EXPECT_EQ(context.GetDefaultPaperId(), 23u);
}

} // namespace
