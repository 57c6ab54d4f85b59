// The NT driver instance: identity, re-targeting and the printer handles.
#include <gtest/gtest.h>

#include "driver/GPrinterIdentity.h"
#include "tests/driver/PlatformServicesTestSupport.h"
#include "winnt40/GNT40Driver.h"

namespace {

using namespace platformtest;

class GNT40DriverIdentityTest : public HostStoreTest {};

TEST_F(GNT40DriverIdentityTest, IdentityCarriesTheHandleAndNamesAndRetargetTakesAnothers) {
    HANDLE own = reinterpret_cast<HANDLE>(0x10);
    GNT40Driver driver(own, kPrinter, kDriver, kPort, 1);
    std::unique_ptr<GPrinterIdentity> identity = driver.MakeIdentity();
    ASSERT_NE(identity, nullptr);
    EXPECT_EQ(identity->GetPrinterHandle(), own);
    EXPECT_TRUE(identity->GetPrinterName() == RWWString(kPrinter));
    EXPECT_TRUE(identity->GetDriverName() == RWWString(kDriver));
    EXPECT_TRUE(identity->GetPortName() == RWWString(kPort));
    EXPECT_EQ(identity->GetFlag(), 0u);

    HANDLE other = reinterpret_cast<HANDLE>(0x20);
    driver.Retarget(GPrinterIdentity(other, u"Other", u"Other Driver", u"COM1:", 0));
    EXPECT_EQ(driver.GetActiveHandle(), other);
    EXPECT_TRUE(driver.GetPrinterName() == RWWString(u"Other"));
    EXPECT_TRUE(driver.GetDriverName() == RWWString(u"Other Driver"));
    EXPECT_TRUE(driver.GetPortName() == RWWString(u"COM1:"));
}

} // namespace
