// The combo-box and list-box wrappers on DIALOGS.DLL's page 200 (combo box
// 201, list box 202): adding items with pointer-sized data, selecting by
// data and by exact text, the answers without a selection, the dropped
// width, and item texts whose length cannot be had.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/framework/DialogTestSupport.h"
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/framework/GListBoxWrapper.h"
#include "ui/framework/GResourceLibrary.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using dialogtest::kComboId;
using dialogtest::kListId;

INT_PTR PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The length message a subclassed box answers with LB_ERR / CB_ERR for
// item 0, as a box whose item cannot be read would.
UINT g_failedLengthMessage = 0;
WNDPROC g_boxProc = nullptr;

LRESULT FailingLengthProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_failedLengthMessage && wParam == 0) return -1;
    return CallWindowProcW(g_boxProc, window, message, wParam, lParam);
}

class GListWrappersTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterResourceLibraries();
        library_ = std::make_unique<HeldResourceLibrary>(kDialogsResourceLibrary);
        ASSERT_EQ(library_->Loaded(), 1);
        dialog_ = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(dialogtest::kPageTemplate), nullptr,
                                     &PlainDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
        combo_.Attach(dialog_, kComboId);
        list_.Attach(dialog_, kListId);
    }
    void TearDown() override { DestroyWindow(dialog_); }

    // Makes the box answer its length message with -1 for item 0.
    void FailLengthOfFirstItem(int id, UINT lengthMessage) {
        g_failedLengthMessage = lengthMessage;
        g_boxProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            GetDlgItem(dialog_, id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FailingLengthProc)));
    }

    std::unique_ptr<HeldResourceLibrary> library_;
    HWND dialog_ = nullptr;
    GComboBoxWrapper combo_;
    GListBoxWrapper list_;
};

TEST_F(GListWrappersTest, ItemsCarryPointerSizedDataAndAreFoundByIt) {
    const LONG_PTR wide = static_cast<LONG_PTR>(0x123456789ABCLL);
    EXPECT_EQ(combo_.AddStringWithData(u"Letter", 1), 0);
    EXPECT_EQ(combo_.AddStringWithData(u"A4", wide), 1);
    EXPECT_EQ(combo_.AddStringWithData(u"Legal", 5), 2);
    EXPECT_EQ(WinUiDriver::ItemData(dialog_, kComboId),
              (std::vector<ULONG_PTR>{1, static_cast<ULONG_PTR>(wide), 5}));
    EXPECT_EQ(combo_.GetSelectedData(), -1);
    combo_.SelectByData(wide);
    EXPECT_EQ(combo_.GetCurSel(), 1);
    EXPECT_EQ(combo_.GetSelectedData(), wide);
    combo_.SelectByData(77); // no item has it: the selection stays
    EXPECT_EQ(combo_.GetCurSel(), 1);

    EXPECT_EQ(list_.AddStringWithData(u"Tray 1", 0x0102), 0);
    EXPECT_EQ(list_.AddStringWithData(u"Tray 2", 0x0203), 1);
    EXPECT_EQ(list_.GetSelectedData(), GListBoxWrapper::kNoData);
    list_.SetItemData(1, 0x70000 | 0x0203); // the search compares the low 16 bits
    list_.SelectByData(0x0203);
    EXPECT_EQ(list_.GetCurSel(), 1);
    EXPECT_EQ(list_.GetSelectedData(), 0x70203);
}

TEST_F(GListWrappersTest, TextsAreMatchedExactly) {
    for (const char16_t* text : {u"Letter", u"letter", u"Letter ", u"A4"}) {
        combo_.AddString(text);
        list_.AddString(text);
    }
    const struct {
        const char* narrow;
        const char16_t* wide;
        LRESULT index;
    } cases[] = {
        {"letter", u"letter", 1}, {"Letter ", u"Letter ", 2}, {"A4", u"A4", 3}, {"Letter", u"Letter", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.narrow);
        combo_.SelectByText(c.narrow);
        list_.SelectByText(c.wide);
        EXPECT_EQ(combo_.GetCurSel(), c.index);
        EXPECT_EQ(list_.GetCurSel(), c.index);
        RWCString comboText;
        RWWString listText;
        EXPECT_EQ(combo_.GetSelectedText(comboText), 1);
        EXPECT_EQ(list_.GetSelectedText(listText), 1);
        EXPECT_TRUE(comboText == RWCString(c.narrow));
        EXPECT_TRUE(listText == RWWString(c.wide));
    }
    combo_.SelectByText("Legal"); // none has it: the selection stays
    EXPECT_EQ(combo_.GetCurSel(), 0);
    list_.DeleteByText(u"letter");
    EXPECT_EQ(WinUiDriver::Items(dialog_, kListId),
              (std::vector<std::u16string>{u"Letter", u"Letter ", u"A4"}));
}

TEST_F(GListWrappersTest, WithoutASelectionTheSelectedItemReadsNothing) {
    combo_.AddString(u"Letter");
    list_.AddString(u"Letter");
    RWCString comboText("old");
    RWWString listText(u"old");
    EXPECT_EQ(combo_.GetSelectedText(comboText), 0);
    EXPECT_EQ(list_.GetSelectedText(listText), 0);
    EXPECT_EQ(combo_.GetSelectedData(), -1);
    EXPECT_EQ(list_.GetSelectedData(), 0xFFFF);
    EXPECT_EQ(combo_.ResetContent(), 0);
    EXPECT_EQ(combo_.GetCount(), 0);
}

TEST_F(GListWrappersTest, AnItemWhoseLengthCannotBeHadIsNotRead) {
    const struct {
        int id;
        UINT lengthMessage;
    } boxes[] = {{kComboId, CB_GETLBTEXTLEN}, {kListId, LB_GETTEXTLEN}};
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.id);
        combo_.ResetContent();
        list_.ResetContent();
        for (const char16_t* text : {u"A much longer text than any buffer sized from a failure", u"A4"}) {
            combo_.AddString(text);
            list_.AddString(text);
        }
        FailLengthOfFirstItem(box.id, box.lengthMessage);
        // The search ends at the unreadable first item: A4 is not selected.
        if (box.id == kComboId) {
            combo_.SelectByText("A4");
            EXPECT_EQ(combo_.GetCurSel(), -1);
            combo_.SetCurSel(0);
            RWCString text("old");
            EXPECT_EQ(combo_.GetSelectedText(text), 0);
        } else {
            list_.SelectByText(u"A4");
            list_.DeleteByText(u"A4");
            EXPECT_EQ(list_.GetCurSel(), -1);
            EXPECT_EQ(list_.GetCount(), 2);
            list_.SetCurSel(0);
            RWWString text(u"old");
            EXPECT_EQ(list_.GetSelectedText(text), 0);
            EXPECT_TRUE(text.IsNull() || text.Length() == 0);
        }
        SetWindowLongPtrW(GetDlgItem(dialog_, box.id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_boxProc));
    }
}

TEST_F(GListWrappersTest, TheDroppedListIsAsWideAsTheWidestText) {
    const std::vector<std::u16string> texts = {u"A4", u"Executive (7.25 x 10.5 in)", u"Letter"};
    for (const std::u16string& text : texts)
        combo_.AddString(text.c_str());
    combo_.FitDroppedWidth();
    // The widest text measured in the control's font.
    HWND control = GetDlgItem(dialog_, kComboId);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::u16string& text : texts) {
        SIZE extent{};
        ASSERT_TRUE(GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent));
        widest = std::max(widest, extent.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    EXPECT_GT(widest, 0);
    EXPECT_EQ(WinUiDriver::DroppedWidth(dialog_, kComboId), widest);
    combo_.ResetContent();
    combo_.FitDroppedWidth();
    EXPECT_EQ(WinUiDriver::DroppedWidth(dialog_, kComboId), 0);
}

TEST_F(GListWrappersTest, TheEditTextOfTheComboAndAChangedTextOnly) {
    combo_.SetTextIfChanged(u"Custom");
    RWCString text;
    EXPECT_EQ(combo_.GetText(text), 1);
    EXPECT_TRUE(text == RWCString("Custom"));
    GComboBoxWrapper missing;
    missing.Attach(dialog_, 999);
    EXPECT_EQ(missing.GetText(text), 0);
    EXPECT_EQ(text.Length(), 0u);
}

} // namespace
