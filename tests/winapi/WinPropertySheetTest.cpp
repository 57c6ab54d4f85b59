#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "WinUiTestSupport.h"
#include "winapi/WinCommonUI.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {
// What the sheet function, the pages and their call-backs saw, in order.
struct SheetLog {
    std::vector<std::string> events;
    std::map<HWND, int> pages;             // page window -> page number
    std::map<int, HPROPSHEETPAGE> handles; // page number -> handle
    HINSTANCE module = nullptr;
    int pageCount = 2;
    LONG initAnswer = 1;
    WORD headerFlags = 0x6;
    bool reportResultOnApply = false; // as a driver's dialog hook does
    int refuseKillActive = 0;         // page number that keeps the focus
    int invalidOnApply = 0;           // page number that refuses the apply
    ULONG_PTR resultSeen = 0;
};

SheetLog& Log() {
    static SheetLog log;
    return log;
}

void Event(std::string event) {
    Log().events.push_back(std::move(event));
}

std::string Reason(WORD reason) {
    switch (reason) {
    case PROPSHEETUI_REASON_BEFORE_INIT:
        return "BEFORE_INIT";
    case PROPSHEETUI_REASON_INIT:
        return "INIT";
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
        return "GET_INFO_HEADER";
    case PROPSHEETUI_REASON_SET_RESULT:
        return "SET_RESULT";
    case PROPSHEETUI_REASON_DESTROY:
        return "DESTROY";
    default:
        return "?";
    }
}

PROPSHEETUI_INFO* g_info = nullptr;

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        Log().pages[page] = static_cast<int>(description->lParam);
    }
    const auto found = Log().pages.find(page);
    if (found == Log().pages.end()) return FALSE;
    const std::string name = "page" + std::to_string(found->second);
    switch (message) {
    case WM_INITDIALOG:
        Event(name + " INITDIALOG");
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(static_cast<DWORD>(wParam)) == BN_CLICKED)
            Event(name + " CLICKED " + std::to_string(LOWORD(static_cast<DWORD>(wParam))));
        return FALSE;
    case WM_DESTROY:
        Event(name + " DESTROY");
        return FALSE;
    case WM_NOTIFY: {
        const auto* notify = reinterpret_cast<const PSHNOTIFY*>(lParam);
        const int code = static_cast<int>(notify->hdr.code);
        LONG_PTR answer = 0;
        if (code == -200) Event(name + " SETACTIVE");
        if (code == -201) {
            Event(name + " KILLACTIVE");
            answer = Log().refuseKillActive == found->second ? TRUE : FALSE;
        }
        if (code == -202) {
            Event(name + " APPLY " + std::to_string(notify->lParam));
            if (Log().invalidOnApply == found->second) answer = PSNRET_INVALID_NOCHANGEPAGE;
            if (Log().reportResultOnApply && found->second == 1 && notify->lParam == TRUE) {
                EXPECT_EQ(g_info->pfnComPropSheet(g_info->hComPropSheet, CPSFUNC_SET_RESULT,
                                                  reinterpret_cast<LPARAM>(Log().handles[1]), CPSUI_OK),
                          1);
            }
        }
        if (code == -203) Event(name + " RESET");
        if (code == -205) Event(name + " HELP");
        SetWindowLongPtrW(page, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

UINT CALLBACK PageCallback(HWND, UINT message, PROPSHEETPAGEW* page) {
    Event((message == PSPCB_CREATE ? "CREATE page" : "RELEASE page") + std::to_string(page->lParam));
    return 1;
}

LONG SheetFunction(PROPSHEETUI_INFO* info, LPARAM lParam) {
    g_info = info;
    std::string event = "sheet " + Reason(info->Reason);
    if (info->Reason == PROPSHEETUI_REASON_SET_RESULT) {
        const auto* result = reinterpret_cast<const SETRESULT_INFO*>(lParam);
        event += " " + std::to_string(result->Result);
        info->Result = static_cast<ULONG_PTR>(result->Result) + 40;
    }
    if (info->Reason == PROPSHEETUI_REASON_DESTROY) event += " " + std::to_string(lParam);
    Event(event);
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
        EXPECT_EQ(info->cbSize, sizeof(PROPSHEETUI_INFO));
        EXPECT_EQ(info->lParamInit, 0x55);
        for (int number = 1; number <= Log().pageCount; ++number) {
            PROPSHEETPAGEW page{};
            page.dwSize = sizeof page;
            page.dwFlags = PSP_USECALLBACK | (number == 1 ? PSP_HASHELP : 0);
            page.hInstance = Log().module;
            page.pszTemplate = MAKEINTRESOURCEW(number == 1 ? 200 : 210);
            page.pfnDlgProc = PageProc;
            page.lParam = number;
            page.pfnCallback = PageCallback;
            Log().handles[number] = reinterpret_cast<HPROPSHEETPAGE>(info->pfnComPropSheet(
                info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&page), 0));
            EXPECT_NE(Log().handles[number], nullptr);
        }
        return Log().initAnswer;
    }
    if (info->Reason == PROPSHEETUI_REASON_GET_INFO_HEADER) {
        auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
        EXPECT_EQ(header->Flags, PSUIHDRF_PROPTITLE); // set before the call
        header->Flags = Log().headerFlags;
        header->pTitle = const_cast<LPWSTR>(u"Printer");
        header->IconID = IDI_CPSUI_PRINTER;
    }
    return 1;
}

class WinPropertySheetTest : public WinUiTest {
protected:
    void SetUp() override {
        WinUiTest::SetUp();
        Log() = SheetLog();
        Log().module = Module();
    }
    LONG Run(DWORD& result) { return CommonPropertySheetUIW(nullptr, SheetFunction, 0x55, &result); }
    static size_t Position(const std::string& event) {
        const auto& events = Log().events;
        return static_cast<size_t>(std::find(events.begin(), events.end(), event) - events.begin());
    }
};
} // namespace

TEST_F(WinPropertySheetTest, OkRunsTheReasonsAndPageNotificationsInOrderAndCreatesPagesWhenShown) {
    std::u16string title;
    WinUiDriver::QueueSheetScript({WinUiActions::Click(201),
                                   WinUiActions::Do("title",
                                                    [&title](HWND page) {
                                                        title = WinUiDriver::WindowText(GetParent(page));
                                                        return true;
                                                    }),
                                   WinUiActions::ShowPage(1), WinUiActions::SheetOk()});
    DWORD result = 0;
    EXPECT_EQ(Run(result), CPSUI_OK);
    const std::vector<std::string> expected = {
        "sheet BEFORE_INIT", "sheet INIT",       "sheet GET_INFO_HEADER", "CREATE page1",
        "page1 INITDIALOG",  "page1 SETACTIVE",  "page1 CLICKED 201",     "page1 KILLACTIVE",
        "CREATE page2",      "page2 INITDIALOG", "page2 SETACTIVE",       "page2 KILLACTIVE",
        "page1 APPLY 1",     "page2 APPLY 1",    "sheet SET_RESULT 1",    "page1 DESTROY",
        "page2 DESTROY",     "RELEASE page1",    "RELEASE page2",         "sheet DESTROY 1"};
    EXPECT_EQ(Log().events, expected);
    EXPECT_EQ(title, u"Printer Properties");
    EXPECT_EQ(result, 41u); // the Result the function left at SET_RESULT
    EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
}

TEST_F(WinPropertySheetTest, CancelResetsOnlyTheCreatedPagesAndReportsTheCancelResult) {
    Log().headerFlags = PSUIHDRF_PROPTITLE | PSUIHDRF_DEFTITLE | PSUIHDRF_NOAPPLYNOW;
    std::u16string title;
    bool applyShown = true;
    WinUiDriver::QueueSheetScript({WinUiActions::Do("look",
                                                    [&](HWND page) {
                                                        title = WinUiDriver::WindowText(GetParent(page));
                                                        applyShown = GetDlgItem(GetParent(page),
                                                                                ID_APPLY_NOW) != nullptr;
                                                        return true;
                                                    }),
                                   WinUiActions::SheetCancel()});
    DWORD result = 0;
    EXPECT_EQ(Run(result), CPSUI_CANCEL);
    const std::vector<std::string> expected = {
        "sheet BEFORE_INIT", "sheet INIT",      "sheet GET_INFO_HEADER", "CREATE page1",
        "page1 INITDIALOG",  "page1 SETACTIVE", "page1 RESET",           "sheet SET_RESULT 0",
        "page1 DESTROY",     "RELEASE page1",   "RELEASE page2",         "sheet DESTROY 1"};
    EXPECT_EQ(Log().events, expected);
    EXPECT_EQ(title, u"Printer Default Properties");
    EXPECT_FALSE(applyShown);
    EXPECT_EQ(result, 40u);
}

TEST_F(WinPropertySheetTest, AnEmptyScriptCancelsAndTheStartPageIsShownFirst) {
    // The function makes page 2 the start page after adding both.
    WinUiDriver::QueueSheetScript({});
    Log().pageCount = 2;
    static bool setStart = false;
    setStart = false;
    DWORD result = 0;
    const auto function = [](PROPSHEETUI_INFO* info, LPARAM lParam) -> LONG {
        const LONG answer = SheetFunction(info, lParam);
        if (info->Reason == PROPSHEETUI_REASON_INIT)
            setStart = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_SET_HSTARTPAGE,
                                             reinterpret_cast<LPARAM>(Log().handles[2]), 0) == 1;
        return answer;
    };
    EXPECT_EQ(CommonPropertySheetUIW(nullptr, function, 0x55, &result), CPSUI_CANCEL);
    EXPECT_TRUE(setStart);
    EXPECT_LT(Position("page2 INITDIALOG"), Log().events.size());
    EXPECT_EQ(Position("page1 INITDIALOG"), Log().events.size()); // never shown, never created
    EXPECT_LT(Position("page2 RESET"), Position("sheet SET_RESULT 0"));
}

TEST_F(WinPropertySheetTest, APageReportingItsResultThroughTheSheetIsNotToldTwice) {
    Log().reportResultOnApply = true;
    Log().headerFlags = PSUIHDRF_PROPTITLE; // with an Apply button
    LONG_PTR badHandle = 0, unknownFunction = 7, badStart = 7;
    WinUiDriver::QueueSheetScript({WinUiActions::Do("ask",
                                                    [&](HWND) {
                                                        const auto com = g_info->pfnComPropSheet;
                                                        const HANDLE sheet = g_info->hComPropSheet;
                                                        badHandle = com(sheet, CPSFUNC_SET_RESULT, 0x1234, 1);
                                                        unknownFunction = com(sheet, 99, 0, 0);
                                                        badStart =
                                                            com(sheet, CPSFUNC_SET_HSTARTPAGE, 0x1234, 0);
                                                        return true;
                                                    }),
                                   WinUiActions::SheetApply(), WinUiActions::SheetOk()});
    DWORD result = 0;
    EXPECT_EQ(Run(result), CPSUI_OK);
    EXPECT_EQ(badHandle, -1);
    EXPECT_EQ(unknownFunction, 0);
    EXPECT_EQ(badStart, 0);
    const std::vector<std::string> tail = {"page1 KILLACTIVE", "page1 APPLY 0",      "page1 KILLACTIVE",
                                           "page1 APPLY 1",    "sheet SET_RESULT 1", "page1 DESTROY"};
    const auto& events = Log().events;
    ASSERT_GE(events.size(), tail.size() + 2);
    EXPECT_EQ(std::vector<std::string>(events.end() - static_cast<long>(tail.size()) - 3, events.end() - 3),
              tail);
    EXPECT_EQ(result, 41u);
    EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
}

TEST_F(WinPropertySheetTest, APageThatKeepsTheFocusOrRefusesTheApplyKeepsTheSheetOpen) {
    Log().refuseKillActive = 1;
    WinUiDriver::QueueSheetScript({WinUiActions::ShowPage(1), WinUiActions::SheetOk()});
    DWORD result = 0;
    EXPECT_EQ(Run(result), CPSUI_CANCEL);
    EXPECT_EQ(Position("CREATE page2"), Log().events.size());
    EXPECT_EQ(Position("page1 APPLY 1"), Log().events.size());
    EXPECT_LT(Position("page1 RESET"), Log().events.size());
    const auto failures = WinUiDriver::ScriptFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("page 1"), std::string::npos);

    SetUp();
    Log().invalidOnApply = 2;
    WinUiDriver::QueueSheetScript(
        {WinUiActions::ShowPage(1), WinUiActions::SheetOk(), WinUiActions::SheetCancel()});
    EXPECT_EQ(Run(result), CPSUI_CANCEL);
    EXPECT_LT(Position("page2 APPLY 1"), Position("page1 RESET"));
    EXPECT_EQ(Position("sheet SET_RESULT 1"), Log().events.size());
    EXPECT_LT(Position("sheet SET_RESULT 0"), Log().events.size());
}

TEST_F(WinPropertySheetTest, HelpGoesToTheShownPageWhenItHasHelp) {
    WinUiDriver::QueueSheetScript(
        {WinUiActions::SheetHelp(), WinUiActions::ShowPage(1), WinUiActions::SheetHelp()});
    DWORD result = 0;
    Run(result);
    EXPECT_LT(Position("page1 HELP"), Log().events.size());
    EXPECT_EQ(Position("page2 HELP"), Log().events.size());
    EXPECT_EQ(WinUiDriver::ScriptFailures().size(), 1u); // page 2 has no help: its button is disabled
}

TEST_F(WinPropertySheetTest, AFailedInitOrASheetWithoutPagesFails) {
    Log().initAnswer = 0;
    DWORD result = 99;
    EXPECT_EQ(Run(result), ERR_CPSUI_GETLASTERROR);
    EXPECT_EQ(Log().events, (std::vector<std::string>{"sheet BEFORE_INIT", "sheet INIT", "sheet DESTROY 0"}));
    EXPECT_EQ(result, 99u);
    Log() = SheetLog();
    Log().module = Module();
    Log().pageCount = 0;
    EXPECT_EQ(Run(result), ERR_CPSUI_GETLASTERROR);
    EXPECT_EQ(Log().events.back(), "sheet DESTROY 0");
    EXPECT_EQ(CommonPropertySheetUIW(nullptr, nullptr, 0, &result), ERR_CPSUI_GETLASTERROR);
}
