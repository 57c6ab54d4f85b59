// The driver server with the module's platform services: the instance it
// makes is an NT driver instance over the printer's data file, and a parked
// one serves the next printer of the same driver.
#include <gtest/gtest.h>

#include "driver/GDriverServer.h"
#include "driver/GPrinterIdentity.h"
#include "model/GAttributeComposite.h"
#include "tests/winnt40/NTDriverTestSupport.h"

namespace {

using namespace ntdrivertest;

class DriverServerInstanceTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        UseModelDataFile(u"QVMONO");
        AddPrinter(u"Second Mono", PRINTER_ALL_ACCESS);
    }

    void TearDown() override {
        GDriverServer::Destroy();
        NTDriverTest::TearDown();
    }
};

TEST_F(DriverServerInstanceTest, TheServerMakesAnInstanceOverTheDataFileAndRetargetsItWhenParked) {
    GDriverServer* server = GDriverServer::Create();
    ASSERT_NE(server, nullptr);
    WinScopedPrinter first = Open(kPrinter, PRINTER_ACCESS_USE);
    uint32_t cookie = 0;
    GDriver* made = server->GetDriver(
        std::make_unique<GPrinterIdentity>(first.Get(), kPrinter, kDriver, kPort, 0), &cookie);
    auto* driver = dynamic_cast<GNT40Driver*>(made);
    ASSERT_NE(driver, nullptr);
    EXPECT_NE(driver->GetPrinterConfiguration(), nullptr);
    EXPECT_EQ(driver->GetActiveHandle(), first.Get());
    std::unique_ptr<GAttributeComposite> defaults = driver->NewDefaultSettings();
    ASSERT_NE(defaults, nullptr);
    EXPECT_EQ(defaults->GetId(), 360u);
    server->ReleaseDriver(cookie);

    WinScopedPrinter second = Open(u"Second Mono", PRINTER_ACCESS_USE);
    GDriver* again = server->GetDriver(
        std::make_unique<GPrinterIdentity>(second.Get(), u"Second Mono", kDriver, kPort, 0), &cookie);
    EXPECT_EQ(again, made);
    EXPECT_TRUE(driver->GetPrinterName() == RWWString(u"Second Mono"));
    EXPECT_EQ(driver->GetActiveHandle(), second.Get());
    server->ReleaseDriver(cookie);
}

} // namespace
