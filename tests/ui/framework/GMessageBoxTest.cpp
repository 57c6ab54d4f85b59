// Message boxes read right to left when the resource library is a Hebrew
// or Arabic build.
#include <gtest/gtest.h>

#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "ui/framework/GMessageBox.h"
#include "winapi/WinMessageBox.h"
#include "winapi/host/WinUiDriver.h"

namespace {

class GMessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterResourceLibraries(); }
};

TEST_F(GMessageBoxTest, ARightToLeftResourceLibraryAddsRtlReadingAndRightAlignment) {
    constexpr UINT kStyle = MB_OKCANCEL | MB_ICONASTERISK;
    constexpr UINT kRightToLeft = 0x180000;
    struct Case {
        const char16_t* library; // null: none loaded
        UINT expected;
    };
    const Case cases[] = {
        {kHebrewResourceLibrary, kStyle | kRightToLeft},
        {kArabicResourceLibrary, kStyle | kRightToLeft},
        {kOwnResourceLibrary, kStyle}, // code page 1252
        {nullptr, kStyle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library != nullptr ? "a library" : "none");
        WinUiDriver::ClearRecords();
        const HeldResourceLibrary library(c.library);
        ASSERT_EQ(library.Loaded(), c.library != nullptr ? 1 : 0);
        WinUiDriver::QueueMessageBoxAnswer(IDCANCEL);
        EXPECT_EQ(ShowMessageBox(nullptr, u"Text", u"Incompatible Options", kStyle), IDCANCEL);
        const auto boxes = WinUiDriver::MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].type, c.expected);
        EXPECT_EQ(boxes[0].text, u"Text");
        EXPECT_EQ(boxes[0].caption, u"Incompatible Options");
    }
}

} // namespace
