#include <gtest/gtest.h>

#include <string>

#include "WinUiTestSupport.h"
#include "winapi/WinControls.h"
#include "winapi/WinError.h"
#include "winapi/WinText.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {
class WinDialogsTest : public WinUiTest {};
} // namespace

TEST_F(WinDialogsTest, ClicksAndSelectionsReachTheDialogProcedureAsCommandsFromTheirControls) {
    const HWND dialog = Open(100);
    ASSERT_NE(dialog, nullptr);
    // WM_INITDIALOG carries the creation parameter and names the first tab stop.
    ASSERT_EQ(MessageLog::Count(WM_INITDIALOG), 1u);
    for (const RecordedMessage& m : MessageLog::Messages())
        if (m.message == WM_INITDIALOG) {
            EXPECT_EQ(m.lParam, 0x1234);
            EXPECT_EQ(reinterpret_cast<HWND>(m.wParam), GetDlgItem(dialog, 101));
        }
    const HWND check = GetDlgItem(dialog, 101), combo = GetDlgItem(dialog, 102);
    for (const char16_t* item : {u"Letter", u"Legal", u"A4"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    MessageLog::Messages().clear();

    ASSERT_TRUE(WinUiDriver::Click(dialog, 101));
    ASSERT_TRUE(WinUiDriver::SelectText(dialog, 102, u"A4"));

    std::vector<MessageLog::Command> wanted;
    for (const auto& command : MessageLog::Commands())
        if (command.code == BN_CLICKED || (command.id == 102 && command.code == CBN_SELCHANGE))
            wanted.push_back(command);
    ASSERT_EQ(wanted.size(), 2u);
    EXPECT_EQ(wanted[0].id, 101);
    EXPECT_EQ(wanted[0].code, BN_CLICKED);
    EXPECT_EQ(wanted[0].control, check);
    EXPECT_EQ(wanted[1].id, 102);
    EXPECT_EQ(wanted[1].code, CBN_SELCHANGE);
    EXPECT_EQ(wanted[1].control, combo);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 101), BST_CHECKED);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(WinUiDriver::Text(dialog, 102), u"A4");
    DestroyWindow(dialog);
}

TEST_F(WinDialogsTest, AModalDialogWithoutAScriptEndsWithCancelAtOnce) {
    const INT_PTR result =
        DialogBoxParamW(Module(), MAKEINTRESOURCEW(300), nullptr, MessageLog::RecordingProc, 0);
    EXPECT_EQ(result, IDCANCEL);
    // The user pressed Escape: the procedure saw IDCANCEL (after the edit
    // that took the focus said so), then the dialog went.
    const auto commands = MessageLog::Commands();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].id, 301);
    EXPECT_EQ(commands[0].code, EN_SETFOCUS);
    EXPECT_EQ(commands[1].id, IDCANCEL);
    EXPECT_EQ(MessageLog::Count(WM_DESTROY), 1u);
    EXPECT_EQ(WinUiDriver::ActiveDialog(), nullptr);
}

TEST_F(WinDialogsTest, AModalDialogPlaysItsScriptAndReturnsTheEndDialogResult) {
    // The procedure ends the dialog on OK with the edit's length.
    MessageLog::Answer() = [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(static_cast<DWORD>(wParam)) == IDOK)
            EndDialog(dialog, 100 + GetWindowTextLengthW(GetDlgItem(dialog, 301)));
        return message == WM_INITDIALOG;
    };
    HWND seen = nullptr;
    WinUiDriver::QueueDialogScript(300, {WinUiActions::Type(301, u"hello"),
                                         WinUiActions::Do("look",
                                                          [&seen](HWND target) {
                                                              seen = WinUiDriver::ActiveDialog();
                                                              return target == seen;
                                                          }),
                                         WinUiActions::Click(IDOK), WinUiActions::Click(301)});
    const INT_PTR result =
        DialogBoxParamW(Module(), MAKEINTRESOURCEW(300), nullptr, MessageLog::RecordingProc, 0);
    EXPECT_EQ(result, 105);
    EXPECT_NE(seen, nullptr);
    EXPECT_FALSE(IsWindow(seen));
    // The last action came after EndDialog: it is not played.
    EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
}

TEST_F(WinDialogsTest, ScriptsAreTakenPerTemplateInOrderAndNestedRunsDisableTheirOwner) {
    // Dialog 100's OK opens dialog 300 modally, owned by 100.
    INT_PTR inner = 0;
    bool ownerDisabledInside = false;
    MessageLog::Answer() = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(static_cast<DWORD>(wParam)) == IDOK && GetDlgItem(dialog, 101)) {
            inner = DialogBoxParamW(Module(), MAKEINTRESOURCEW(300), dialog, MessageLog::RecordingProc, 0);
            EndDialog(dialog, 7);
        }
        if (message == WM_INITDIALOG && GetDlgItem(dialog, 301))
            ownerDisabledInside = !IsWindowEnabled(GetParent(dialog));
        return message == WM_INITDIALOG;
    };
    WinUiDriver::QueueDialogScript(300, {WinUiActions::End(42)});
    WinUiDriver::QueueDialogScript(300, {WinUiActions::End(43)});
    WinUiDriver::QueueDialogScript(100, {WinUiActions::Enter()});
    const INT_PTR outer =
        DialogBoxParamW(Module(), MAKEINTRESOURCEW(100), nullptr, MessageLog::RecordingProc, 0);
    EXPECT_EQ(outer, 7);
    EXPECT_EQ(inner, 42);
    EXPECT_TRUE(ownerDisabledInside);
    // The second script for 300 is still queued for the next run.
    EXPECT_EQ(DialogBoxParamW(Module(), MAKEINTRESOURCEW(300), nullptr, MessageLog::RecordingProc, 0), 43);
}

TEST_F(WinDialogsTest, ActionsAUserCouldNotDoAreRefusedAndLogged) {
    const HWND dialog = Open(100);
    EXPECT_FALSE(WinUiDriver::Click(dialog, 114));     // disabled
    EXPECT_FALSE(WinUiDriver::Click(dialog, 115));     // hidden
    EXPECT_FALSE(WinUiDriver::Click(dialog, 999));     // missing
    EXPECT_FALSE(WinUiDriver::Select(dialog, 102, 0)); // empty list
    EXPECT_EQ(MessageLog::Commands().size(), 0u);
    DestroyWindow(dialog);

    WinUiDriver::QueueDialogScript(300, {WinUiActions::Click(999), WinUiActions::End(IDOK)});
    EXPECT_EQ(DialogBoxParamW(Module(), MAKEINTRESOURCEW(300), nullptr, MessageLog::RecordingProc, 0), IDOK);
    const auto failures = WinUiDriver::ScriptFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("click 999"), std::string::npos);
}

TEST_F(WinDialogsTest, MissingOrDamagedTemplatesAndUnknownClassesFail) {
    EXPECT_EQ(DialogBoxParamW(Module(), MAKEINTRESOURCEW(999), nullptr, MessageLog::RecordingProc, 0), -1);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(DialogBoxParamW(Module(), MAKEINTRESOURCEW(700), nullptr, MessageLog::RecordingProc, 0), -1);
    EXPECT_EQ(Open(400), nullptr);
    EXPECT_EQ(MessageLog::Count(WM_INITDIALOG), 0u);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(100), nullptr, MessageLog::RecordingProc, 0), -1);
}

TEST_F(WinDialogsTest, TheDialogProcedureAnswersThroughTheMessageResultSlot) {
    const HWND dialog = Open(100);
    MessageLog::Answer() = [](HWND window, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_SETCURSOR || message == WM_NOTIFY) {
            SetWindowLongPtrW(window, DWLP_MSGRESULT, 77);
            return TRUE;
        }
        if (message == WM_VKEYTOITEM) return -2; // answered directly
        return FALSE;
    };
    EXPECT_EQ(SendMessageW(dialog, WM_SETCURSOR, 0, 0), 77);
    EXPECT_EQ(SendMessageW(dialog, WM_VKEYTOITEM, 0, 0), -2);
    // Unhandled: the default processing answers.
    EXPECT_EQ(SendMessageW(dialog, WM_HELP, 0, 0), 0);
    // The user slot is pointer-sized.
    const auto pointer = reinterpret_cast<LONG_PTR>(&dialog);
    SetWindowLongPtrW(dialog, DWLP_USER, pointer);
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), pointer);
    DestroyWindow(dialog);
}

TEST_F(WinDialogsTest, DialogWindowsHaveTheDialogClassExtraBytes) {
    // The dialog class reserves 30 extra bytes on Windows, more than its
    // three slots take on either word size.
    constexpr int kDialogExtraBytes = 30;
    EXPECT_EQ(DLGWINDOWEXTRA, kDialogExtraBytes);
    const HWND fromTemplate = Open(100);
    const HWND plain =
        CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const struct {
        int offset;
        bool pointerSized;
        bool fits;
    } cases[] = {
        {kDialogExtraBytes - 4, false, true},
        {kDialogExtraBytes - 3, false, false},
        {kDialogExtraBytes - static_cast<int>(sizeof(LONG_PTR)), true, true},
        {kDialogExtraBytes - static_cast<int>(sizeof(LONG_PTR)) + 1, true, false},
    };
    for (const HWND dialog : {fromTemplate, plain}) {
        ASSERT_NE(dialog, nullptr);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.offset) + (c.pointerSized ? " pointer" : " long"));
            SetLastError(0);
            if (c.pointerSized)
                SetWindowLongPtrW(dialog, c.offset, 5);
            else
                SetWindowLongW(dialog, c.offset, 5);
            EXPECT_EQ(GetLastError(), c.fits ? 0u : static_cast<DWORD>(ERROR_INVALID_INDEX));
            const LONG_PTR read =
                c.pointerSized ? GetWindowLongPtrW(dialog, c.offset) : GetWindowLongW(dialog, c.offset);
            EXPECT_EQ(read, c.fits ? 5 : 0);
        }
        DestroyWindow(dialog);
    }
}

TEST_F(WinDialogsTest, DefaultButtonEnterAndEscape) {
    const HWND dialog = Open(100);
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    SendMessageW(dialog, DM_SETDEFID, IDHELP, 0);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, IDHELP), GWL_STYLE) & BS_TYPEMASK,
              static_cast<LONG>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK,
              static_cast<LONG>(BS_PUSHBUTTON));
    MessageLog::Messages().clear();
    ASSERT_TRUE(WinUiDriver::PressEnter(dialog));
    ASSERT_TRUE(WinUiDriver::PressEscape(dialog));
    const auto commands = MessageLog::Commands();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].id, IDHELP);
    EXPECT_EQ(commands[0].control, GetDlgItem(dialog, IDHELP));
    EXPECT_EQ(commands[1].id, IDCANCEL);
    DestroyWindow(dialog);
}

TEST_F(WinDialogsTest, DialogUnitsMapWithFixedBaseUnits) {
    const HWND dialog = Open(100);
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 13));
    RECT rect{4, 8, 10, 16};
    ASSERT_TRUE(MapDialogRect(dialog, &rect));
    // x: units x 6 / 4, y: units x 13 / 8, rounded.
    EXPECT_EQ(rect.left, 6);
    EXPECT_EQ(rect.top, 13);
    EXPECT_EQ(rect.right, 15);
    EXPECT_EQ(rect.bottom, 26);
    // The check box at (10, 14) size (100, 10) in dialog units.
    const RECT box = WinUiDriver::Rect(dialog, 101);
    EXPECT_EQ(box.left, 15);
    EXPECT_EQ(box.top, 23);
    EXPECT_EQ(box.right - box.left, 150);
    EXPECT_EQ(box.bottom - box.top, 16);
    DestroyWindow(dialog);
}

TEST_F(WinDialogsTest, DialogItemIntegers) {
    const HWND dialog = Open(300);
    const struct {
        const char16_t* text;
        BOOL isSigned;
        UINT value;
        BOOL translated;
    } cases[] = {
        {u"42", FALSE, 42, TRUE},
        {u"  42  ", FALSE, 42, TRUE},
        {u"-5", TRUE, static_cast<UINT>(-5), TRUE},
        {u"-5", FALSE, 0, FALSE},
        {u"4x2", FALSE, 0, FALSE},
        {u"", FALSE, 0, FALSE},
        {u"4294967295", FALSE, 0xFFFFFFFF, TRUE},
        {u"4294967296", FALSE, 0, FALSE},
        {u"2147483648", TRUE, 0, FALSE},
    };
    for (const auto& c : cases) {
        SetDlgItemTextW(dialog, 301, c.text);
        BOOL translated = 2;
        EXPECT_EQ(GetDlgItemInt(dialog, 301, &translated, c.isSigned), c.value) << WinText::ToUtf8(c.text);
        EXPECT_EQ(translated, c.translated) << WinText::ToUtf8(c.text);
    }
    SetDlgItemInt(dialog, 301, static_cast<UINT>(-12), TRUE);
    EXPECT_EQ(WinUiDriver::Text(dialog, 301), u"-12");
    SetDlgItemInt(dialog, 301, static_cast<UINT>(-12), FALSE);
    EXPECT_EQ(WinUiDriver::Text(dialog, 301), u"4294967284");
    DestroyWindow(dialog);
}
