// The pages-per-sheet rule lays out the module's own Finishing page
// (template 3000 of the resource library) below the staple row, and leaves
// a page alone once it is deleted or its window is gone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/support/TempFolder.h"
#include "tests/ui/framework/AvailabilityRulesTestSupport.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "ui/framework/GPagesPerSheetRule.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using namespace GSettingId;

constexpr WORD kFinishingTemplate = 3000;
constexpr int kStapleRow = 3027;
constexpr int kMovedControls[] = {3015, 3016, 3017, 3018, 3019, 3040, 3041};

INT_PTR TemplateOnlyProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

RECT Placement(HWND dialog, int id) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    EXPECT_TRUE(GetWindowPlacement(GetDlgItem(dialog, id), &placement)) << id;
    return placement.rcNormalPosition;
}

class PagesPerSheetLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        ASSERT_EQ(LoadResourceLibrary(u"QVUIRES.DLL"), 1);
        // The template as it is, to compare edges and sizes with.
        plain_ = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(kFinishingTemplate), nullptr,
                                    &TemplateOnlyProc, 0);
        ASSERT_NE(plain_, nullptr);
    }
    void TearDown() override {
        if (page_ != nullptr && IsWindow(page_->Window())) DestroyWindow(page_->Window());
        record_.link.pageObject = nullptr;
        page_.reset();
        DestroyWindow(plain_);
        ReleaseResourceLibrary();
    }

    // The Finishing page with a stapler and a binder installed or not;
    // withRule: the rule is on the model before the page's first message.
    HWND OpenPage(int16_t stapler, int16_t binder, bool withRule) {
        sheet_ = std::make_unique<uitest::Sheet>(
            rulestest::SettingsWith({{kStaplerInstalled, stapler}, {kBinderInstalled, binder}}, {}, 0));
        GUIModel& model = sheet_->Open();
        page_ = std::make_unique<GPropertyPage>(&record_.record, ResourceModule(), kFinishingTemplate, &model,
                                                1, 300);
        if (withRule) AddRule();
        return CreateDialogParamW(record_.record.hInstance, record_.record.pszTemplate, nullptr,
                                  &PropertyPageProc, reinterpret_cast<LPARAM>(&record_.record));
    }
    void AddRule() {
        sheet_->model->AddRule(std::make_unique<GPagesPerSheetRule>(sheet_->model.get(), page_.get()));
    }

    // Dialog units as pixels of the page.
    LONG Units(LONG units) const {
        RECT gap{0, 0, 0, units};
        MapDialogRect(plain_, &gap);
        return gap.bottom;
    }

    // Every moved control keeps its left edge and size.
    void ExpectEdgesAndSizesKept(HWND page) {
        for (const int id : kMovedControls) {
            const RECT now = Placement(page, id);
            const RECT was = Placement(plain_, id);
            EXPECT_EQ(now.left, was.left) << id;
            EXPECT_EQ(now.right - now.left, was.right - was.left) << id;
            EXPECT_EQ(now.bottom - now.top, was.bottom - was.top) << id;
        }
    }

    HWND plain_ = nullptr;
    dialogtest::PageRecord record_;
    std::unique_ptr<uitest::Sheet> sheet_;
    std::unique_ptr<GPropertyPage> page_;
};

TEST_F(PagesPerSheetLayoutTest, ControlsMoveUnderTheStapleRow) {
    const struct {
        int16_t stapler;
        int16_t binder;
        LONG belowStaple;
    } cases[] = {{0, 0, 12}, {1, 0, 18}, {0, 1, 18}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.stapler) + "/" + std::to_string(c.binder));
        HWND page = OpenPage(c.stapler, c.binder, true);
        ASSERT_NE(page, nullptr);
        const LONG pages = Placement(page, 3015).top;
        EXPECT_EQ(pages, Placement(page, kStapleRow).top + Units(c.belowStaple));
        EXPECT_EQ(Placement(page, 3016).top, pages);
        EXPECT_EQ(Placement(page, 3018).top, pages);
        EXPECT_EQ(Placement(page, 3017).top, pages + Units(1));
        EXPECT_EQ(Placement(page, 3019).top, pages + Units(16));
        EXPECT_EQ(Placement(page, 3040).top, Placement(page, 3019).top + Units(12));
        EXPECT_EQ(Placement(page, 3041).top, Placement(page, 3040).top + Units(10));
        ExpectEdgesAndSizesKept(page);
        if (c.stapler == 1) {
            qvtest::TempFolder folder;
            const std::string path = folder.PicturePath("finishing-with-stapler.png");
            ShowWindow(page, SW_SHOW); // as the sheet shows its current page
            EXPECT_TRUE(WinUiDriver::RenderToPng(page, path));
        }
        DestroyWindow(page);
        record_.link.pageObject = nullptr;
        page_.reset();
    }
}

TEST_F(PagesPerSheetLayoutTest, ADeletedPageOrAPageWithoutWindowIsNotTouched) {
    HWND page = OpenPage(1, 0, false);
    ASSERT_NE(page, nullptr);
    AddRule();
    // Deleted as UI_DESTROY deletes it: the link cleared, the window left.
    record_.link.pageObject = nullptr;
    page_.reset();
    sheet_->model->Propagate(1);
    for (const int id : kMovedControls)
        EXPECT_EQ(Placement(page, id).top, Placement(plain_, id).top) << id;
    EXPECT_EQ(sheet_->Value(kPagesPerSheetLevel), 0) << "the rule still judges the settings";
    DestroyWindow(page);

    // A page whose window is gone.
    page = OpenPage(1, 0, false);
    ASSERT_NE(page, nullptr);
    AddRule();
    DestroyWindow(page);
    sheet_->model->Propagate(1);
    EXPECT_EQ(sheet_->Value(kScale), 100);
}

} // namespace
