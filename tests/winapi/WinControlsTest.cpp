#include <gtest/gtest.h>

#include "WinUiTestSupport.h"
#include "winapi/WinControls.h"
#include "winapi/WinHelp.h"
#include "winapi/host/WinUiDriver.h"

namespace {
class WinControlsTest : public WinUiTest {
protected:
    void SetUp() override {
        WinUiTest::SetUp();
        dialog_ = Open(100);
        ASSERT_NE(dialog_, nullptr);
        MessageLog::Messages().clear();
    }
    void TearDown() override {
        DestroyWindow(dialog_);
        WinUiTest::TearDown();
    }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendDlgItemMessageW(dialog_, id, message, wParam, lParam);
    }
    LRESULT Add(int id, UINT message, const char16_t* text) const {
        return Send(id, message, 0, reinterpret_cast<LPARAM>(text));
    }
    std::vector<WORD> Codes(WORD id) const {
        std::vector<WORD> codes;
        for (const auto& command : MessageLog::Commands())
            if (command.id == id) codes.push_back(command.code);
        return codes;
    }
    std::vector<RecordedMessage> Of(UINT message) const {
        std::vector<RecordedMessage> found;
        for (const auto& m : MessageLog::Messages())
            if (m.message == message) found.push_back(m);
        return found;
    }

    HWND dialog_ = nullptr;
};
} // namespace

TEST_F(WinControlsTest, RadioButtonsCheckWithinTheirGroupOnly) {
    CheckDlgButton(dialog_, 116, BST_CHECKED);
    ASSERT_TRUE(WinUiDriver::Click(dialog_, 107));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 107), BST_CHECKED);
    ASSERT_TRUE(WinUiDriver::Click(dialog_, 108));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 106), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 107), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 108), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 116), BST_CHECKED); // another group
    MessageLog::Messages().clear();
    CheckRadioButton(dialog_, 106, 108, 106);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 106), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 108), BST_UNCHECKED);
    EXPECT_TRUE(MessageLog::Commands().empty()); // set from code: no notification
    // Push buttons have no check state; group boxes take no clicks.
    EXPECT_EQ(Send(IDOK, BM_SETCHECK, BST_CHECKED), 0);
    EXPECT_EQ(Send(IDOK, BM_GETCHECK), 0);
    ASSERT_TRUE(WinUiDriver::Click(dialog_, 109));
    EXPECT_TRUE(Codes(109).empty());
}

TEST_F(WinControlsTest, ComboBoxListsSortFindAndSelect) {
    for (const char16_t* text : {u"pear", u"Apple", u"banana", u"apricot"})
        Add(117, CB_ADDSTRING, text);
    EXPECT_EQ(WinUiDriver::Items(dialog_, 117),
              (std::vector<std::u16string>{u"Apple", u"apricot", u"banana", u"pear"}));
    const struct {
        UINT message;
        LONG_PTR start;
        const char16_t* text;
        LRESULT found;
    } finds[] = {
        {CB_FINDSTRING, -1, u"AP", 0},
        {CB_FINDSTRING, 0, u"ap", 1},
        {CB_FINDSTRING, 1, u"ap", 0},
        {CB_FINDSTRINGEXACT, -1, u"BANANA", 2},
        {CB_FINDSTRINGEXACT, -1, u"ban", CB_ERR},
        {CB_FINDSTRING, -1, u"kiwi", CB_ERR},
    };
    for (const auto& f : finds)
        EXPECT_EQ(Send(117, f.message, static_cast<WPARAM>(f.start), reinterpret_cast<LPARAM>(f.text)),
                  f.found);
    // Item data is pointer-sized; invalid indexes answer CB_ERR.
    const auto pointer = reinterpret_cast<LPARAM>(&dialog_);
    EXPECT_NE(Send(117, CB_SETITEMDATA, 3, pointer), CB_ERR);
    EXPECT_EQ(Send(117, CB_GETITEMDATA, 3), pointer);
    for (UINT message : {CB_GETITEMDATA, CB_GETLBTEXTLEN, CB_DELETESTRING})
        EXPECT_EQ(Send(117, message, 4), CB_ERR);
    EXPECT_EQ(Send(117, CB_SETCURSEL, 9), CB_ERR);
    EXPECT_EQ(Send(117, CB_GETCURSEL), CB_ERR);
    // Selecting from code sets the edit part and tells nobody.
    EXPECT_EQ(Send(117, CB_SETCURSEL, 2), 2);
    EXPECT_EQ(WinUiDriver::Text(dialog_, 117), u"banana");
    EXPECT_TRUE(MessageLog::Commands().empty());
    // Deleting an item before the selection moves it.
    EXPECT_EQ(Send(117, CB_DELETESTRING, 0), 3);
    EXPECT_EQ(Send(117, CB_GETCURSEL), 1);
    // ... and adding one before it (sorted, or inserted) too: it stays on banana.
    EXPECT_EQ(Add(117, CB_ADDSTRING, u"almond"), 0);
    EXPECT_EQ(Send(117, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"zucchini")), 0);
    EXPECT_EQ(Send(117, CB_GETCURSEL), 3);
    EXPECT_EQ(WinUiDriver::Text(dialog_, 117), u"banana");
    EXPECT_EQ(Send(117, CB_SETDROPPEDWIDTH, 333), 333);
    EXPECT_EQ(WinUiDriver::DroppedWidth(dialog_, 117), 333);
}

TEST_F(WinControlsTest, AUsersChoicesInComboBoxesNotifyOnlyOnChange) {
    for (const char16_t* text : {u"One", u"Two"})
        Add(102, CB_ADDSTRING, text);
    ASSERT_TRUE(WinUiDriver::Select(dialog_, 102, 1));
    ASSERT_TRUE(WinUiDriver::Select(dialog_, 102, 1));
    EXPECT_FALSE(WinUiDriver::Select(dialog_, 102, 2));
    EXPECT_EQ(Codes(102), (std::vector<WORD>{CBN_SETFOCUS, CBN_SELCHANGE}));
    // A drop-down list's text is its selected item; WM_SETTEXT is refused.
    EXPECT_EQ(SendMessageW(Item(102), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"Other")), CB_ERR);
    EXPECT_EQ(WinUiDriver::Text(dialog_, 102), u"Two");
    // Typing into an editable combo box.
    MessageLog::Messages().clear();
    Send(117, CB_LIMITTEXT, 4);
    ASSERT_TRUE(WinUiDriver::Type(dialog_, 117, u"Quick Set"));
    EXPECT_EQ(WinUiDriver::Text(dialog_, 117), u"Quic");
    EXPECT_EQ(Codes(117), (std::vector<WORD>{CBN_SETFOCUS, CBN_EDITUPDATE, CBN_EDITCHANGE}));
    EXPECT_EQ(Codes(102), (std::vector<WORD>{CBN_KILLFOCUS}));
}

TEST_F(WinControlsTest, ListBoxesAskTheirParentAboutKeys) {
    for (const char16_t* text : {u"a", u"b", u"c"})
        Add(105, LB_ADDSTRING, text);
    ASSERT_TRUE(WinUiDriver::Select(dialog_, 105, 0));
    EXPECT_EQ(Codes(105), (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE}));
    // The parent answers -1 (do your own thing), 2 (act on item 2), -2 (done).
    LRESULT answer = -1;
    MessageLog::Answer() = [&answer](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
        return message == WM_VKEYTOITEM ? answer : 0;
    };
    ASSERT_TRUE(WinUiDriver::Key(dialog_, 105, VK_DOWN));
    EXPECT_EQ(WinUiDriver::Selection(dialog_, 105), 1);
    answer = 0;
    ASSERT_TRUE(WinUiDriver::Key(dialog_, 105, VK_DOWN));
    EXPECT_EQ(WinUiDriver::Selection(dialog_, 105), 1); // item 0 + 1
    answer = -2;
    ASSERT_TRUE(WinUiDriver::Key(dialog_, 105, VK_DOWN));
    EXPECT_EQ(WinUiDriver::Selection(dialog_, 105), 1);
    const auto keys = Of(WM_VKEYTOITEM);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(LOWORD(static_cast<DWORD>(keys[0].wParam)), VK_DOWN);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(keys[0].wParam)), 0);
    EXPECT_EQ(reinterpret_cast<HWND>(keys[0].lParam), Item(105));
    EXPECT_EQ(Send(105, LB_GETTEXTLEN, 5), LB_ERR);
    EXPECT_EQ(Send(105, LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
    EXPECT_EQ(WinUiDriver::Selection(dialog_, 105), -1);
}

TEST_F(WinControlsTest, EditsNotifyEveryChangeAndKeepTheirLimitAndStyle) {
    ASSERT_TRUE(WinUiDriver::Type(dialog_, 103, u"12a3"));
    EXPECT_EQ(WinUiDriver::Text(dialog_, 103), u"123"); // ES_NUMBER refuses the letter
    EXPECT_EQ(Send(103, EM_GETMODIFY), TRUE);
    std::vector<WORD> changes;
    for (WORD code : Codes(103))
        if (code == EN_CHANGE) changes.push_back(code);
    EXPECT_EQ(changes.size(), 3u);
    MessageLog::Messages().clear();
    SetDlgItemTextW(dialog_, 103, u"99");
    EXPECT_EQ(Codes(103), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(Send(103, EM_GETMODIFY), FALSE);
    MessageLog::Messages().clear();
    Send(103, EM_LIMITTEXT, 4);
    ASSERT_TRUE(WinUiDriver::Type(dialog_, 103, u"123456"));
    EXPECT_EQ(WinUiDriver::Text(dialog_, 103), u"1234");
    const auto codes = Codes(103);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_MAXTEXT), 2);
    // Leaving the edit for another control tells it.
    MessageLog::Messages().clear();
    ASSERT_TRUE(WinUiDriver::Click(dialog_, 101));
    EXPECT_EQ(Codes(103), (std::vector<WORD>{EN_KILLFOCUS}));
    EXPECT_EQ(Send(103, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)), static_cast<LRESULT>(CLR_INVALID));
    EXPECT_EQ(Send(103, EM_SETBKGNDCOLOR, 1, 0), RGB(1, 2, 3));
}

TEST_F(WinControlsTest, UpDownsAskBeforeTheyMoveAndKeepTheirBuddyInStep) {
    EXPECT_EQ(Send(104, UDM_GETBUDDY), reinterpret_cast<LRESULT>(Item(103))); // UDS_AUTOBUDDY
    // The default range runs from 100 down to 0: the up arrow decreases.
    Send(104, UDM_SETPOS, 0, 50);
    ASSERT_TRUE(WinUiDriver::Spin(dialog_, 104, 1));
    EXPECT_EQ(WinUiDriver::Position(dialog_, 104), 49);
    Send(104, UDM_SETRANGE, 0, MAKELPARAM(10, 1)); // maximum 10, minimum 1
    SetDlgItemTextW(dialog_, 103, u"9");
    MessageLog::Messages().clear();
    ASSERT_TRUE(WinUiDriver::Spin(dialog_, 104, 3)); // 9 -> 10, then stays
    EXPECT_EQ(WinUiDriver::Text(dialog_, 103), u"10");
    EXPECT_EQ(Of(WM_NOTIFY).size(), 3u);
    const auto scrolls = Of(WM_VSCROLL);
    ASSERT_EQ(scrolls.size(), 2u); // one move: SB_THUMBPOSITION, then SB_ENDSCROLL
    EXPECT_EQ(LOWORD(static_cast<DWORD>(scrolls[0].wParam)), SB_THUMBPOSITION);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(scrolls[0].wParam)), 10);
    EXPECT_EQ(reinterpret_cast<HWND>(scrolls[0].lParam), Item(104));
    EXPECT_EQ(LOWORD(static_cast<DWORD>(scrolls[1].wParam)), SB_ENDSCROLL);
    // The parent changes the step, then refuses the next one (a dialog
    // answers WM_NOTIFY through DWLP_MSGRESULT).
    std::vector<std::pair<int, int>> asked;
    MessageLog::Answer() = [&asked](HWND dialog, UINT message, WPARAM, LPARAM lParam) -> INT_PTR {
        if (message != WM_NOTIFY) return 0;
        auto* change = reinterpret_cast<NMUPDOWN*>(lParam);
        EXPECT_EQ(static_cast<int>(change->hdr.code), -722);
        asked.emplace_back(change->iPos, change->iDelta);
        if (asked.size() == 1) {
            change->iDelta = -4;
            return 0;
        }
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
        return TRUE;
    };
    ASSERT_TRUE(WinUiDriver::Spin(dialog_, 104, 1));
    ASSERT_TRUE(WinUiDriver::Spin(dialog_, 104, -1));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{10, 1}, {6, -1}}));
    EXPECT_EQ(WinUiDriver::Position(dialog_, 104), 6);
    EXPECT_EQ(WinUiDriver::Text(dialog_, 103), u"6");
}

TEST_F(WinControlsTest, ScrollBarsTellTheParentAndTrackBarsMoveThemselves) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 11, 95, 0};
    EXPECT_EQ(SetScrollInfo(Item(112), SB_CTL, &info, TRUE), 90); // 100 - 11 + 1
    ASSERT_TRUE(WinUiDriver::Scroll(dialog_, 112, SB_THUMBPOSITION, 40));
    auto scrolls = Of(WM_HSCROLL);
    ASSERT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(scrolls[0].wParam, MAKEWPARAM(SB_THUMBPOSITION, 40));
    EXPECT_EQ(reinterpret_cast<HWND>(scrolls[0].lParam), Item(112));
    EXPECT_EQ(GetScrollPos(Item(112), SB_CTL), 90); // the parent moves it, not the user
    EXPECT_EQ(GetScrollPos(Item(112), SB_HORZ), 0);

    MessageLog::Messages().clear();
    Send(113, TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
    Send(113, TBM_SETPAGESIZE, 0, 10);
    ASSERT_TRUE(WinUiDriver::Scroll(dialog_, 113, TB_PAGEDOWN));
    ASSERT_TRUE(WinUiDriver::Scroll(dialog_, 113, TB_THUMBPOSITION, 70));
    EXPECT_EQ(WinUiDriver::Position(dialog_, 113), 50);
    scrolls = Of(WM_HSCROLL);
    ASSERT_EQ(scrolls.size(), 4u);
    EXPECT_EQ(scrolls[0].wParam, MAKEWPARAM(TB_PAGEDOWN, 0));
    EXPECT_EQ(scrolls[1].wParam, MAKEWPARAM(TB_ENDTRACK, 0));
    EXPECT_EQ(scrolls[2].wParam, MAKEWPARAM(TB_THUMBPOSITION, 50));
}

TEST_F(WinControlsTest, HelpContextMenusCursorsAndStaticClicksReachTheDialog) {
    ASSERT_TRUE(WinUiDriver::Help(dialog_, 101));
    const auto helps = Of(WM_HELP);
    ASSERT_EQ(helps.size(), 1u);
    // The HELPINFO lived for the call; what the dialog saw is checked here.
    MessageLog::Answer() = [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message == WM_HELP) {
            const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
            EXPECT_EQ(info->iCtrlId, 105);
            EXPECT_EQ(info->hItemHandle, Item(105));
            EXPECT_EQ(info->iContextType, HELPINFO_WINDOW);
        }
        if (message == WM_CONTEXTMENU || message == WM_SETCURSOR) {
            EXPECT_EQ(reinterpret_cast<HWND>(wParam), Item(111));
        }
        return 0;
    };
    ASSERT_TRUE(WinUiDriver::Help(dialog_, 105));
    ASSERT_TRUE(WinUiDriver::ContextMenu(dialog_, 111));
    ASSERT_TRUE(WinUiDriver::Hover(Item(111), 3, 4));
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Item(111), &cursor);
    EXPECT_EQ(cursor.x, 3);
    EXPECT_EQ(cursor.y, 4);
    EXPECT_EQ(Of(WM_CONTEXTMENU).size(), 1u);
    EXPECT_EQ(Of(WM_SETCURSOR).size(), 1u);
    MessageLog::Answer() = nullptr;
    ASSERT_TRUE(WinUiDriver::Click(dialog_, 110));
    EXPECT_EQ(Codes(110), (std::vector<WORD>{STN_CLICKED}));
}

TEST_F(WinControlsTest, OwnerDrawnButtonsAreDrawnByTheirParentAndClickLikeButtons) {
    MessageLog::Answer() = [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message != WM_DRAWITEM) return 0;
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        EXPECT_EQ(wParam, 111u);
        EXPECT_EQ(draw->CtlType, ODT_BUTTON);
        EXPECT_EQ(draw->itemAction, ODA_DRAWENTIRE);
        EXPECT_EQ(draw->hwndItem, Item(111));
        RECT client{};
        GetClientRect(Item(111), &client);
        EXPECT_TRUE(EqualRect(&draw->rcItem, &client));
        FillRect(draw->hDC, &draw->rcItem, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return TRUE;
    };
    HBITMAP picture = WinUiDriver::DrawItem(dialog_, 111);
    ASSERT_NE(picture, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, picture);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    DeleteDC(dc);
    DeleteObject(picture);
    ASSERT_TRUE(WinUiDriver::Click(dialog_, 111));
    EXPECT_EQ(Codes(111), (std::vector<WORD>{BN_CLICKED}));
}
