#include <gtest/gtest.h>

#include <filesystem>

#include "PngReader.h"
#include "WinTestSupport.h"
#include "WinUiTestSupport.h"
#include "winapi/WinCommonUI.h"
#include "winapi/host/WinUiDriver.h"
#include "winapi/host/WinUiScriptParser.h"

namespace {
// A one-page sheet whose check box 201 opens dialog 300 and asks a question.
struct Seen {
    INT_PTR dialogResult = 0;
    int answer = 0;
    std::u16string typed;
    bool applied = false;
};

Seen& Outcome() {
    static Seen seen;
    return seen;
}

INT_PTR CALLBACK SmallProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(static_cast<DWORD>(wParam)) == IDOK) {
        Outcome().typed = WinUiDriver::Text(dialog, 301);
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && wParam == MAKEWPARAM(201, BN_CLICKED)) {
        const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
        Outcome().dialogResult = DialogBoxParamW(instance, MAKEINTRESOURCEW(300), page, SmallProc, 0);
        Outcome().answer = MessageBoxW(page, u"Keep it?", u"Question", MB_YESNO);
    }
    if (message == WM_NOTIFY && static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code) == -202)
        Outcome().applied = true;
    return message == WM_INITDIALOG;
}

HINSTANCE g_module = nullptr;

LONG Sheet(PROPSHEETUI_INFO* info, LPARAM) {
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
        PROPSHEETPAGEW page{};
        page.dwSize = sizeof page;
        page.hInstance = g_module;
        page.pszTemplate = MAKEINTRESOURCEW(200);
        page.pfnDlgProc = PageProc;
        info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                              reinterpret_cast<LPARAM>(&page), 0);
    }
    return 1;
}

class WinUiScriptParserTest : public WinUiTest {
protected:
    void SetUp() override {
        WinUiTest::SetUp();
        Outcome() = Seen();
        g_module = Module();
    }
    void TearDown() override {
        WinUiDriver::SetSheetPictureFolder("");
        WinUiTest::TearDown();
    }
};
} // namespace

TEST_F(WinUiScriptParserTest, AWrittenScriptDrivesASheetItsDialogsAndMessageBoxesAndPicturesThePages) {
    const std::string text = R"(# a user's session
messagebox no
dialog 300 {
  type 301 "8.5 \"wide\""
  enter
}
click 201     # opens dialog 300, then asks
type 202 "hello"
ok
)";
    WinUiScriptFile script;
    std::string error;
    ASSERT_TRUE(WinUiScriptParser::Parse(text, script, error)) << error;
    EXPECT_EQ(script.main.size(), 3u);
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].first, 300);
    EXPECT_EQ(script.messageBoxAnswers, std::vector<int>{IDNO});
    script.QueueForSheet();
    TempHostFolder folder;
    WinUiDriver::SetSheetPictureFolder(folder.Path());
    DWORD result = 0;
    EXPECT_EQ(CommonPropertySheetUIW(nullptr, Sheet, 0, &result), CPSUI_OK);
    EXPECT_EQ(Outcome().dialogResult, IDOK);
    EXPECT_EQ(Outcome().typed, u"8.5 \"wide\"");
    EXPECT_EQ(Outcome().answer, IDNO);
    EXPECT_TRUE(Outcome().applied);
    EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
    PngImage picture;
    ASSERT_TRUE(ReadPng(folder / "page-1.png", picture));
    EXPECT_EQ(picture.width, 300u); // the page template is 200 x 120 dialog units
    EXPECT_EQ(picture.height, 195u);
    EXPECT_FALSE(std::filesystem::exists(folder / "page-2.png"));
}

TEST_F(WinUiScriptParserTest, MistakesAreReportedWithTheirLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"click", "line 1: expected: click ID"},
        {"\nselect 5", "line 2: expected: select ID ..."},
        {"select 5 fourth", "line 1: select takes an index or a quoted text"},
        {"type 5 hello", "line 1: expected: type ID \"text\""},
        {"scroll 6023 sideways", "line 1: unknown scroll code sideways"},
        {"key 5002 sideways", "line 1: unknown key sideways"},
        {"dialog 8000", "line 1: expected: dialog TEMPLATE {"},
        {"dialog 8000 {\ndialog 9000 {", "line 2: dialog blocks do not nest"},
        {"}", "line 1: \"}\" without \"dialog\""},
        {"dialog 8000 {\nclick 1", "line 2: a dialog block is not closed"},
        {"type 5 \"open", "line 1: unterminated text"},
        {"messagebox maybe", "line 1: unknown answer maybe"},
        {"fly 5", "line 1: unknown action fly"},
        {"ok 5", "line 1: unknown action ok"},
    };
    for (const auto& c : cases) {
        WinUiScriptFile script;
        std::string error;
        EXPECT_FALSE(WinUiScriptParser::Parse(c.text, script, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
    WinUiScriptFile script;
    std::string error;
    EXPECT_FALSE(WinUiScriptParser::ParseFile("/nonexistent/script.txt", script, error));
    EXPECT_NE(error.find("cannot be read"), std::string::npos);
}
