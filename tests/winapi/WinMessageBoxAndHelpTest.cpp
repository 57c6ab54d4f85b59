#include <gtest/gtest.h>

#include <vector>

#include "winapi/WinHelp.h"
#include "winapi/WinMessageBox.h"
#include "winapi/WinProcess.h"
#include "winapi/host/WinRecords.h"
#include "winapi/host/WinUiDriver.h"

TEST(WinMessageBoxTest, QueuedAnswersComeFirstThenTheDefaultButton) {
    WinUiDriver::QueueMessageBoxAnswer(IDCANCEL);
    WinUiDriver::QueueMessageBoxAnswer(IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, u"first", u"Incompatible Options", MB_OKCANCEL | MB_ICONINFORMATION),
              IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, u"second", u"Q", MB_YESNO), IDNO);
    const struct {
        UINT type;
        int answer;
    } defaults[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
        {MB_OKCANCEL | MB_ICONINFORMATION | MB_RTLREADING | MB_RIGHT, IDOK},
    };
    for (const auto& d : defaults)
        EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", d.type), d.answer) << d.type;
    const HWND owner = reinterpret_cast<HWND>(uintptr_t{0x10});
    MessageBoxW(owner, u"text", nullptr, 0x180041);
    const auto boxes = WinUiDriver::MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u + std::size(defaults) + 1u);
    EXPECT_EQ(boxes[0].text, u"first");
    EXPECT_EQ(boxes[0].caption, u"Incompatible Options");
    EXPECT_EQ(boxes[0].type, 65u);
    EXPECT_EQ(boxes[0].answer, IDCANCEL);
    EXPECT_EQ(boxes.back().owner, owner);
    EXPECT_EQ(boxes.back().caption, u"Error");
    EXPECT_EQ(boxes.back().type, 0x180041u);
    WinUiDriver::ClearRecords();
    EXPECT_TRUE(WinUiDriver::MessageBoxes().empty());
}

TEST(WinHelpTest, CallsAreRecordedWithACopyOfTheHelpTable) {
    const HWND window = reinterpret_cast<HWND>(uintptr_t{0x20});
    EXPECT_TRUE(WinHelpA(window, "driver.hlp", HELP_CONTEXT, 300));
    std::vector<DWORD> table = {1021, 101, 1022, 0xFFFFFFFF, 0, 0, 77, 78};
    EXPECT_TRUE(WinHelpA(window, "driver.hlp", HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(table.data())));
    table[1] = 999; // the copy is not affected
    EXPECT_TRUE(WinHelpA(nullptr, nullptr, HELP_CONTEXTMENU, 0));
    const auto calls = WinUiDriver::HelpCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].command, HELP_CONTEXT);
    EXPECT_EQ(calls[0].data, 300u);
    EXPECT_EQ(calls[0].file, "driver.hlp");
    EXPECT_TRUE(calls[0].table.empty());
    EXPECT_EQ(calls[1].command, HELP_WM_HELP);
    EXPECT_EQ(calls[1].window, window);
    EXPECT_EQ(calls[1].table, (std::vector<std::pair<DWORD, DWORD>>{{1021, 101}, {1022, 0xFFFFFFFF}}));
    EXPECT_EQ(calls[2].file, "");
    EXPECT_TRUE(calls[2].table.empty());
}

TEST(WinProcessTest, ProgramsAreRecordedWithTheArgumentsTheyWouldGet) {
    const struct {
        const char* line;
        std::vector<std::string> arguments;
    } cases[] = {
        {"C:\\Drivers\\status.exe  /G /P \"My Printer\"",
         {"C:\\Drivers\\status.exe", "/G", "/P", "My Printer"}},
        // A quote inside a name cannot open a new argument: 1 backslash + quote is a literal quote.
        {"tool /P \"a\\\" /X b\"", {"tool", "/P", "a\" /X b"}},
        {"tool \"a\\\\\" b", {"tool", "a\\", "b"}},
        {"tool \"\" x", {"tool", "", "x"}},
        {"tool a\\b", {"tool", "a\\b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WinSplitCommandLine(c.line), c.arguments) << c.line;
    EXPECT_EQ(WinExec("tool /G", 0), 33u);
    EXPECT_EQ(WinExec("", 0), 0u);
    const auto programs = RecordedPrograms();
    ASSERT_EQ(programs.size(), 1u);
    EXPECT_EQ(programs[0].arguments, (std::vector<std::string>{"tool", "/G"}));
}
