#pragma once
// USER stand-in: the interface is headless, so message boxes are recorded
// (and echoed to standard error) instead of shown.
#include <string>
#include <vector>

#include "winapi/WinTypes.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Platform-layer inspection, not Windows calls.
struct RecordedMessageBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
std::vector<RecordedMessageBox> RecordedMessageBoxes();
void ClearRecordedMessageBoxes();
