// The gated loader of the mini-installer over a double "VEVAROR.DLL" in the
// driver's folder, gated by the printer's driver data.
#include <gtest/gtest.h>

#include <memory>

#include "driver/GRegistryRecord.h"
#include "tests/driver/modules/TestModuleLog.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"
#include "winnt40/GMiniInstallerLoader.h"

using namespace platformtest;

namespace {
constexpr const char16_t* kDriverFolder = u"C:\\Drivers\\";

class GMiniInstallerLoaderTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        // The driver module: a double whose path names the driver's folder.
        store.RegisterModule(u"QVSTANDIN.DLL", QV_TEST_MODULE_DIR "/libqvtestentries.so",
                             std::u16string(kDriverFolder) + u"QVSTANDIN.DLL");
        driverModule_.Reset(LoadLibraryW(u"QVSTANDIN.DLL"));
        ASSERT_TRUE(driverModule_);
        factory_ = new TestFactory;
        GOSFactory::Install(std::unique_ptr<GOSFactory>(factory_));
        factory_->SetModuleHandle(driverModule_.Get());
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), printer_.Receive(), nullptr));
    }

    void TearDown() override {
        GOSFactory::Install(nullptr);
        HostStoreTest::TearDown();
    }

    static void InstallMiniInstaller() {
        WinHostStore::Instance().RegisterModule(u"VEVAROR.DLL", QV_TEST_MODULE_DIR "/libqvminiinst.so",
                                                std::u16string(kDriverFolder) + u"VEVAROR.DLL");
    }

    static void SetGate(std::u16string_view printerKey, DWORD value) {
        WinHostStore::Instance().SetRegistryDword(HKEY_LOCAL_MACHINE,
                                                  u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" +
                                                      std::u16string(printerKey) + u"\\PrinterDriverData",
                                                  u"QvrdbUpdateRequest", value);
    }

    static std::u16string Log() { return testmodule::Read(u"qvminiinst"); }

    TestFactory* factory_ = nullptr;
    WinScopedModule driverModule_;
    WinScopedPrinter printer_;
};
} // namespace

TEST_F(GMiniInstallerLoaderTest, AMissingGateIsCreatedAs0AndTheModuleIsInitialisedOnceAndKilledOnce) {
    InstallMiniInstaller();
    {
        GMiniInstallerLoader loader(kPrinter, printer_.Get());
        EXPECT_EQ(loader.IsLoaded(), 1u);
        EXPECT_EQ(loader.GetSecondNumber(), 1u);
        EXPECT_EQ(loader.GetModulePath(), RWWString(u"C:\\Drivers\\VEVAROR.DLL"));
        EXPECT_EQ(Log(), u"attach;init(handle,noname,1);");
    }
    EXPECT_EQ(Log(), u"attach;init(handle,noname,1);kill(handle,noname,1);detach;");
    EXPECT_EQ(GetModuleHandleW(u"VEVAROR.DLL"), nullptr);
    auto gate = PrinterData(u"QvrdbUpdateRequest");
    ASSERT_TRUE(gate.has_value());
    EXPECT_EQ(gate->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(gate->data, DwordBytes(0));
    // The gate now holds 0: the next loader loads nothing.
    GMiniInstallerLoader again(kPrinter, printer_.Get());
    EXPECT_EQ(again.IsLoaded(), 0u);
}

TEST_F(GMiniInstallerLoaderTest, OnlyGateValue1AllowsTheLoad) {
    InstallMiniInstaller();
    struct Case {
        DWORD gate;
        uint32_t loaded;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{2, 0}, Case{0xFFFFFFFE, 0}}) {
        SCOPED_TRACE(c.gate);
        SetGate(kPrinter, c.gate);
        GMiniInstallerLoader loader(kPrinter, printer_.Get());
        EXPECT_EQ(loader.IsLoaded(), c.loaded);
        EXPECT_EQ(GetModuleHandleW(u"VEVAROR.DLL") != nullptr, c.loaded == 1);
    }
    EXPECT_EQ(Log(), u"attach;init(handle,noname,1);kill(handle,noname,1);detach;");
}

TEST_F(GMiniInstallerLoaderTest, AConnectionsKeyHasCommasForBackslashes) {
    InstallMiniInstaller();
    SetGate(u",,server,Shared", 1);
    GMiniInstallerLoader loader(u"\\\\server\\Shared", printer_.Get());
    EXPECT_EQ(loader.IsLoaded(), 1u);
    GMiniInstallerLoader unknown(u"\\\\server\\Other", printer_.Get()); // no key either way
    EXPECT_EQ(unknown.IsLoaded(), 0u);
}

TEST_F(GMiniInstallerLoaderTest, NothingIsCalledWhenTheModuleIsMissingOrRefusesToStart) {
    {
        GMiniInstallerLoader missing(kPrinter, printer_.Get());
        EXPECT_EQ(missing.IsLoaded(), 0u);
        EXPECT_EQ(missing.Shutdown(), -1);
    }
    EXPECT_EQ(Log(), u"");
    InstallMiniInstaller();
    SetGate(kPrinter, 1);
    WinHostStore::Instance().SetRegistryDword(HKEY_CURRENT_USER, u"Software\\QVTest", u"MiniInstallerResult",
                                              2);
    {
        GMiniInstallerLoader refusing(kPrinter, printer_.Get());
        EXPECT_EQ(refusing.IsLoaded(), 0u);
        EXPECT_EQ(GetModuleHandleW(u"VEVAROR.DLL"), nullptr); // freed at once
    }
    EXPECT_EQ(Log(), u"attach;init(handle,noname,1);detach;"); // never killed
}

TEST_F(GMiniInstallerLoaderTest, WithoutAHandleThePrinterIsOpenedByName) {
    InstallMiniInstaller();
    {
        GMiniInstallerLoader unknown(u"No Such Printer", nullptr);
        EXPECT_EQ(unknown.IsLoaded(), 0u);
        EXPECT_EQ(unknown.GetPrinterHandle(), nullptr);
    }
    EXPECT_EQ(Log(), u"");
    GMiniInstallerLoader byName(kPrinter, nullptr);
    EXPECT_NE(byName.GetPrinterHandle(), nullptr);
    EXPECT_EQ(byName.IsLoaded(), 1u);
    EXPECT_EQ(Log(), u"attach;init(handle,noname,1);");
}

TEST_F(GMiniInstallerLoaderTest, ThePlatformServicesHandOutTheLoader) {
    InstallMiniInstaller();
    std::unique_ptr<GModuleLoader> loader(factory_->LoadSetupLibrary(kPrinter, printer_.Get()));
    ASSERT_NE(loader, nullptr);
    EXPECT_NE(dynamic_cast<GMiniInstallerLoader*>(loader.get()), nullptr);
    EXPECT_EQ(loader->IsLoaded(), 1u);
    loader.reset();
    EXPECT_EQ(Log(), u"attach;init(handle,noname,1);kill(handle,noname,1);detach;");
}

namespace {
class FreshRecord : public GRegistryRecord {
public:
    FreshRecord() : GRegistryRecord(u"name", 7) {}
    int32_t Initialize() override { return 0; }
    int32_t Shutdown() override { return 0; }
    using GRegistryRecord::GetFirstNumber;
    using GRegistryRecord::GetName;
    using GRegistryRecord::GetSecondString;
    using GRegistryRecord::GetThirdNumber;
};
} // namespace

TEST(GRegistryRecordTest, AFreshRecordHoldsItsNameAndFirstNumberAndNothingElse) {
    const FreshRecord record;
    EXPECT_EQ(record.GetSecondNumber(), 0u);
    EXPECT_EQ(record.GetName(), RWWString(u"name"));
    EXPECT_EQ(record.GetFirstNumber(), 7u);
    EXPECT_TRUE(record.GetSecondString().IsNull());
    EXPECT_EQ(record.GetThirdNumber(), 0u);
}
