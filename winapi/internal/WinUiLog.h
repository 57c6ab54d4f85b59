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
#include "winapi/host/WinRecords.h"

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
