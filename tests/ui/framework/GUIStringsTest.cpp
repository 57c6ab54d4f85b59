// Strings of the resource library and item texts set only when they change.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"
#include "winapi/host/WinUiDriver.h"

namespace {

std::u16string Text(const RWWString& text) {
    return std::u16string(text.Data(), text.Length());
}

class GUIStringsTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterResourceLibraries(); }
};

TEST_F(GUIStringsTest, LoadResStringAnswersTheLengthAndCutsAtTheBuffer) {
    HeldResourceLibrary library(kHebrewResourceLibrary);
    ASSERT_EQ(library.Loaded(), 1);
    struct Case {
        uint16_t id;
        std::u16string expected;
    };
    const Case cases[] = {
        {100, u"Layout"},
        {101, std::u16string(255, u'x')}, // 300 characters in the library
        {102, u""},                       // missing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        RWWString text(u"old");
        EXPECT_EQ(LoadResString(c.id, text), static_cast<int32_t>(c.expected.size()));
        EXPECT_EQ(Text(text), c.expected);
    }
}

TEST_F(GUIStringsTest, LoadResStringWithoutALibraryAnswersNothing) {
    RWWString text(u"old");
    EXPECT_EQ(LoadResString(100, text), 0);
    EXPECT_TRUE(text.IsNull());
}

// The messages the edit of the double's dialog got, with its procedure in
// between; WM_GETTEXTLENGTH may be answered with a value of the test's.
struct EditSpy {
    static inline WNDPROC original = nullptr;
    static inline std::vector<UINT> messages;
    static inline bool lengthUnknown = false;

    static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_GETTEXTLENGTH || message == WM_GETTEXT || message == WM_SETTEXT)
            messages.push_back(message);
        if (message == WM_GETTEXTLENGTH && lengthUnknown) return -1;
        return CallWindowProcW(original, window, message, wParam, lParam);
    }
};

INT_PTR NoDialogProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST_F(GUIStringsTest, SetItemTextIfChangedSetsOnlyADifferentTextAndReadsNothingOfAnUnknownLength) {
    HeldResourceLibrary library(kHebrewResourceLibrary);
    HWND dialog = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(100), nullptr, &NoDialogProcedure, 0);
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, 1101);
    EditSpy::original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditSpy::Procedure)));
    struct Case {
        const char16_t* shown;
        bool lengthUnknown;
        const char16_t* text;
        bool read;
        bool set;
    };
    const Case cases[] = {
        {u"Start", false, u"Start", true, false}, // the same text: nothing set
        {u"Start", false, u"Stop!", true, true},  // same length, other text
        {u"Start", false, u"Go", false, true},    // another length: no need to read
        {u"", false, u"", true, false},           // empty stays empty
        {u"Start", true, u"Start", false, true},  // -1 reads nothing and sets
    };
    for (size_t index = 0; index < std::size(cases); ++index) {
        SCOPED_TRACE(index);
        const Case& c = cases[index];
        EditSpy::lengthUnknown = false;
        SetWindowTextW(edit, c.shown);
        EditSpy::messages.clear();
        EditSpy::lengthUnknown = c.lengthUnknown;
        SetItemTextIfChanged(dialog, 1101, c.text);
        const auto sent = [](UINT message) {
            return std::count(EditSpy::messages.begin(), EditSpy::messages.end(), message) > 0;
        };
        EXPECT_EQ(sent(WM_GETTEXT), c.read);
        EXPECT_EQ(sent(WM_SETTEXT), c.set);
        EditSpy::lengthUnknown = false;
        EXPECT_EQ(WinUiDriver::Text(dialog, 1101), c.text);
    }
    SetItemTextIfChanged(dialog, 999, u"no such item"); // nothing to do, nothing breaks
    DestroyWindow(dialog);
}

} // namespace
