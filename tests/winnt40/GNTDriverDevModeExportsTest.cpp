// The DEVMODEs the module's exports write, with the module attached over a
// stand-in module file and the driver server making real NT driver
// instances over a model printer's data file: the sizes the exports
// announce agree with the DEVMODE written under every application flag, and
// every DEVMODE written passes the module's own DevQueryPrintEx.
#include <gtest/gtest.h>

#include <functional>
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

// A public field set on a copy of the default DEVMODE, and the value of the
// field checked in the DEVMODE written for it on each model.
constexpr SHORT kAsDefault = -32768; // the default DEVMODE's own value
constexpr SHORT kPaperLegal = 5;     // the DMPAPER number of Legal
struct FieldCase {
    const char* what;
    std::function<void(DEVMODEW&)> set;
    SHORT DEVMODEW::*field;
    SHORT colour;
    SHORT mono;
};

std::function<void(DEVMODEW&)> Setting(SHORT DEVMODEW::*field, DWORD bit, SHORT value) {
    return [=](DEVMODEW& dm) {
        dm.*field = value;
        dm.dmFields |= bit;
    };
}

std::function<void(DEVMODEW&)> Resolution(SHORT x, SHORT y) {
    return [=](DEVMODEW& dm) {
        dm.dmPrintQuality = x;
        dm.dmYResolution = y;
        dm.dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
    };
}

std::function<void(DEVMODEW&)> CustomSize(SHORT width, SHORT length) {
    return [=](DEVMODEW& dm) {
        dm.dmPaperSize = DMPAPER_USER;
        dm.dmPaperWidth = width;
        dm.dmPaperLength = length;
        dm.dmFields |= DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH;
    };
}

// poster: the DMPAPER number of a user form no tray of either model feeds.
std::vector<FieldCase> OutOfRangeFields(SHORT poster) {
    return {
        {"copies above the range", Setting(&DEVMODEW::dmCopies, DM_COPIES, 30000), &DEVMODEW::dmCopies, 999,
         999},
        {"no copies", Setting(&DEVMODEW::dmCopies, DM_COPIES, 0), &DEVMODEW::dmCopies, 1, 1},
        {"negative copies", Setting(&DEVMODEW::dmCopies, DM_COPIES, -4), &DEVMODEW::dmCopies, 1, 1},
        {"vertical duplex", Setting(&DEVMODEW::dmDuplex, DM_DUPLEX, DMDUP_VERTICAL), &DEVMODEW::dmDuplex,
         DMDUP_VERTICAL, DMDUP_SIMPLEX},
        {"horizontal duplex", Setting(&DEVMODEW::dmDuplex, DM_DUPLEX, DMDUP_HORIZONTAL), &DEVMODEW::dmDuplex,
         DMDUP_HORIZONTAL, DMDUP_SIMPLEX},
        {"an unknown duplex value", Setting(&DEVMODEW::dmDuplex, DM_DUPLEX, 9), &DEVMODEW::dmDuplex,
         DMDUP_SIMPLEX, DMDUP_SIMPLEX},
        {"an unknown paper", Setting(&DEVMODEW::dmPaperSize, DM_PAPERSIZE, 30000), &DEVMODEW::dmPaperSize,
         kAsDefault, kAsDefault},
        {"a built-in form without a paper of the printer (A3)",
         Setting(&DEVMODEW::dmPaperSize, DM_PAPERSIZE, 8), &DEVMODEW::dmPaperSize, kAsDefault, kAsDefault},
        {"a user form too large for the printer", Setting(&DEVMODEW::dmPaperSize, DM_PAPERSIZE, poster),
         &DEVMODEW::dmPaperSize, kAsDefault, kAsDefault},
        {"a custom size below the smallest (3 x 5 in)", CustomSize(10, 10), &DEVMODEW::dmPaperWidth, 762,
         762},
        {"a custom size above the largest (8.5 x 14 in)", CustomSize(5000, 5000), &DEVMODEW::dmPaperLength,
         3556, 3556},
        {"an unknown source", Setting(&DEVMODEW::dmDefaultSource, DM_DEFAULTSOURCE, 999),
         &DEVMODEW::dmDefaultSource, kAsDefault, kAsDefault},
        {"the form source without form assignments",
         Setting(&DEVMODEW::dmDefaultSource, DM_DEFAULTSOURCE, DMBIN_FORMSOURCE), &DEVMODEW::dmDefaultSource,
         kAsDefault, kAsDefault},
        {"Tray 2 on the model without it", Setting(&DEVMODEW::dmDefaultSource, DM_DEFAULTSOURCE, 257),
         &DEVMODEW::dmDefaultSource, 257, kAsDefault},
        {"an unknown orientation", Setting(&DEVMODEW::dmOrientation, DM_ORIENTATION, 5),
         &DEVMODEW::dmOrientation, kAsDefault, kAsDefault},
        {"an unknown colour value", Setting(&DEVMODEW::dmColor, DM_COLOR, 7), &DEVMODEW::dmColor, kAsDefault,
         kAsDefault},
        {"an unknown resolution", Resolution(123, 123), &DEVMODEW::dmPrintQuality, kAsDefault, kAsDefault},
        {"1200 dpi on the 600 dpi model", Resolution(1200, 1200), &DEVMODEW::dmPrintQuality, 1200,
         kAsDefault},
        {"an unknown print-quality code", Resolution(-9, 0), &DEVMODEW::dmPrintQuality, kAsDefault,
         kAsDefault},
        {"printer collation", Setting(&DEVMODEW::dmCollate, DM_COLLATE, 1), &DEVMODEW::dmCollate, 1, 0},
        {"an unknown collation value", Setting(&DEVMODEW::dmCollate, DM_COLLATE, 4), &DEVMODEW::dmCollate,
         kAsDefault, kAsDefault},
    };
}

// Values both models take, none the default's: they come through unchanged.
std::vector<FieldCase> ValidFields() {
    return {
        {"copies", Setting(&DEVMODEW::dmCopies, DM_COPIES, 7), &DEVMODEW::dmCopies, 7, 7},
        {"the most copies", Setting(&DEVMODEW::dmCopies, DM_COPIES, 999), &DEVMODEW::dmCopies, 999, 999},
        {"A4", Setting(&DEVMODEW::dmPaperSize, DM_PAPERSIZE, DMPAPER_A4), &DEVMODEW::dmPaperSize, DMPAPER_A4,
         DMPAPER_A4},
        {"Legal", Setting(&DEVMODEW::dmPaperSize, DM_PAPERSIZE, kPaperLegal), &DEVMODEW::dmPaperSize,
         kPaperLegal, kPaperLegal},
        {"a custom size", CustomSize(1000, 2000), &DEVMODEW::dmPaperLength, 2000, 2000},
        {"Tray 1", Setting(&DEVMODEW::dmDefaultSource, DM_DEFAULTSOURCE, 262), &DEVMODEW::dmDefaultSource,
         262, 262},
        {"landscape", Setting(&DEVMODEW::dmOrientation, DM_ORIENTATION, DMORIENT_LANDSCAPE),
         &DEVMODEW::dmOrientation, DMORIENT_LANDSCAPE, DMORIENT_LANDSCAPE},
    };
}

class WrittenDevModeTest : public DevModeExportsTest, public testing::WithParamInterface<const char16_t*> {
protected:
    // kPrinter of the model with a user form of 600 x 900 mm, whose DMPAPER
    // number is its 1-based position in the spooler's form list.
    void SetUp() override {
        DevModeExportsTest::SetUp();
        WinFormRecord poster;
        poster.name = u"Poster";
        poster.flags = FORM_USER;
        poster.width = poster.right = 600000;
        poster.height = poster.bottom = 900000;
        WinHostStore::Instance().AddForm(poster);
        Attach(GetParam());
        DWORD needed = 0;
        DWORD count = 0;
        EnumFormsW(printer_.Get(), 1, nullptr, 0, &needed, &count);
        std::vector<uint64_t> forms((needed + 7) / 8);
        ASSERT_TRUE(
            EnumFormsW(printer_.Get(), 1, reinterpret_cast<LPBYTE>(forms.data()), needed, &needed, &count));
        poster_ = static_cast<SHORT>(count); // added last
    }

    // The PostScript colour model answers as the colour model.
    bool Colour() const { return std::u16string(GetParam()) != u"QVMONO"; }

    // Each case on a copy of the default DEVMODE, through
    // DrvDocumentProperties (DM_IN_BUFFER | DM_OUT_BUFFER) and
    // DrvConvertDevMode (CDM_CONVERT): the DEVMODE written may print and
    // holds the model's expected value.
    void Check(const std::vector<FieldCase>& cases) {
        std::vector<BYTE> defaults = Default();
        for (const FieldCase& c : cases) {
            SCOPED_TRACE(c.what);
            std::vector<BYTE> in = defaults;
            c.set(*AsDevMode(in));
            const SHORT wanted = Colour() ? c.colour : c.mono;
            const SHORT expected = wanted == kAsDefault ? AsDevMode(defaults)->*c.field : wanted;

            std::vector<BYTE> merged(kImageBytes);
            ASSERT_EQ(DrvDocumentProperties(nullptr, printer_.Get(), Name(), AsDevMode(merged), AsDevMode(in),
                                            DM_IN_BUFFER | DM_OUT_BUFFER),
                      IDOK);
            std::vector<BYTE> converted = defaults;
            LONG needed = kImageBytes;
            ASSERT_TRUE(DrvConvertDevMode(Name(), AsDevMode(in), AsDevMode(converted), &needed, CDM_CONVERT));
            for (std::vector<BYTE>* written : {&merged, &converted}) {
                SCOPED_TRACE(written == &merged ? "DrvDocumentProperties" : "DrvConvertDevMode");
                std::u16string refusal;
                EXPECT_TRUE(MayPrint(AsDevMode(*written), refusal))
                    << std::string(refusal.begin(), refusal.end());
                EXPECT_EQ(AsDevMode(*written)->*c.field, expected);
            }
        }
    }

    SHORT poster_ = 0;
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

TEST_P(WrittenDevModeTest, AFieldOutsideThePrintersRangeIsBroughtIntoIt) {
    Check(OutOfRangeFields(poster_));
}

TEST_P(WrittenDevModeTest, AValidValueComesThroughUnchanged) {
    Check(ValidFields());
}

INSTANTIATE_TEST_SUITE_P(Models, WrittenDevModeTest, testing::Values(u"QVCOLOR", u"QVMONO", u"QVCOLORPS"),
                         [](const testing::TestParamInfo<const char16_t*>& info) {
                             const std::u16string name(info.param);
                             return name == u"QVCOLOR" ? "Colour" : name == u"QVMONO" ? "Mono" : "PostScript";
                         });

} // namespace
