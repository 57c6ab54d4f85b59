// The module's own extension-UI entry points: UI_INITIALIZE counts the
// tabs a sheet has and fills them in their order over the resource library
// with the sheet's UI model, refuses what it cannot fill whole, shows the
// job-storage notice in its mode; UI_DESTROY gives back only what the block
// took. The module handle of the first sheet's block becomes the module of
// resource lookups.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "driver/GUIData.h"
#include "driver/PageLink.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "tests/winapi/PngReader.h"
#include "ui/framework/GPagesPerSheetRule.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GTimedDialog.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/ExtensionUIExports.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinRegistryKey.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

HMODULE Handle(uintptr_t value) {
    return reinterpret_cast<HMODULE>(value);
}

// The lookup module is set once per process: each run starts a fresh test
// process (the thread-safe death-test style re-runs the program), so no
// other test of this program can have set it before.
TEST(ExtensionUIExportsTest, TheFirstSheetsModuleBecomesTheModuleOfResourceLookups) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Step {
        uint32_t size;
        uintptr_t instance;
        uint16_t firstPage;
        uintptr_t expected; // the lookup module afterwards
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"a counting call sets it", {{GUIData::kSizeTag, 0x1000, 0, 0x1000}}},
        {"the notice mode sets it", {{GUIData::kSizeTag, 0x1000, 0x789B, 0x1000}}},
        {"the first handle stays",
         {{GUIData::kSizeTag, 0x1000, 0, 0x1000}, {GUIData::kSizeTag, 0x2000, 0, 0x1000}}},
        {"a block without a handle leaves it unset",
         {{GUIData::kSizeTag, 0, 0, 0}, {GUIData::kSizeTag, 0x2000, 0, 0x2000}}},
        {"a block of another size is not read", {{56, 0x1000, 0, 0}, {GUIData::kSizeTag, 0x2000, 0, 0x2000}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EXIT(
            {
                int failed = ResourceLookupModule() != nullptr ? 1 : 0;
                for (const Step& step : c.steps) {
                    GUIData data;
                    data.size = step.size;
                    data.instance = Handle(step.instance);
                    data.kind = GUIData::kDocumentSheet;
                    UI_INITIALIZE(&data, step.firstPage);
                    if (ResourceLookupModule() != Handle(step.expected)) failed = 2;
                }
                std::exit(failed);
            },
            ::testing::ExitedWithCode(0), "");
    }
}

TEST(ExtensionUIExportsTest, TheInterfaceVersionIsTwo) {
    EXPECT_EQ(UI_INTERFACEVERSION(), 2u);
}

// What decides a sheet's tabs.
struct Printer {
    uint16_t colour = 0;
    uint16_t writer = 767;
    uint16_t jobStorage = 1;
    const char* library = "QVUIRES.DLL";
};

// A driver instance that knows the printer's location and the job's name.
class TabsDriver : public uitest::SheetDriver {
public:
    TabsDriver() : GDriverContext(u"Office Printer", u"QV Colour Driver", u"LPT1:") {}
    int32_t GetPrinterLocation(RWWString& location) override {
        location = u"Room 4";
        return 1;
    }
    RWWString GetJobName() const override { return u"Q3 report"; }
};

// A sheet's block over such a printer, with its page records (each with its
// PageLink) once made.
class TabsSheet {
public:
    TabsSheet(uint32_t kind, const Printer& printer) {
        MPersistentObject& configuration = driver.Configuration();
        configuration.Add(new GValueAttribute(printer.colour, GSettingId::kColourDevice));
        configuration.Add(new GValueAttribute(printer.writer, GSettingId::kWriterKind));
        configuration.Add(new GStringAttribute(printer.library, GSettingId::kResourceLibraryName));
        block.instance = &driver;
        block.settings = uitest::Tree({{GSettingId::kJobStorageEnabled, printer.jobStorage}});
        block.settings->Add(new GStringAttribute("ANN", GSettingId::kTypedUserName));
        data.driver = &driver;
        data.settings = block.settings.get();
        data.request = &block;
        data.kind = kind;
    }
    ~TabsSheet() { UI_DESTROY(&data); }
    TabsSheet(const TabsSheet&) = delete;
    TabsSheet& operator=(const TabsSheet&) = delete;

    void MakeSlots(uint16_t count) {
        links = std::vector<PageLink>(count);
        records = std::vector<PROPSHEETPAGEW>(count);
        for (uint16_t i = 0; i < count; ++i) {
            links[i].data = &data;
            records[i].dwSize = sizeof(PROPSHEETPAGEW);
            records[i].lParam = reinterpret_cast<LPARAM>(&links[i]);
        }
        data.pages = records.data();
        data.pageCount = count;
    }
    // The template of every slot (0 for one left as the host made it).
    std::vector<uintptr_t> Templates() const {
        std::vector<uintptr_t> templates;
        for (const PROPSHEETPAGEW& record : records)
            templates.push_back(reinterpret_cast<uintptr_t>(record.pszTemplate));
        return templates;
    }

    TabsDriver driver;
    GSheetContextBlock block;
    GUIData data;
    std::vector<PageLink> links;
    std::vector<PROPSHEETPAGEW> records;
};

class ExtensionUITabsTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterResourceLibraries(); }
    void TearDown() override { EXPECT_EQ(ResourceLibraryUseCount(), 0u); }
};

TEST_F(ExtensionUITabsTest, TheCountFollowsTheSheetKindColourWriterAndJobStorage) {
    struct Case {
        const char* name;
        uint32_t kind;
        Printer printer;
        int16_t count;
    };
    const Case cases[] = {
        {"document, monochrome, PCL XL, job storage", GUIData::kDocumentSheet, {}, 6},
        {"a colour printer adds Colour", GUIData::kDocumentSheet, {1, 767, 1}, 7},
        {"a PostScript writer adds PostScript", GUIData::kDocumentSheet, {0, 768, 1}, 7},
        {"both", GUIData::kDocumentSheet, {1, 768, 1}, 8},
        {"a colour value other than 1 adds nothing", GUIData::kDocumentSheet, {2, 788, 1}, 6},
        {"without job storage no Job Storage tab", GUIData::kDocumentSheet, {0, 767, 0}, 5},
        {"device sheet", GUIData::kDeviceSheet, {1, 768, 1}, 2},
        {"both sheet kinds", GUIData::kDocumentSheet | GUIData::kDeviceSheet, {}, 8},
        {"no sheet kind", 0, {1, 768, 1}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabsSheet sheet(c.kind, c.printer);
        EXPECT_EQ(UI_INITIALIZE(&sheet.data, 0), c.count);
        // Counting loads and makes nothing.
        EXPECT_EQ(ResourceLibraryUseCount(), 0u);
        EXPECT_EQ(sheet.data.uiModel, nullptr);
    }
}

TEST_F(ExtensionUITabsTest, TheFillGivesEachTabItsTemplateAndPageInSheetOrder) {
    struct Case {
        const char* name;
        uint32_t kind;
        Printer printer;
        std::vector<uintptr_t> templates;
        // The availability rules made; the rendering-mode rule only for PCL 5.
        size_t rules;
    };
    const Case cases[] = {
        {"every document tab",
         GUIData::kDocumentSheet,
         {1, 768, 1},
         {3000, 6000, 2000, 15000, 4000, 6500, 1000, 14000},
         23},
        {"monochrome, PCL 5, no job storage",
         GUIData::kDocumentSheet,
         {0, 788, 0},
         {3000, 6000, 2000, 4000, 1000},
         24},
        {"device sheet", GUIData::kDeviceSheet, {}, {12000, 7000}, 23},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabsSheet sheet(c.kind, c.printer);
        const auto count = static_cast<int16_t>(c.templates.size());
        // The host's slot before ours and one after stay as the host made them.
        sheet.MakeSlots(static_cast<uint16_t>(count + 2));
        ASSERT_EQ(UI_INITIALIZE(&sheet.data, 1), count);
        std::vector<uintptr_t> expected{0};
        expected.insert(expected.end(), c.templates.begin(), c.templates.end());
        expected.push_back(0);
        EXPECT_EQ(sheet.Templates(), expected);
        EXPECT_EQ(ResourceLibraryUseCount(), 1u);
        ASSERT_NE(sheet.data.uiModel, nullptr);
        const auto& rules = static_cast<GUIModel*>(sheet.data.uiModel)->Rules();
        ASSERT_EQ(rules.size(), c.rules);
        EXPECT_NE(dynamic_cast<GPagesPerSheetRule*>(rules.back().get()), nullptr);
        for (int16_t i = 1; i <= count; ++i) {
            const PROPSHEETPAGEW& record = sheet.records[i];
            EXPECT_EQ(record.pfnDlgProc, &PropertyPageProc);
            EXPECT_EQ(record.hInstance, ResourceModule());
            EXPECT_NE(sheet.links[i].pageObject, nullptr);
        }
        for (int16_t i : {0, count + 1}) {
            EXPECT_EQ(sheet.records[i].pfnDlgProc, nullptr);
            EXPECT_EQ(sheet.links[i].pageObject, nullptr);
        }
        UI_DESTROY(&sheet.data);
        for (const PageLink& link : sheet.links)
            EXPECT_EQ(link.pageObject, nullptr);
        EXPECT_EQ(sheet.data.uiModel, nullptr);
        EXPECT_EQ(ResourceLibraryUseCount(), 0u);
    }
}

// Each refusal answers 0 and leaves the block holding nothing: no page, no
// UI model, no use of the library.
TEST_F(ExtensionUITabsTest, WhatCannotBeFilledWholeIsRefusedWithNothingTaken) {
    struct Case {
        const char* name;
        Printer printer;
        uint16_t slots;
        uint16_t firstPage;
        bool withSettings;
    };
    const Case cases[] = {
        {"six pages from slot 1 of 6", {}, 6, 1, true},
        {"a first page past the slots", {}, 6, 6, true},
        {"a resource library that cannot be loaded", {0, 767, 1, "NOSUCH.DLL"}, 6, 0, true},
        {"no resource library named", {0, 767, 1, ""}, 6, 0, true},
        {"no settings to make a UI model over", {}, 6, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabsSheet sheet(GUIData::kDocumentSheet, c.printer);
        if (!c.withSettings) sheet.data.settings = nullptr;
        sheet.MakeSlots(c.slots);
        EXPECT_EQ(UI_INITIALIZE(&sheet.data, c.firstPage), 0);
        EXPECT_EQ(sheet.Templates(), std::vector<uintptr_t>(c.slots, 0));
        EXPECT_EQ(sheet.data.uiModel, nullptr);
        EXPECT_EQ(ResourceLibraryUseCount(), 0u);
    }
}

TEST_F(ExtensionUITabsTest, DestroyDeletesOnlyItsOwnPagesAndGivesBackOnlyItsOwnUse) {
    // Another sheet of the process holds the library.
    HeldResourceLibrary other(kOwnResourceLibrary);
    ASSERT_EQ(other.Loaded(), 1);
    TabsSheet sheet(GUIData::kDeviceSheet, {});
    sheet.MakeSlots(3);
    // A block this module never filled gives back no use.
    EXPECT_EQ(UI_DESTROY(&sheet.data), 0);
    EXPECT_EQ(ResourceLibraryUseCount(), 1u);

    // Slot 0 is another module's page.
    int foreignPage = 0;
    sheet.records[0].hInstance = Handle(0x7000);
    sheet.links[0].pageObject = &foreignPage;
    ASSERT_EQ(UI_INITIALIZE(&sheet.data, 1), 2);
    EXPECT_EQ(ResourceLibraryUseCount(), 2u);
    EXPECT_EQ(UI_DESTROY(&sheet.data), 0);
    EXPECT_EQ(sheet.links[0].pageObject, &foreignPage);
    EXPECT_EQ(sheet.links[1].pageObject, nullptr);
    EXPECT_EQ(sheet.links[2].pageObject, nullptr);
    EXPECT_EQ(ResourceLibraryUseCount(), 1u);
    // Destroyed twice, the second gives back nothing.
    EXPECT_EQ(UI_DESTROY(&sheet.data), 0);
    EXPECT_EQ(ResourceLibraryUseCount(), 1u);
}

// --- The job-storage notice --------------------------------------------------------------

constexpr uint16_t kNoticeMode = 0x789B;

class JobStorageNoticeModeTest : public ExtensionUITabsTest {
protected:
    void SetUp() override {
        ExtensionUITabsTest::SetUp();
        WinPrinterRecord printer;
        printer.name = u"Office Printer";
        WinHostStore::Instance().AddPrinter(printer);
    }
    // Plays the notice: reads its fields, ticks the box or not, OK.
    int16_t Play(TabsSheet& sheet, bool tick) {
        std::vector<WinUiAction> actions{WinUiActions::Do("read", [this](HWND dialog) {
            for (int id : {GTimedDialog::kPrinterNameId, GTimedDialog::kPortNameId, GTimedDialog::kUserNameId,
                           GTimedDialog::kJobNameId, GTimedDialog::kLocationId})
                shown_ += WinUiDriver::Text(dialog, id) + u"|";
            return picture_.empty() || WinUiDriver::RenderToPng(dialog, picture_);
        })};
        if (tick) actions.push_back(WinUiActions::Click(GTimedDialog::kDontShowId));
        actions.push_back(WinUiActions::Click(IDOK));
        WinUiDriver::QueueDialogScript(11540, actions);
        return UI_INITIALIZE(&sheet.data, kNoticeMode);
    }
    static std::vector<WinRegistryValue> PrinterData() {
        const auto key = WinHostStore::Instance().FindPrinterData(u"Office Printer");
        return key ? key->Values() : std::vector<WinRegistryValue>{};
    }

    std::u16string shown_;
    // Where the notice is written as a picture as it shows (empty: not).
    std::string picture_;
};

TEST_F(JobStorageNoticeModeTest, TheTickedBoxWritesDontShowJobNameAsADword) {
    TabsSheet sheet(GUIData::kDocumentSheet, {});
    qvtest::TempFolder folder;
    picture_ = folder.PicturePath("job-storage-notice.png");
    EXPECT_EQ(Play(sheet, true), 1);
    EXPECT_EQ(shown_, u"Office Printer|LPT1:|ANN|Q3 report|Room 4|");
    PngImage image;
    ASSERT_TRUE(ReadPng(picture_, image));
    EXPECT_GT(image.width, 0u);
    const std::vector<WinRegistryValue> values = PrinterData();
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, u"DontShowJobName");
    EXPECT_EQ(values[0].type, 4u); // REG_DWORD
    EXPECT_EQ(values[0].data, (std::vector<BYTE>{0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(sheet.driver.GetDontShowJobName(), 1u);
    // The notice keeps its UI model and library use until UI_DESTROY.
    EXPECT_NE(sheet.data.uiModel, nullptr);
    EXPECT_EQ(ResourceLibraryUseCount(), 1u);
    UI_DESTROY(&sheet.data);
    EXPECT_EQ(ResourceLibraryUseCount(), 0u);
}

TEST_F(JobStorageNoticeModeTest, NothingIsWrittenOrClaimedUnlessTheBoxIsTickedAndTheValueWritten) {
    {
        SCOPED_TRACE("unticked");
        TabsSheet sheet(GUIData::kDocumentSheet, {});
        EXPECT_EQ(Play(sheet, false), 1);
        EXPECT_TRUE(PrinterData().empty());
        EXPECT_EQ(sheet.driver.GetDontShowJobName(), 0u);
    }
    {
        SCOPED_TRACE("ticked for a printer that cannot be opened");
        ASSERT_TRUE(WinHostStore::Instance().RemovePrinter(u"Office Printer"));
        TabsSheet sheet(GUIData::kDocumentSheet, {});
        EXPECT_EQ(Play(sheet, true), 1);
        EXPECT_EQ(sheet.driver.GetDontShowJobName(), 0u);
    }
    {
        SCOPED_TRACE("no resource library: no notice");
        TabsSheet sheet(GUIData::kDocumentSheet, {0, 767, 1, "NOSUCH.DLL"});
        EXPECT_EQ(UI_INITIALIZE(&sheet.data, kNoticeMode), 0);
        EXPECT_EQ(sheet.data.uiModel, nullptr);
    }
}

} // namespace
