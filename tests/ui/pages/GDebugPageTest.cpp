// The Debug page (template 10000 of the module's resources) as its builder
// makes it: the image compression radio buttons show 297 (0 none, anything
// else run-length) and write 0 or 1 only when the user clicks one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "model/GSettingIds.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/winapi/PngReader.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/pages/GDebugPageBuilder.h"
#include "winapi/host/WinUiDriver.h"

namespace {

constexpr int kNone = 10021;
constexpr int kRunLength = 10022;

class GDebugPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = HoldOwnResourceLibrary();
        ASSERT_EQ(library_->Loaded(), 1);
    }
    void TearDown() override {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    HWND Open(uint16_t stored) {
        EXPECT_EQ(sheet_.model->CurrentSettings().SetValue(GSettingId::kRasterCompression, stored), 1);
        page_.reset(BuildDebugPage(record_.record, sheet_.model.get(), 1));
        window_ = CreateDialogParamW(record_.record.hInstance, record_.record.pszTemplate, nullptr,
                                     record_.record.pfnDlgProc, reinterpret_cast<LPARAM>(&record_.record));
        EXPECT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOW); // as the sheet shows its current page
        return window_;
    }
    int Stored() { return uitest::ValueOf(sheet_.Settings(), GSettingId::kRasterCompression); }

    std::unique_ptr<HeldResourceLibrary> library_;
    uitest::ModelPrinterSheet sheet_{"QVCOLOR"};
    dialogtest::PageRecord record_;
    std::unique_ptr<GPropertyPage> page_;
    HWND window_ = nullptr;
};

TEST_F(GDebugPageTest, TheBuilderFillsThePageRecordWithTemplate10000) {
    Open(0);
    EXPECT_EQ(record_.record.pszTemplate, MAKEINTRESOURCEW(10000));
    EXPECT_EQ(record_.record.pfnDlgProc, &PropertyPageProc);
    EXPECT_EQ(record_.link.pageObject, static_cast<void*>(page_.get()));
    EXPECT_EQ(page_->ControlCount(), 1u);
    EXPECT_EQ(WinUiDriver::WindowText(window_), u"Debug");
}

TEST_F(GDebugPageTest, AStoredValueIsShownAndKeptUntilAClickWritesZeroOrOne) {
    const struct {
        uint16_t stored;
        int shown;
        int click;
        int written;
    } cases[] = {{2, kRunLength, kNone, 0},
                 {2, kRunLength, kRunLength, 1},
                 {0, kNone, kRunLength, 1},
                 {1, kRunLength, kNone, 0},
                 {0, kNone, kNone, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << " click " << c.click);
        HWND dialog = Open(c.stored);
        EXPECT_EQ(WinUiDriver::CheckState(dialog, c.shown), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(WinUiDriver::CheckState(dialog, c.shown == kNone ? kRunLength : kNone),
                  static_cast<UINT>(BST_UNCHECKED));
        NMHDR active{dialog, 0, PSN_SETACTIVE};
        SendMessageW(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&active));
        EXPECT_EQ(Stored(), c.stored) << "showing writes nothing";
        ASSERT_TRUE(WinUiDriver::Click(dialog, c.click));
        EXPECT_EQ(Stored(), c.written);
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

TEST_F(GDebugPageTest, ThePageIsWrittenAsAPicture) {
    HWND dialog = Open(2);
    qvtest::TempFolder folder;
    const std::string path = folder.PicturePath("debug-page.png");
    ASSERT_TRUE(WinUiDriver::RenderToPng(dialog, path));
    PngImage image;
    ASSERT_TRUE(ReadPng(path, image));
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(image.width, static_cast<uint32_t>(client.right));
    EXPECT_EQ(image.height, static_cast<uint32_t>(client.bottom));
}

} // namespace
