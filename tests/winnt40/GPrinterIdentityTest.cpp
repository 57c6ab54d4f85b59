// An identity made from a caller's handle or printer name completes itself
// from the spooler's record of the printer.
#include "driver/GPrinterIdentity.h"
#include "tests/winnt40/DriverServerTestSupport.h"
#include "winapi/WinError.h"
#include "winapi/WinHandle.h"
#include "winapi/WinSpool.h"

using GPrinterIdentityTest = servertest::DriverServerTest;

TEST_F(GPrinterIdentityTest, AnIdentityCompletesItselfFromTheSpoolersRecord) {
    WinScopedPrinter p3;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(u"P3"), p3.Receive(), nullptr));
    struct Case {
        const char* what;
        HANDLE handle;
        const char16_t* name;
        HANDLE expectedHandle;
        const char16_t* printer;
        const char16_t* driver;
        const char16_t* port;
    };
    const Case cases[] = {
        {"by name: opened, asked and closed again", nullptr, u"P1", nullptr, u"P1", u"Driver A", u"LPT1:"},
        {"by handle with no name", p3.Get(), u"", p3.Get(), u"P3", u"Driver B", u"LPT1:"},
        {"by handle with another name", p3.Get(), u"Elsewhere", p3.Get(), u"P3", u"Driver B", u"LPT1:"},
        {"by a name no printer has", nullptr, u"Nowhere", nullptr, u"Nowhere", u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetLastError(0x7A7A);
        const GPrinterIdentity identity(c.handle, RWWString(c.name), 0);
        EXPECT_EQ(GetLastError(), 0x7A7Au); // the spooler's questions leave the caller's last error
        EXPECT_EQ(identity.GetPrinterHandle(), c.expectedHandle);
        EXPECT_TRUE(identity.GetPrinterName() == RWWString(c.printer));
        EXPECT_TRUE(identity.GetDriverName() == RWWString(c.driver));
        EXPECT_TRUE(identity.GetPortName() == RWWString(c.port));
        EXPECT_EQ(identity.GetFlag(), 0u);
    }
}

TEST_F(GPrinterIdentityTest, IdentitiesOfOnePrinterByNameAndByHandleShareTheDriverOnly) {
    WinScopedPrinter p2;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(u"P2"), p2.Receive(), nullptr));
    const GPrinterIdentity byName(nullptr, RWWString(u"P2"), 0);
    const GPrinterIdentity byHandle(p2.Get(), RWWString(), 0);
    const GPrinterIdentity other(nullptr, RWWString(u"P3"), 0);
    EXPECT_EQ(byName.IsSameDriver(&byHandle), 1);
    EXPECT_EQ(byName.IsSame(&byHandle), 0); // the handles differ
    EXPECT_EQ(byName.IsSame(&byName), 1);
    EXPECT_EQ(byName.IsSameDriver(&other), 0);
}
