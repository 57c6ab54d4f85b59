// The text-entry dialog on the module's own resource library (template
// 11511): its prompt, the length limit of its field, OK kept disabled for
// blank names, and the text both OK and Cancel keep.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "ui/framework/GGetStringDialog.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

constexpr uint16_t kPromptString = 11057; // "Please type a name for the new Quick Set:"

class GGetStringDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = HoldOwnResourceLibrary();
        ASSERT_EQ(library_->Loaded(), 1);
    }

    // A step that notes whether OK can be pressed.
    static WinUiAction LookAtOk(std::vector<bool>& enabled) {
        return WinUiActions::Do("ok?", [&enabled](HWND target) {
            enabled.push_back(WinUiDriver::IsEnabled(target, IDOK));
            return true;
        });
    }

    std::unique_ptr<HeldResourceLibrary> library_;
};

TEST_F(GGetStringDialogTest, ThePromptComesFromTheStringTable) {
    RWWString prompt;
    ASSERT_GT(LoadResString(kPromptString, prompt), 0);
    std::u16string shown;
    GGetStringDialog dialog(nullptr, kPromptString, 0);
    WinUiDriver::QueueDialogScript(GGetStringDialog::kTemplate,
                                   {WinUiActions::Do("prompt", [&shown](HWND target) {
                                       shown = WinUiDriver::Text(target, GGetStringDialog::kPromptControl);
                                       return true;
                                   })});
    EXPECT_EQ(dialog.Run(), IDCANCEL);
    EXPECT_EQ(shown, std::u16string(prompt.Data(), prompt.Length()));
}

TEST_F(GGetStringDialogTest, OkStaysDisabledWhileTheNameIsBlank) {
    const struct {
        std::u16string typed;
        bool enabled;
    } cases[] = {{u"", false}, {u" ", false}, {u"    ", false}, {u"A", true}, {u"  Draft  ", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
        std::vector<bool> enabled;
        GGetStringDialog dialog(nullptr, kPromptString, 0);
        WinUiDriver::QueueDialogScript(GGetStringDialog::kTemplate,
                                       {LookAtOk(enabled),
                                        WinUiActions::Type(GGetStringDialog::kEditControl, u"x"),
                                        WinUiActions::Type(GGetStringDialog::kEditControl, c.typed),
                                        LookAtOk(enabled), WinUiActions::Click(IDOK)});
        EXPECT_EQ(dialog.Run(), c.enabled ? IDOK : IDCANCEL);
        EXPECT_EQ(enabled, (std::vector<bool>{false, c.enabled}));
    }
}

TEST_F(GGetStringDialogTest, OkAndCancelKeepTheTextAsTyped) {
    for (const int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button);
        GGetStringDialog dialog(nullptr, kPromptString, 0);
        WinUiDriver::QueueDialogScript(
            GGetStringDialog::kTemplate,
            {WinUiActions::Type(GGetStringDialog::kEditControl, u" Monthly report "),
             WinUiActions::Click(button)});
        EXPECT_EQ(dialog.Run(), button);
        EXPECT_TRUE(dialog.Text() == RWWString(u" Monthly report "));
    }
}

TEST_F(GGetStringDialogTest, AMaximumLengthLimitsTheField) {
    const struct {
        int16_t maximum;
        const char16_t* kept;
    } cases[] = {{5, u"Month"}, {0, u"Monthly report"}, {-3, u"Monthly report"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maximum);
        GGetStringDialog dialog(nullptr, kPromptString, c.maximum);
        WinUiDriver::QueueDialogScript(GGetStringDialog::kTemplate,
                                       {WinUiActions::Type(GGetStringDialog::kEditControl, u"Monthly report"),
                                        WinUiActions::Click(IDOK)});
        EXPECT_EQ(dialog.Run(), IDOK);
        EXPECT_TRUE(dialog.Text() == RWWString(c.kept));
    }
}

TEST_F(GGetStringDialogTest, MessagesWithoutTheDialogObjectAnswerZero) {
    // The template's window made with another procedure: GetStrDlgProc
    // finds no dialog object there and does nothing.
    HWND plain = CreateDialogParamW(
        ResourceModule(), MAKEINTRESOURCEW(GGetStringDialog::kTemplate), nullptr,
        [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG ? TRUE : FALSE; },
        0);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(GetStrDlgProc(plain, WM_COMMAND, MAKEWPARAM(GGetStringDialog::kEditControl, EN_CHANGE), 0), 0);
    EXPECT_EQ(GetStrDlgProc(plain, WM_COMMAND, IDOK, 0), 0);
    EXPECT_TRUE(WinUiDriver::IsEnabled(plain, IDOK));
    DestroyWindow(plain);
}

} // namespace
