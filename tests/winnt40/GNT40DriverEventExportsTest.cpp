// DrvPrinterEvent, DrvUpgradePrinter and DevQueryPrintEx through the
// module's exports, with the module attached over a stand-in module file
// and the driver server making real NT driver instances over the monochrome
// model's data file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/GDriverServer.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinDevMode.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinModule.h"
#include "winapi/WinRpc.h"
#include "winnt40/GModuleEntry.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {

using namespace ntdrivertest;

class EventExportsTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        store.UseFakeClock(SYSTEMTIME{2001, 6, 5, 29, 12, 0, 0, 0});
        UseModelDataFile(u"QVMONO");
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        store.RegisterModule(u"QVSTANDIN.DLL", QV_TEST_MODULE_DIR "/libqvtestentries.so",
                             u"C:\\Drivers\\QVSTANDIN.DLL");
        module_.Reset(LoadLibraryW(u"QVSTANDIN.DLL"));
        ASSERT_TRUE(module_);
        ASSERT_EQ(GModuleEntry::Instance().Attach(module_.Get()), TRUE);
    }

    void TearDown() override {
        GModuleEntry::Instance().Detach();
        GDriverServer::Destroy();
        module_.Reset();
        NTDriverTest::TearDown();
    }

    static std::u16string Text(std::u16string_view name) {
        const auto value = PrinterData(name);
        std::u16string text;
        if (!value) return text;
        for (size_t i = 0; i + 1 < value->data.size(); i += 2)
            text.push_back(static_cast<char16_t>(value->data[i] | value->data[i + 1] << 8));
        return text;
    }

    static uint32_t Registered() { return GDriverServer::Instance()->DriverCount(); }

    WinScopedModule module_;
};

TEST_F(EventExportsTest, APrinterInitialisedThroughTheExportIsUpToDateForTheUpgrade) {
    WinHostStore::Instance().QueueUuid(
        {0x0A0B0C0D, 0x0E0F, 0x4011, {0x92, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19}});
    auto* name = const_cast<LPWSTR>(kPrinter);
    EXPECT_EQ(DrvPrinterEvent(name, PRINTER_EVENT_ATTRIBUTES_CHANGED, 0, 0), FALSE);
    EXPECT_EQ(DrvPrinterEvent(name, PRINTER_EVENT_DELETE, 0, 0), TRUE);
    EXPECT_FALSE(PrinterData(u"PrinterUUID").has_value());

    EXPECT_EQ(DrvPrinterEvent(name, PRINTER_EVENT_INITIALIZE, 0, 0), TRUE);
    EXPECT_EQ(Text(u"LastUpdated"), u"06/ 29/ 2001");
    EXPECT_EQ(Text(u"LastUpdateType"), u"Default");
    EXPECT_EQ(Text(u"PrinterUUID"), u"0a0b0c0d-0e0f-4011-9213-141516171819");
    const std::vector<BYTE> devmode = WinHostStore::Instance().FindPrinter(kPrinter)->devMode;
    EXPECT_EQ(devmode.size(), 1172u);
    EXPECT_EQ(Registered(), 0u);

    // The default DEVMODE is now the driver's own: nothing to carry over.
    DRIVER_UPGRADE_INFO_1 upgrade{name, const_cast<LPWSTR>(u"C:\\old")};
    EXPECT_EQ(DrvUpgradePrinter(1, reinterpret_cast<BYTE*>(&upgrade)), TRUE);
    EXPECT_EQ(WinHostStore::Instance().FindPrinter(kPrinter)->devMode, devmode);
    EXPECT_EQ(Registered(), 0u);
}

TEST_F(EventExportsTest, ThePrintQueryThroughTheExportCarriesItsMessage) {
    WinScopedPrinter printer = Open(kPrinter, PRINTER_ACCESS_USE);
    DEVMODEW dm{};
    dm.dmSpecVersion = 0x0401;
    dm.dmSize = sizeof(DEVMODEW);
    dm.dmFields = DM_DUPLEX;
    dm.dmDuplex = DMDUP_HORIZONTAL;
    std::vector<char16_t> text(20, 0x7777);
    DEVQUERYPRINT_INFO info{};
    info.cbSize = sizeof(DEVQUERYPRINT_INFO);
    info.Level = 1;
    info.hPrinter = printer.Get();
    info.pszErrorStr = text.data();
    info.cchErrorStr = static_cast<DWORD>(text.size());

    EXPECT_EQ(DevQueryPrintEx(&info), TRUE); // no DEVMODE yet
    info.pDevMode = &dm;
    EXPECT_EQ(DevQueryPrintEx(&info), FALSE);
    const std::u16string message = u"Mismatch: User selected duplexing when duplex unit not installed.";
    EXPECT_EQ(info.cchNeeded, message.size() + 1);
    EXPECT_EQ(std::u16string(text.data()), message.substr(0, text.size() - 1));
    dm.dmDuplex = DMDUP_SIMPLEX;
    EXPECT_EQ(DevQueryPrintEx(&info), TRUE);
    EXPECT_EQ(Registered(), 0u);
}

} // namespace
