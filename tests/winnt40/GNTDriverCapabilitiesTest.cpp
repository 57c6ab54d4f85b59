#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "NTDriverTestSupport.h"
#include "model/GAttributeComposite.h"
#include "model/GValueAttribute.h"
#include "paper/GFormToTrayDatabase.h"

using namespace ntdrivertest;

namespace {

class CapabilitiesTest : public NTDriverTest {
protected:
    void Load(const char* file) {
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<TestDriver>(printer_.Get());
        ASSERT_TRUE(LoadDataFile(*driver_, file, 0));
    }
    void TearDown() override {
        driver_.reset();
        printer_.Reset();
        NTDriverTest::TearDown();
    }
    DWORD Ask(WORD capability, void* output = nullptr) {
        return driver_->DrvDeviceCapabilities(printer_.Get(), nullptr, capability, output, nullptr);
    }
    std::vector<std::u16string> BinNames() {
        const DWORD count = Ask(DC_BINNAMES);
        if (count == static_cast<DWORD>(-1)) return {};
        // One entry more than asked for, filled with a marker that must stay.
        std::vector<WCHAR> names((count + 1) * 24, 0x7777);
        EXPECT_EQ(Ask(DC_BINNAMES, names.data()), count);
        for (size_t i = count * 24; i < names.size(); ++i)
            EXPECT_EQ(names[i], 0x7777);
        std::vector<std::u16string> out;
        for (DWORD i = 0; i < count; ++i)
            out.emplace_back(names.data() + i * 24);
        return out;
    }
    std::vector<std::pair<LONG, LONG>> Resolutions() {
        const DWORD count = Ask(DC_ENUMRESOLUTIONS);
        std::vector<LONG> pairs(count * 2 + 2, -7);
        EXPECT_EQ(Ask(DC_ENUMRESOLUTIONS, pairs.data()), count);
        EXPECT_EQ(pairs[count * 2], -7);
        std::vector<std::pair<LONG, LONG>> out;
        for (DWORD i = 0; i < count; ++i)
            out.emplace_back(pairs[i * 2], pairs[i * 2 + 1]);
        return out;
    }

    WinScopedPrinter printer_;
    std::unique_ptr<TestDriver> driver_;
};

TEST_F(CapabilitiesTest, TheTwoModelPrintersAnswerFromTheirDataFiles) {
    Load("QVCOLOR");
    const std::vector<std::u16string> colourBins = BinNames();
    const std::vector<std::pair<LONG, LONG>> colourResolutions = Resolutions();
    const DWORD colourDevice = Ask(DC_COLORDEVICE);
    EXPECT_EQ(Ask(DC_COPIES), 999u);
    Load("QVMONO");
    const std::vector<std::u16string> monoBins = BinNames();
    // The colour model lists six sources, the monochrome model two; every
    // name starts with a space.
    EXPECT_EQ(colourBins.size(), 6u);
    EXPECT_EQ(monoBins.size(), 2u);
    for (const auto& name : colourBins) {
        ASSERT_FALSE(name.empty());
        EXPECT_EQ(name[0], u' ');
    }
    // Consecutive equal pairs are one entry: 600, 1200, 600 stay three.
    EXPECT_EQ(colourResolutions, (std::vector<std::pair<LONG, LONG>>{{600, 600}, {1200, 1200}, {600, 600}}));
    EXPECT_EQ(Resolutions(), (std::vector<std::pair<LONG, LONG>>{{600, 600}}));
    EXPECT_EQ(colourDevice, 1u);
    EXPECT_EQ(Ask(DC_COLORDEVICE), 0u);
}

TEST_F(CapabilitiesTest, ConsecutiveEqualResolutionsCountOnce) {
    Load("QVCOLOR");
    MPersistentObject* list = driver_->GetPrinterConfiguration()->FindById(206);
    ASSERT_NE(list, nullptr);
    list->RemoveAll();
    for (int dpi : {600, 600, 1200}) {
        auto* entry = new GAttributeComposite(0);
        entry->Add(new GValueAttribute(static_cast<uint16_t>(dpi), 323));
        entry->Add(new GValueAttribute(static_cast<uint16_t>(dpi), 324));
        list->Add(entry);
    }
    EXPECT_EQ(Resolutions(), (std::vector<std::pair<LONG, LONG>>{{600, 600}, {1200, 1200}}));
}

TEST_F(CapabilitiesTest, PaperListsAgreeAndEndWithTheCustomSize) {
    Load("QVCOLOR");
    // Every call loads the defaults again; the answers stay the same.
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(Ask(DC_PAPERS), 15u) << "call " << i;
    const DWORD count = Ask(DC_PAPERS);
    ASSERT_GT(count, 1u);
    ASSERT_NE(count, static_cast<DWORD>(-1));
    EXPECT_EQ(Ask(DC_PAPERSIZE), count);
    EXPECT_EQ(Ask(DC_PAPERNAMES), count);
    std::vector<WORD> numbers(count + 1, 0xABCD);
    std::vector<POINT> sizes(count);
    std::vector<WCHAR> names(count * 64);
    EXPECT_EQ(Ask(DC_PAPERS, numbers.data()), count);
    EXPECT_EQ(numbers[count], 0xABCD);
    EXPECT_EQ(Ask(DC_PAPERSIZE, sizes.data()), count);
    EXPECT_EQ(Ask(DC_PAPERNAMES, names.data()), count);
    EXPECT_EQ(numbers[0], 1); // Letter, the spooler's first form
    EXPECT_EQ(std::u16string(names.data()), u"Letter");
    EXPECT_EQ(sizes[0].x, 2159);
    EXPECT_EQ(sizes[0].y, 2794);
    EXPECT_EQ(numbers[count - 1], 256);
}

TEST_F(CapabilitiesTest, AnUnreadableFormListLeavesOnlyTheCustomSize) {
    Load("QVCOLOR");
    printer_.Reset(); // the instance's handle is gone: no form list
    driver_->SetPrinterHandle(nullptr);
    driver_->SetStateBits(GNTDriverBase::kStatePaperListStale);
    WORD number = 0;
    EXPECT_EQ(Ask(DC_PAPERS, &number), 1u);
    EXPECT_EQ(number, 256);
}

TEST_F(CapabilitiesTest, AFormToTrayAssignmentShowsOneFormSelectBin) {
    Load("QVCOLOR");
    ASSERT_EQ(driver_->LoadDevMode(nullptr), 1);
    // Later loads take the printer's DEVMODE and keep the cached settings.
    ASSERT_EQ(driver_->WriteDefaultDevMode(), 1);
    EXPECT_EQ(Ask(DC_BINS), 6u);
    MPersistentObject* cached = driver_->GetCachedPrinterSettings();
    MPersistentObject* printer = cached != nullptr ? cached->FindById(365) : nullptr;
    auto* database =
        printer != nullptr ? dynamic_cast<GFormToTrayDatabase*>(printer->FindById(510)) : nullptr;
    ASSERT_NE(database, nullptr);
    database->Assign(1, 3, 0);
    WORD bins[8] = {0, 0x5555};
    EXPECT_EQ(Ask(DC_BINS, bins), 1u);
    EXPECT_EQ(bins[0], 15);
    EXPECT_EQ(bins[1], 0x5555);
    EXPECT_EQ(BinNames(), (std::vector<std::u16string>{u"Form Select"}));
}

TEST_F(CapabilitiesTest, ThePrivateInformationBlockIsByteExact) {
    Load("QVCOLOR");
    EXPECT_EQ(Ask(0x5651), 1538u);
    std::vector<BYTE> block(1540, 0xEE);
    EXPECT_EQ(Ask(0x5651, block.data()), 1538u);
    std::vector<BYTE> expected(1538, 0);
    expected[0] = 0x52; // 0x5652, little-endian
    expected[1] = 0x56;
    std::memcpy(&expected[2], "QVGDI6", 6);
    std::memcpy(&expected[514], "syshnts.hlp", 11);
    std::memcpy(&expected[1026], "hints_system", 12);
    EXPECT_EQ(std::vector<BYTE>(block.begin(), block.begin() + 1538), expected);
    EXPECT_EQ(block[1538], 0xEE);
    EXPECT_EQ(block[1539], 0xEE);
}

TEST_F(CapabilitiesTest, TheDevModesOwnFieldsAndTheRest) {
    Load("QVCOLOR");
    EXPECT_EQ(Ask(DC_SIZE), 220u);
    EXPECT_EQ(Ask(DC_EXTRA), 952u);
    EXPECT_EQ(Ask(DC_VERSION), 0x0401u);
    EXPECT_EQ(Ask(DC_TRUETYPE), 0u);
    WCHAR dependency = 0x1234;
    EXPECT_EQ(Ask(DC_FILEDEPENDENCIES, &dependency), 0u);
    EXPECT_EQ(dependency, 0);
    EXPECT_EQ(Ask(999), static_cast<DWORD>(-1));
    driver_->processFlags = GNTDriverBase::kPublicOnlyFlags;
    driver_->InitAppFlags();
    EXPECT_EQ(Ask(DC_EXTRA), 0u);
}

// The paper and bin names come from the resource module the instance's
// resource name names, held from the first name asked until the instance
// ends: after the name changes, from the new module (none for a missing one).
TEST_F(CapabilitiesTest, NamesComeFromTheResourceModuleTheNameNamesHeldWhileTheInstanceLives) {
    Load("QVMONO");
    auto customName = [&] {
        driver_->SetStateBits(GNTDriverBase::kStatePaperListStale);
        const DWORD count = Ask(DC_PAPERNAMES);
        std::vector<WCHAR> names(count * 64);
        EXPECT_EQ(Ask(DC_PAPERNAMES, names.data()), count);
        return std::u16string(names.data() + (count - 1) * 64);
    };
    auto resourcesLoaded = [] { return GetModuleHandleW(u"QVUIRES.DLL") != nullptr; };
    struct Step {
        const char16_t* module;
        const char16_t* custom; // string 10120 of the module, empty without one
        bool loaded;            // QVUIRES.DLL mapped after the call
    };
    const Step steps[] = {
        {u"QVUIRES.DLL", u"Custom", true},
        {u"QVUIRES.DLL", u"Custom", true},
        {u"MISSING.DLL", u"", false},
        {u"QVUIRES.DLL", u"Custom", true},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const Step& step = steps[i];
        SCOPED_TRACE("step " + std::to_string(i));
        driver_->SetResourceModuleName(step.module);
        EXPECT_EQ(customName(), step.custom);
        const std::vector<std::u16string> bins = BinNames();
        ASSERT_EQ(bins.size(), 2u);
        EXPECT_EQ(bins[0].size() > 1, step.loaded) << "a tray name beyond its leading space";
        EXPECT_EQ(resourcesLoaded(), step.loaded);
    }
    driver_.reset();
    EXPECT_FALSE(resourcesLoaded());
}

} // namespace
