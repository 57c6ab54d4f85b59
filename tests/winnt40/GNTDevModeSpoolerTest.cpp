// The NT DEVMODE's work with the spooler: the printer's default DEVMODE and
// data type, and the form name of the form source.
#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/GDevModeImage.h"
#include "driver/GNTDevMode.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWPortableOutStream.h"
#include "tests/driver/DriverTestSupport.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"

namespace {

using platformtest::HostStoreTest;
using platformtest::kDriver;
using platformtest::kPort;
using platformtest::kPrinter;

constexpr uint32_t kBlobOnlySetting = 777;

class GNTDevModeSpoolerTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        context.SetNames(kPrinter, kDriver, kPort);
        context.defaults = drivertest::DocumentDefaults();
        context.defaults->Add(new GValueAttribute(0, kBlobOnlySetting));
        context.SetConfiguration(drivertest::BuildConfiguration());
        auto* mappings = new GResourceMappingList(194);
        mappings->AddUnique(new GResourceMapping(100, 1, 1, 0));
        mappings->AddUnique(new GResourceMapping(101, 15, 3, 0)); // the form source: tray 3
        context.SetResourceMappingList(mappings);
    }

    // The printer again, with this default DEVMODE and data type; opened.
    void ReplacePrinter(const drivertest::Bytes& devmode, const char16_t* datatype = u"NT EMF 1.003") {
        WinHostStore& store = WinHostStore::Instance();
        store.Reset();
        WinPrinterRecord printer;
        printer.name = kPrinter;
        printer.portName = kPort;
        printer.driverName = kDriver;
        printer.datatype = datatype;
        printer.devMode = devmode;
        store.AddPrinter(printer);
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), handle_.Receive(), &defaults));
    }

    drivertest::Bytes StoredImage(uint16_t blobOnly) {
        GNTDevMode writer(&context, nullptr);
        auto tree = context.NewDefaultSettings();
        dynamic_cast<GValueAttribute*>(tree->FindById(kBlobOnlySetting))->SetValue(blobOnly);
        EXPECT_EQ(writer.Store(tree.get()), 1);
        const auto* bytes = reinterpret_cast<const uint8_t*>(writer.GetImage());
        return drivertest::Bytes(bytes, bytes + GDevModeImage::kTotalSize);
    }

    // The position (from 0) of a spooler form.
    DWORD FormPosition(std::u16string_view name) {
        DWORD needed = 0, count = 0;
        EnumFormsW(handle_.Get(), 1, nullptr, 0, &needed, &count);
        std::vector<uint64_t> buffer((needed + 7) / 8);
        EXPECT_TRUE(
            EnumFormsW(handle_.Get(), 1, reinterpret_cast<LPBYTE>(buffer.data()), needed, &needed, &count));
        const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            if (name == forms[i].pName) return i;
        }
        ADD_FAILURE() << "no such form";
        return 0;
    }

    uint16_t ValueOf(GDevMode& devmode, uint32_t id) {
        return dynamic_cast<GValueAttribute*>(devmode.GetSettings()->FindById(id))->GetValue();
    }

    drivertest::TestDriverContext context;
    WinScopedPrinter handle_;
};

TEST_F(GNTDevModeSpoolerTest, StartsFromThePrintersOwnDevMode) {
    const drivertest::Bytes stored = StoredImage(9);
    ReplacePrinter(stored);
    GNTDevMode devmode(&context, handle_.Get());
    EXPECT_EQ(devmode.IsTakenFromPrinter(), 1u);
    EXPECT_EQ(devmode.GetDataTypeFlag(), 1u);
    EXPECT_EQ(ValueOf(devmode, kBlobOnlySetting), 9); // the printer's blob
}

TEST_F(GNTDevModeSpoolerTest, ForeignPrinterDevModesGiveTheDefaults) {
    const drivertest::Bytes stored = StoredImage(9);
    struct Case {
        const char* name;
        size_t offset;
        uint16_t value;
        size_t length;
    };
    const Case cases[] = {
        {"spec version 0x0400", 64, 0x0400, 1172},
        {"format word 3", 262, 3, 1172},
        {"capacity 1000", 268, 1000, 1172},
        {"public part only", 70, 0, 220},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drivertest::Bytes bytes(stored.begin(), stored.begin() + c.length);
        bytes[c.offset] = static_cast<uint8_t>(c.value);
        bytes[c.offset + 1] = static_cast<uint8_t>(c.value >> 8);
        ReplacePrinter(bytes, u"RAW");
        GNTDevMode devmode(&context, handle_.Get());
        EXPECT_EQ(devmode.IsTakenFromPrinter(), 0u);
        EXPECT_EQ(devmode.GetDataTypeFlag(), 0u);
        EXPECT_EQ(ValueOf(devmode, kBlobOnlySetting), 0);
        EXPECT_EQ(devmode.GetImage()->dmDriverExtra, 952); // the defaults' image
    }
}

TEST_F(GNTDevModeSpoolerTest, APrinterBlobOfTheOlderFormIsConverted) {
    drivertest::Bytes image = StoredImage(0);
    auto older = context.NewDefaultSettings();
    dynamic_cast<GValueAttribute*>(older->FindById(kBlobOnlySetting))->SetValue(9);
    std::ostringstream text;
    RWPortableOutStream out(text);
    out << static_cast<const RWCollectable*>(older.get());
    const std::string graph = text.str();
    uLongf length = compressBound(graph.size());
    drivertest::Bytes packed(length);
    ASSERT_EQ(compress(packed.data(), &length, reinterpret_cast<const Bytef*>(graph.data()), graph.size()),
              Z_OK);
    ASSERT_LE(length, 902u);
    std::copy_n(packed.begin(), length, image.begin() + 270);
    image[266] = static_cast<uint8_t>(length);
    image[267] = static_cast<uint8_t>(length >> 8);
    ReplacePrinter(image);
    GNTDevMode devmode(&context, handle_.Get());
    EXPECT_EQ(devmode.IsTakenFromPrinter(), 1u);
    EXPECT_EQ(ValueOf(devmode, kBlobOnlySetting), 9);
    EXPECT_EQ(context.merges, 1);
}

TEST_F(GNTDevModeSpoolerTest, FormSourceWritesTheFormName) {
    ReplacePrinter({});
    const DWORD a4 = FormPosition(u"A4");
    context.formPapers = std::vector<uint16_t>(a4 + 1, 0);
    context.formPapers[a4] = 23; // paper id 23 is spooler form a4 + 1
    GNTDevMode devmode(&context, handle_.Get());
    auto settings = context.NewDefaultSettings();
    dynamic_cast<GValueAttribute*>(settings->FindById(258))->SetValue(3); // the form source
    dynamic_cast<GValueAttribute*>(settings->FindById(260))->SetValue(23);
    DEVMODEW dm{};
    ASSERT_EQ(devmode.SettingsToPublic(settings.get(), &dm), 1);
    EXPECT_EQ(dm.dmDefaultSource, DMBIN_FORMSOURCE);
    EXPECT_NE(dm.dmFields & DM_FORMNAME, 0u);
    EXPECT_EQ(std::u16string(dm.dmFormName), u"A4");

    // A paper without a form: no form name.
    dynamic_cast<GValueAttribute*>(settings->FindById(260))->SetValue(99);
    dm.dmFields |= DM_FORMNAME;
    ASSERT_EQ(devmode.SettingsToPublic(settings.get(), &dm), 1);
    EXPECT_EQ(dm.dmFields & DM_FORMNAME, 0u);
}

TEST_F(GNTDevModeSpoolerTest, FormNameOfTheFormSourceSetsThePaper) {
    ReplacePrinter({});
    const DWORD a4 = FormPosition(u"A4");
    context.formPapers = std::vector<uint16_t>(a4 + 1, 0);
    context.formPapers[a4] = 23;
    GNTDevMode devmode(&context, handle_.Get());
    auto withForm = [](const char16_t* name, DWORD fields, short orientation) {
        DEVMODEW dm{};
        dm.dmSpecVersion = 0x0401;
        dm.dmSize = 220;
        dm.dmFields = fields;
        dm.dmDefaultSource = DMBIN_FORMSOURCE;
        dm.dmOrientation = orientation;
        std::u16string_view(name).copy(dm.dmFormName, CCHFORMNAME - 1);
        return dm;
    };
    struct Case {
        const char* name;
        DEVMODEW dm;
        uint16_t paper;
    };
    const Case cases[] = {
        {"a known form", withForm(u"A4", DM_DEFAULTSOURCE | DM_FORMNAME, 1), 23},
        {"an unknown form: the default paper", withForm(u"Poster", DM_DEFAULTSOURCE | DM_FORMNAME, 1), 1},
        {"no DM_FORMNAME: unchanged", withForm(u"A4", DM_DEFAULTSOURCE, 1), 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto settings = context.NewDefaultSettings();
        dynamic_cast<GValueAttribute*>(settings->FindById(260))->SetValue(7);
        ASSERT_EQ(devmode.PublicToSettings(&c.dm, settings.get()), 1);
        EXPECT_EQ(dynamic_cast<GValueAttribute*>(settings->FindById(260))->GetValue(), c.paper);
    }
    // The form store is asked at the DEVMODE's angle, strictly unless the
    // printer allows the relaxed check (915).
    context.formChecks.clear();
    auto settings = context.NewDefaultSettings();
    const DEVMODEW landscape = withForm(u"A4", DM_DEFAULTSOURCE | DM_FORMNAME, 2);
    devmode.PublicToSettings(&landscape, settings.get());
    ASSERT_EQ(context.formChecks.size(), 1u);
    EXPECT_EQ(context.formChecks[0].position, a4);
    EXPECT_EQ(context.formChecks[0].angle, 90);
    EXPECT_EQ(context.formChecks[0].strict, 1);
    context.GetPrinter()->Add(new GValueAttribute(1, 915));
    devmode.PublicToSettings(&landscape, settings.get());
    ASSERT_EQ(context.formChecks.size(), 2u);
    EXPECT_EQ(context.formChecks[1].strict, 0);
}

} // namespace
