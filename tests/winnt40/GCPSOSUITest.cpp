// The property-sheet glue over a double extension module ("QVUI.DLL" is
// libqvextui.so here: two pages, "Alpha" and "Beta"): the block's size tag,
// the pages added to a host sheet with the remembered start page, OK and
// page changes seen by the hook in a sheet of the headless common UI, the
// title extended once per process, and the set's loading of modules.
#include <gtest/gtest.h>

#include <vector>

#include "config/GExtensionUISet.h"
#include "driver/GSheetContextBlock.h"
#include "driver/GUIData.h"
#include "driver/PageLink.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "tests/driver/modules/TestModuleLog.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinWindow.h"
#include "winapi/host/WinUiDriver.h"
#include "winapi/host/WinUiScriptParser.h"
#include "winnt40/GCPSOSUI.h"
#include "winnt40/PropertySheetGlueExports.h"

namespace {

using namespace ntdrivertest;

struct HostCall {
    UINT function;
    LPARAM first;
    LPARAM second;
};
std::vector<HostCall> g_hostCalls;

// A host sheet's call-back: page handles 0x100, 0x101, ... in order.
LONG_PTR RecordingHost(HANDLE, UINT function, LPARAM first, LPARAM second) {
    g_hostCalls.push_back({function, first, second});
    if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
        LONG_PTR added = 0;
        for (const HostCall& call : g_hostCalls)
            added += call.function == CPSFUNC_ADD_PROPSHEETPAGEW ? 1 : 0;
        return 0xFF + added;
    }
    return 1;
}

class GCPSOSUITest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        store.RegisterModule(u"QVUI.DLL", QV_TEST_MODULE_DIR "/libqvextui.so");
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        g_hostCalls.clear();
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<TestDriver>(printer_.Get());
        ASSERT_TRUE(LoadDataFile(*driver_, "QVCOLOR", 1));
        block_ = driver_->CreateSheetBlock();
        ASSERT_NE(block_, nullptr);
        block_->kind = GSheetContextBlock::kDocumentSheet;
    }
    void TearDown() override {
        sheet_.End(block_);
        driver_->FreeSheetBlock(block_);
        driver_.reset();
        NTDriverTest::TearDown();
    }

    GStringAttribute* LastPage() {
        MPersistentObject* node = block_->settings->FindById(GSettingId::kDocumentGroup);
        return dynamic_cast<GStringAttribute*>(node->FindById(GSettingId::kLastPageTitle));
    }
    static std::u16string Log() { return testmodule::Read(u"QVEXTUI"); }

    WinScopedPrinter printer_;
    std::unique_ptr<TestDriver> driver_;
    GSheetContextBlock* block_ = nullptr;
    GCPSOSUI sheet_;
};

TEST_F(GCPSOSUITest, ABlockWhoseSizeWordIsNot60BuildsNothing) {
    block_->size = 59;
    block_->hostCallBack = &RecordingHost;
    EXPECT_EQ(sheet_.Run(block_, 0), 0);
    EXPECT_EQ(block_->uiData, nullptr);
    EXPECT_TRUE(g_hostCalls.empty());
    EXPECT_EQ(Log(), u"");
    block_->size = GSheetContextBlock::kSizeTag;
}

TEST_F(GCPSOSUITest, WithAHostCallBackEveryPageIsAddedAndTheRememberedOneStarts) {
    ASSERT_NE(LastPage(), nullptr);
    LastPage()->SetValue("Beta");
    block_->hostSheet = reinterpret_cast<HANDLE>(0x77);
    block_->hostCallBack = &RecordingHost;
    EXPECT_EQ(sheet_.Run(block_, 0), 2);
    EXPECT_EQ(Log(), u"count;fill 0;");
    GUIData* data = block_->uiData;
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->size, 60u);
    EXPECT_EQ(data->settings, block_->settings.get());
    EXPECT_EQ(data->request, block_);
    EXPECT_EQ(std::u16string(data->printerName), kPrinter);
    ASSERT_EQ(data->pageCount, 2);
    ASSERT_EQ(g_hostCalls.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(g_hostCalls[i].function, CPSFUNC_ADD_PROPSHEETPAGEW);
        EXPECT_EQ(g_hostCalls[i].first, reinterpret_cast<LPARAM>(&data->pages[i]));
        EXPECT_NE(data->pages[i].dwFlags & PSP_USECALLBACK, 0u);
        EXPECT_EQ(data->pages[i].pfnCallback, &PropPageCallback);
        EXPECT_EQ(reinterpret_cast<PageLink*>(data->pages[i].lParam)->handle,
                  reinterpret_cast<HPROPSHEETPAGE>(0x100 + i));
    }
    EXPECT_EQ(g_hostCalls[2].function, CPSFUNC_SET_HSTARTPAGE);
    EXPECT_EQ(g_hostCalls[2].first, 0x101); // "Beta"
    EXPECT_EQ(sheet_.End(block_), 0);
    EXPECT_EQ(block_->uiData, nullptr);
    EXPECT_EQ(Log(), u"count;fill 0;destroy;");
}

TEST_F(GCPSOSUITest, TheSinglePageModeAsksTheFirstModuleOnlyAndTheStandInHostAnswersThePage) {
    block_->hostCallBack = &NonPropPageSheet;
    EXPECT_EQ(sheet_.Run(block_, GCPSOSUI::kSinglePageMode), 1);
    EXPECT_EQ(Log(), u"fill 4;"); // the mode in place of the first page (30874)
    EXPECT_EQ(block_->uiData->pageCount, 1);
    PROPSHEETPAGEW page{};
    EXPECT_EQ(NonPropPageSheet(nullptr, 1, reinterpret_cast<LPARAM>(&page), 0),
              reinterpret_cast<LPARAM>(&page));
}

// --- In a sheet of the headless common UI --------------------------------------------------

struct SheetRecord {
    GCPSOSUI* sheet = nullptr;
    GSheetContextBlock* block = nullptr;
    std::vector<SETRESULT_INFO> results;
    std::vector<std::pair<uint32_t, uint32_t>> pageLives; // created, released at DESTROY
    std::u16string title;
};
SheetRecord g_sheet;

LONG SheetFunction(PPROPSHEETUI_INFO info, LPARAM lParam) {
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
        g_sheet.block->hostSheet = info->hComPropSheet;
        g_sheet.block->hostCallBack = info->pfnComPropSheet;
        return g_sheet.sheet->Run(g_sheet.block, 0) > 0 ? 1 : 0;
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
        header->Flags = PSUIHDRF_EXACT_PTITLE | PSUIHDRF_NOAPPLYNOW;
        header->pTitle = const_cast<LPWSTR>(u"Sheet");
        return 1;
    }
    case PROPSHEETUI_REASON_SET_RESULT:
        g_sheet.results.push_back(*reinterpret_cast<SETRESULT_INFO*>(lParam));
        return 1;
    case PROPSHEETUI_REASON_DESTROY:
        if (GUIData* data = g_sheet.block->uiData)
            for (uint16_t i = 0; i < data->pageCount; ++i) {
                const auto* link = reinterpret_cast<PageLink*>(data->pages[i].lParam);
                g_sheet.pageLives.emplace_back(link->created, link->released);
            }
        g_sheet.sheet->End(g_sheet.block);
        return 1;
    default:
        return 0;
    }
}

// An action that reads the sheet's title from the page shown.
WinUiAction ReadTitle() {
    return {"read title", [](HWND page) {
                g_sheet.title = WinUiDriver::WindowText(GetParent(page));
                return true;
            }};
}

WinUiScript Script(const std::string& text) {
    WinUiScriptFile file;
    std::string error;
    EXPECT_TRUE(WinUiScriptParser::Parse(text, file, error)) << error;
    return file.main;
}

TEST_F(GCPSOSUITest, OkOnAPageMarksTheBlockAndReportsTheResultThroughTheHost) {
    GCPSOSUI::ForgetTitleExtended();
    g_sheet = SheetRecord();
    g_sheet.sheet = &sheet_;
    g_sheet.block = block_;
    WinUiScript script = Script("page 1\n");
    script.insert(script.begin(), ReadTitle());
    for (const WinUiAction& action : Script("ok\n"))
        script.push_back(action);
    WinUiDriver::QueueSheetScript(script);
    DWORD result = 0;
    EXPECT_EQ(CommonPropertySheetUIW(nullptr, &SheetFunction, 0, &result), CPSUI_OK);
    EXPECT_EQ(block_->okWord, GSheetContextBlock::kOkWordPressed);
    // PSN_APPLY reached both pages; the first report came from page "Alpha".
    ASSERT_FALSE(g_sheet.results.empty());
    EXPECT_EQ(g_sheet.results.front().Result, CPSUI_OK);
    EXPECT_NE(g_sheet.results.front().hSetResult, nullptr);
    // Leaving "Alpha" for "Beta" remembered "Alpha", then OK left "Beta".
    EXPECT_STREQ(LastPage()->GetValue().Data(), "Beta");
    // Both pages were created and released before DESTROY.
    EXPECT_EQ(g_sheet.pageLives, (std::vector<std::pair<uint32_t, uint32_t>>{{1, 1}, {1, 1}}));
    // The resource library's string 13620 extends the first sheet's title.
    EXPECT_EQ(g_sheet.title, u"Sheet - Printer Driver");

    // The second sheet of the process keeps its title.
    g_sheet = SheetRecord();
    g_sheet.sheet = &sheet_;
    g_sheet.block = block_;
    script = Script("cancel\n");
    script.insert(script.begin(), ReadTitle());
    WinUiDriver::QueueSheetScript(script);
    EXPECT_EQ(CommonPropertySheetUIW(nullptr, &SheetFunction, 0, &result), CPSUI_CANCEL);
    EXPECT_EQ(g_sheet.title, u"Sheet");
    ASSERT_EQ(g_sheet.results.size(), 1u);
    EXPECT_EQ(g_sheet.results.front().Result, CPSUI_CANCEL);
}

TEST_F(GCPSOSUITest, TheSetLoadsTheModulesItCanInNameOrder) {
    GUIData data;
    data.settings = block_->settings.get();
    GExtensionUISet set;
    // The data file names "QVUI.DLL" and the plug-in host, which is not built.
    EXPECT_EQ(set.Load(&data), 1u);
    EXPECT_EQ(set.AddPages(&data), 2);
    EXPECT_EQ(data.pageCount, 2);
    set.Destroy(&data);
    EXPECT_EQ(data.pages, nullptr);
    EXPECT_EQ(data.pageCount, 0);
    EXPECT_EQ(set.GetModuleCount(), 0u);
    EXPECT_EQ(Log(), u"count;fill 0;destroy;");
    // A module that cannot be loaded is left out.
    WinHostStore::Instance().RegisterModule(u"QVUI.DLL", QV_TEST_MODULE_DIR "/missing.so");
    EXPECT_EQ(set.Load(&data), 0u);
    EXPECT_EQ(set.AddPages(&data), 0);
    EXPECT_EQ(data.pages, nullptr);
}

} // namespace
