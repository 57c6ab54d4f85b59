#pragma once
// What the headless interface records for tests to read: every message box
// (with the answer it gave), every WinHelpA call (with a copy of the help
// table it was given), and every script action that could not be played.
// Emptied when the host store is reset.
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "winapi/WinTypes.h"

struct WinRecordedMessageBox {
    HWND owner = nullptr;
    std::u16string text;
    std::u16string caption;
    UINT type = 0;
    int answer = 0;
};

struct WinRecordedHelp {
    HWND window = nullptr;
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
    // HELP_WM_HELP and HELP_CONTEXTMENU: the {control id, help id} pairs
    // before the terminating {0, 0}.
    std::vector<std::pair<DWORD, DWORD>> table;
};

class WinUiLog {
public:
    static WinUiLog& Instance();

    void AddMessageBox(WinRecordedMessageBox box);
    std::vector<WinRecordedMessageBox> MessageBoxes();
    void AddHelp(WinRecordedHelp help);
    std::vector<WinRecordedHelp> HelpCalls();
    void AddFailure(std::string failure);
    std::vector<std::string> Failures();
    void Clear();

private:
    WinUiLog() = default;
    void CheckGeneration();

    std::mutex mutex_;
    uint64_t generation_ = 0;
    std::vector<WinRecordedMessageBox> boxes_;
    std::vector<WinRecordedHelp> help_;
    std::vector<std::string> failures_;
};
