// WinHelpA and MessageBoxW of the headless interface: recorded, and message
// boxes answered from the test driver's queue.
#include "winapi/WinHelp.h"
#include "winapi/WinMessageBox.h"
#include "winapi/internal/WinTextRules.h"
#include "winapi/internal/WinUiLog.h"
#include "winapi/internal/WinUiScriptQueue.h"

namespace {
// A help table longer than this is taken as missing its terminating pair.
constexpr size_t kMaxHelpPairs = 4096;

int DefaultAnswer(UINT type) {
    const UINT buttons = type & MB_TYPEMASK;
    const UINT button = (type & MB_DEFMASK) >> 8; // 0, 1 or 2
    static const int kAnswers[][3] = {
        {IDOK, IDOK, IDOK},           // MB_OK
        {IDOK, IDCANCEL, IDOK},       // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE}, // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},      // MB_YESNOCANCEL
        {IDYES, IDNO, IDYES},         // MB_YESNO
        {IDRETRY, IDCANCEL, IDRETRY}, // MB_RETRYCANCEL
    };
    if (buttons > 5 || button > 2) return IDOK;
    return kAnswers[buttons][button];
}
} // namespace

BOOL WinHelpA(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data) {
    WinRecordedHelp help;
    help.window = window;
    help.file = helpFile != nullptr ? helpFile : "";
    help.command = command;
    help.data = data;
    if ((command == HELP_WM_HELP || command == HELP_CONTEXTMENU) && data != 0) {
        const auto* pairs = reinterpret_cast<const DWORD*>(data);
        for (size_t i = 0; i < kMaxHelpPairs && (pairs[2 * i] != 0 || pairs[2 * i + 1] != 0); ++i)
            help.table.emplace_back(pairs[2 * i], pairs[2 * i + 1]);
    }
    WinUiLog::Instance().AddHelp(std::move(help));
    return TRUE;
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    WinRecordedMessageBox box;
    box.owner = owner;
    box.text = std::u16string(WinText::View(text));
    box.caption = caption != nullptr ? std::u16string(WinText::View(caption)) : u"Error";
    box.type = type;
    if (!WinUiScriptQueue::Instance().TakeMessageBoxAnswer(box.answer)) box.answer = DefaultAnswer(type);
    const int answer = box.answer;
    WinUiLog::Instance().AddMessageBox(std::move(box));
    return answer;
}
