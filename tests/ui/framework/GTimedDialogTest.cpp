// The timed notice dialog over the driver's resource module: its texts, the
// state word the "do not show" box gives, and closing by itself when its
// time is up.
#include <gtest/gtest.h>

#include <string>

#include "ui/framework/GTimedDialog.h"
#include "winapi/WinControls.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

class GTimedDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().Reset();
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
    }
    void TearDown() override { WinHostStore::Instance().Reset(); }
};

TEST_F(GTimedDialogTest, TheNoticeShowsItsTextsAndTheBoxTicksTheStateToZero) {
    GTimedDialog dialog(11540, 10, u"QV Colour Laser", u"LPT1:", u"ANN", u"QVUIRES.DLL", u"Room 4");
    std::u16string seen;
    WinUiDriver::QueueDialogScript(
        11540, {WinUiActions::Do("read",
                                 [&seen](HWND target) {
                                     for (int id : {11541, 11544, 11542, 11545, 11546, 11543})
                                         seen += WinUiDriver::Text(target, id) + u"|";
                                     return true;
                                 }),
                WinUiActions::Click(GTimedDialog::kDontShowId), WinUiActions::Click(IDOK)});
    EXPECT_EQ(dialog.Show(u"QVUIRES.DLL"), IDOK);
    EXPECT_EQ(seen, u"QV Colour Laser|LPT1:|ANN|QVUIRES.DLL|Room 4||");
    EXPECT_EQ(dialog.GetState(), 0u);
}

TEST_F(GTimedDialogTest, ClosedWithoutTheBoxTheStateStaysOne) {
    GTimedDialog dialog(11540, 10, u"P", u"LPT1:", u"ANN", u"QVUIRES.DLL", u"");
    // No script: the user presses Escape.
    EXPECT_EQ(dialog.Show(u"QVUIRES.DLL"), IDCANCEL);
    EXPECT_EQ(dialog.GetState(), 1u);
}

TEST_F(GTimedDialogTest, TheNoticeClosesItselfWhenItsSecondsHavePassed) {
    GTimedDialog dialog(11540, 10, u"P", u"LPT1:", u"ANN", u"QVUIRES.DLL", u"");
    bool stillOpen = false;
    WinUiDriver::QueueDialogScript(11540,
                                   {WinUiActions::Wait(9999),
                                    WinUiActions::Do("open?",
                                                     [&stillOpen](HWND target) {
                                                         stillOpen = IsWindow(target) != FALSE;
                                                         return true;
                                                     }),
                                    WinUiActions::Wait(1), WinUiActions::Click(GTimedDialog::kDontShowId)});
    EXPECT_EQ(dialog.Show(u"QVUIRES.DLL"), IDOK);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dialog.GetState(), 1u); // closed before the box could be ticked
}

TEST_F(GTimedDialogTest, WithoutTheModuleNothingIsShown) {
    GTimedDialog dialog(11540, 10, u"P", u"LPT1:", u"ANN", u"NOSUCH.DLL", u"");
    EXPECT_EQ(dialog.Show(u"NOSUCH.DLL"), -1);
    EXPECT_EQ(dialog.Show(u""), -1);
    EXPECT_EQ(dialog.GetState(), 1u);
}

} // namespace
