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
#include "tests/ui/pages/BuiltPageFixture.h"
#include "tests/winapi/PngReader.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/pages/GDebugPageBuilder.h"
#include "winapi/host/WinUiDriver.h"

namespace {

constexpr int kNone = 10021;
constexpr int kRunLength = 10022;

class GDebugPageTest : public pagetest::BuiltPageFixture {
protected:
    HWND Open(uint16_t stored) {
        EXPECT_EQ(Model()->CurrentSettings().SetValue(GSettingId::kRasterCompression, stored), 1);
        return OpenBuilt(
            [](PROPSHEETPAGEW& record, GUIModel* model) { return BuildDebugPage(record, model, 1); });
    }
    int Stored() { return BuiltPageFixture::Stored(GSettingId::kRasterCompression); }
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
        pagetest::ActivatePage(dialog);
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
