#pragma once
// The Finishing tab as its builder makes it, over a model printer's sheet
// with the document on Letter in portrait.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/pages/FinishingPageBuilder.h"
#include "winapi/host/WinUiDriver.h"

namespace finishingtest {

inline constexpr int kDocumentOptions = 3010;
inline constexpr int kBothSides = 3011;
inline constexpr int kFlipUp = 3012;
inline constexpr int kPagesField = 3015;
inline constexpr int kPagesArrows = 3016;
inline constexpr int kBorders = 3019;
inline constexpr int kBookletList = 3025;
inline constexpr int kStaple = 3027;
inline constexpr int kStaplingButton = 3029;
inline constexpr int kOrderList = 3041;
inline constexpr int kBind = 3042;
inline constexpr int16_t kLetter = 1;
inline constexpr int16_t kLegal = 6;
inline constexpr int16_t kA4 = 23;

// 11x17 (21) and A3 (22) at 600 dpi for the printer, which has neither.
inline void AddLargeSheets(GUIModel* model) {
    auto* pool =
        static_cast<GMediaPool*>(model->Defaults().FindTyped(GSettingId::kMediaPool, GMediaPool::kClassId));
    ASSERT_NE(pool, nullptr);
    pool->Add(new GMedia("11x17", {6600, 10200}, {6400, 10000}, {100, 100}, 0, 21, 600, 600));
    pool->Add(new GMedia("A3", {7016, 9921}, {6816, 9721}, {100, 100}, 0, 22, 600, 600));
}

class FinishingPageTest : public ::testing::Test {
protected:
    explicit FinishingPageTest(const char* printer = "QVCOLOR") : sheet_(printer) {}
    void SetUp() override {
        library_ = HoldOwnResourceLibrary();
        ASSERT_EQ(library_->Loaded(), 1);
        WinUiDriver::ClearRecords();
        // As a printer's fresh settings have it: the paper as its id.
        MPersistentObject* printing = sheet_.Settings()->FindById(GSettingId::kPrintingGroup);
        ASSERT_NE(printing, nullptr);
        printing->RemoveById(GSettingId::kMedia);
        printing->Add(new GValueAttribute(kLetter, GSettingId::kPaper));
    }
    void TearDown() override {
        Close();
        EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
    }
    // Builds the page and makes its window, shown as the sheet shows its
    // current page.
    HWND Open() {
        Close();
        page_.reset(BuildFinishingPage(record_.record, sheet_.model.get(), 1, nullptr));
        window_ = CreateDialogParamW(record_.record.hInstance, record_.record.pszTemplate, nullptr,
                                     record_.record.pfnDlgProc, reinterpret_cast<LPARAM>(&record_.record));
        EXPECT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOW);
        return window_;
    }
    void Close() {
        if (window_ != nullptr) DestroyWindow(window_);
        window_ = nullptr;
        page_.reset();
    }
    // The page comes to the front again.
    void Activate() {
        NMHDR header{window_, 0, PSN_SETACTIVE};
        SendMessageW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }
    GUIModel* Model() { return sheet_.model.get(); }
    int Value(uint32_t id) { return uitest::ValueOf(sheet_.Settings(), id); }
    void Set(uint32_t id, int16_t value) { ASSERT_EQ(Model()->CurrentSettings().SetValue(id, value), 1); }
    void SetLevel(uint32_t id, int16_t value) { ASSERT_EQ(Model()->RuleLevels().SetValue(id, value), 1); }
    // A value of the printer's own group.
    void SetPrinterValue(uint32_t id, uint16_t value) {
        auto* attribute = dynamic_cast<GValueAttribute*>(Model()->Defaults().Composite()->FindById(id));
        ASSERT_NE(attribute, nullptr);
        attribute->SetValue(value);
    }
    bool Checked(int id) { return WinUiDriver::CheckState(window_, id) == BST_CHECKED; }
    void Picture(const std::string& name) {
        const qvtest::TempFolder folder;
        EXPECT_TRUE(WinUiDriver::RenderToPng(window_, folder.PicturePath(name)));
    }

    std::unique_ptr<HeldResourceLibrary> library_;
    uitest::ModelPrinterSheet sheet_;
    dialogtest::PageRecord record_;
    std::unique_ptr<GPropertyPage> page_;
    HWND window_ = nullptr;
};

} // namespace finishingtest
