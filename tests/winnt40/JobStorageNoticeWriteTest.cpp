// The job-storage notice's "do not show" value through the NT platform
// services: written with the context's printer handle, else by the printer
// opened by name with full access; reported written only when one of them
// wrote it.
#include <gtest/gtest.h>

#include <memory>

#include "driver/GOSFactory.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"
#include "ui/pages/JobStorageNotice.h"

using namespace platformtest;

namespace {

class JobStorageNoticeWriteTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        auto factory = std::make_unique<TestFactory>();
        factory_ = factory.get();
        GOSFactory::Install(std::move(factory));
    }

    TestFactory* factory_ = nullptr;
};

TEST_F(JobStorageNoticeWriteTest, TheValueIsADwordOfOneWrittenByTheServicesOrByTheRetry) {
    struct Case {
        const char* name;
        DWORD handleAccess;  // the context's handle
        DWORD allowedAccess; // what the user may open the printer with
        bool written;
    };
    const Case cases[] = {
        {"the context's handle writes it", PRINTER_ALL_ACCESS, PRINTER_ALL_ACCESS, true},
        {"a user's handle may not: the printer opened by name writes it", PRINTER_ACCESS_USE,
         PRINTER_ALL_ACCESS, true},
        {"neither may", PRINTER_ACCESS_USE, PRINTER_ACCESS_USE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinHostStore::Instance().FindPrinterData(kPrinter)->DeleteValue(JobStorageNotice::kDontShowValueName);
        WinHostStore::Instance().FindPrinter(kPrinter)->allowedAccess = PRINTER_ALL_ACCESS;
        WinScopedPrinter handle;
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, c.handleAccess};
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), handle.Receive(), &defaults));
        factory_->printer = handle.Get();
        WinHostStore::Instance().FindPrinter(kPrinter)->allowedAccess = c.allowedAccess;

        EXPECT_EQ(JobStorageNotice::WriteDontShow(context_), c.written);
        const std::optional<WinRegistryValue> value = PrinterData(JobStorageNotice::kDontShowValueName);
        ASSERT_EQ(value.has_value(), c.written);
        if (!c.written) continue;
        EXPECT_EQ(value->type, REG_DWORD);
        EXPECT_EQ(value->data, (std::vector<BYTE>{0x01, 0x00, 0x00, 0x00}));
    }
}

} // namespace
