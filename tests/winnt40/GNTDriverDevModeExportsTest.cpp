// The DEVMODEs the module's exports write, with the module attached over a
// stand-in module file and the driver server making real NT driver
// instances over a model printer's data file: the sizes the exports
// announce agree with the DEVMODE written under every application flag, and
// every DEVMODE written passes the module's own DevQueryPrintEx.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/GDriverServer.h"
#include "tests/driver/modules/TestModuleLog.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinDevMode.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinModule.h"
#include "winapi/WinUser.h"
#include "winnt40/GModuleEntry.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {

using namespace ntdrivertest;

constexpr size_t kImageBytes = 1172;
constexpr const char16_t* kDriversKey = u"SOFTWARE\\Quorvex\\QV FA Drivers";

DEVMODEW* AsDevMode(std::vector<BYTE>& bytes) {
    return reinterpret_cast<DEVMODEW*>(bytes.data());
}

class DevModeExportsTest : public NTDriverTest {
protected:
    void SetUp() override { FreshMachine(); }

    void TearDown() override {
        Detach();
        NTDriverTest::TearDown();
    }

    // An empty machine with kPrinter and the modules the exports load.
    void FreshMachine() {
        NTDriverTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        store.RegisterModule(u"QVSTANDIN.DLL", QV_TEST_MODULE_DIR "/libqvtestentries.so",
                             u"C:\\Drivers\\QVSTANDIN.DLL");
    }

    // The module attached for printers of model; flags: what the
    // application-flags module beside it answers (none beside it without).
    void Attach(const std::u16string& model, std::optional<uint32_t> flags = std::nullopt) {
        UseModelDataFile(model);
        if (flags) {
            WinHostStore& store = WinHostStore::Instance();
            store.SetRegistryDword(HKEY_CURRENT_USER, testmodule::kLogKey, testmodule::kAppFlagsAnswer,
                                   *flags);
            store.RegisterModule(u"RUZEVE32.DLL", QV_TEST_MODULE_DIR "/libqvappflags.so",
                                 u"C:\\Drivers\\RUZEVE32.DLL");
        }
        module_.Reset(LoadLibraryW(u"QVSTANDIN.DLL"));
        ASSERT_TRUE(module_);
        ASSERT_EQ(GModuleEntry::Instance().Attach(module_.Get()), TRUE);
        printer_ = Open(kPrinter, PRINTER_ACCESS_USE);
        ASSERT_TRUE(printer_);
    }

    void Detach() {
        printer_.Reset();
        if (!module_) return;
        GModuleEntry::Instance().Detach();
        GDriverServer::Destroy();
        module_.Reset();
    }

    LPWSTR Name() const { return const_cast<LPWSTR>(kPrinter); }

    DWORD Capability(WORD capability) {
        return DrvDeviceCapabilities(printer_.Get(), Name(), capability, nullptr, nullptr);
    }

    // The driver's default DEVMODE, through DrvDocumentProperties.
    std::vector<BYTE> Default() {
        std::vector<BYTE> out(kImageBytes);
        EXPECT_EQ(
            DrvDocumentProperties(nullptr, printer_.Get(), Name(), AsDevMode(out), nullptr, DM_OUT_BUFFER),
            IDOK);
        return out;
    }

    // Whether DevQueryPrintEx lets devmode print; the refusal's text.
    bool MayPrint(DEVMODEW* devmode, std::u16string& refusal) {
        std::vector<char16_t> text(256, u'\0');
        DEVQUERYPRINT_INFO info{};
        info.cbSize = sizeof info;
        info.Level = 1;
        info.hPrinter = printer_.Get();
        info.pDevMode = devmode;
        info.pszErrorStr = text.data();
        info.cchErrorStr = static_cast<DWORD>(text.size());
        const bool may = DevQueryPrintEx(&info) == TRUE;
        refusal = text.data();
        return may;
    }

    WinScopedModule module_;
    WinScopedPrinter printer_;
};

// --- The sizes announced and the size written -------------------------------------------------

TEST_F(DevModeExportsTest, TheSizesAgreeWithTheDevModeWrittenUnderEveryApplicationFlag) {
    struct Case {
        const char* what;
        uint32_t flags;
        std::optional<DWORD> devmodeSwitch; // "EnableDevmodeAppflag" of the user
        LONG size;
    };
    const Case cases[] = {
        {"no flag", 0, std::nullopt, 1172},      {"0x100", 0x100, std::nullopt, 220},
        {"0x40000", 0x40000, std::nullopt, 220}, {"both", 0x40100, std::nullopt, 220},
        {"0x100 switched off", 0x100, 0, 1172},  {"0x40000 switched on", 0x40000, 1, 220},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.devmodeSwitch)
            WinHostStore::Instance().SetRegistryDword(HKEY_CURRENT_USER, kDriversKey, u"EnableDevmodeAppflag",
                                                      *c.devmodeSwitch);
        Attach(u"QVCOLOR", c.flags);
        const LONG size = DrvDocumentProperties(nullptr, printer_.Get(), Name(), nullptr, nullptr, 0);
        EXPECT_EQ(size, c.size);
        EXPECT_EQ(static_cast<LONG>(Capability(DC_SIZE) + Capability(DC_EXTRA)), size);
        std::vector<BYTE> out = Default();
        EXPECT_EQ(AsDevMode(out)->dmSize + AsDevMode(out)->dmDriverExtra, size);
        Detach();
        FreshMachine();
    }
}

// --- Every DEVMODE written may print -------------------------------------------------------------

class WrittenDevModeTest : public DevModeExportsTest, public testing::WithParamInterface<const char16_t*> {
protected:
    void SetUp() override {
        DevModeExportsTest::SetUp();
        Attach(GetParam());
    }
};

TEST_P(WrittenDevModeTest, TheDefaultDevModeMayPrint) {
    std::vector<BYTE> converted(kImageBytes);
    LONG needed = kImageBytes;
    ASSERT_TRUE(DrvConvertDevMode(Name(), nullptr, AsDevMode(converted), &needed, CDM_DRIVER_DEFAULT));
    std::vector<BYTE> written = Default();
    for (std::vector<BYTE>* devmode : {&written, &converted}) {
        std::u16string refusal;
        EXPECT_TRUE(MayPrint(AsDevMode(*devmode), refusal)) << std::string(refusal.begin(), refusal.end());
    }
}

INSTANTIATE_TEST_SUITE_P(Models, WrittenDevModeTest, testing::Values(u"QVCOLOR", u"QVMONO"),
                         [](const testing::TestParamInfo<const char16_t*>& info) {
                             return std::u16string(info.param) == u"QVCOLOR" ? "Colour" : "Mono";
                         });

} // namespace
