#pragma once
// What the headless platform records instead of showing or starting it,
// for tests to read: message boxes (MessageBoxW's with the answer each gave,
// read through the test driver, winapi/host/WinUiDriver.h; MessageBoxA's,
// which are also echoed to standard error), WinHelpA calls with the help
// table they were given, and the programs WinExec would have started. All
// but MessageBoxA's are emptied when the host store is reset.
#include <string>
#include <utility>
#include <vector>

#include "winapi/WinApi.h"
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

// MessageBoxA's boxes, until cleared.
struct RecordedMessageBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
QV_WINAPI_API std::vector<RecordedMessageBox> RecordedMessageBoxes();
QV_WINAPI_API void ClearRecordedMessageBoxes();

// WinExec's command lines with the arguments Windows would hand the program.
struct WinRecordedProgram {
    std::string commandLine;
    std::vector<std::string> arguments;
    UINT show = 0;
};
QV_WINAPI_API std::vector<WinRecordedProgram> RecordedPrograms();
// The split WinExec records (see winapi/WinProcess.h).
QV_WINAPI_API std::vector<std::string> WinSplitCommandLine(const std::string& commandLine);
