#pragma once
// Starting programs: WinExec starts nothing on this platform; it records the
// command line and the arguments Windows would hand the program (split at
// blanks outside double quotes, with the backslash rules of the C runtime:
// 2n backslashes before a quote give n and the quote groups, 2n + 1 give n
// and a literal quote), so that tests see exactly what would have run.
#include <string>
#include <vector>

#include "winapi/WinTypes.h"

struct WinRecordedProgram {
    std::string commandLine;
    std::vector<std::string> arguments;
    UINT show = 0;
};

// Answers 33 (started) for any non-empty command line, 0 otherwise.
UINT WinExec(LPCSTR commandLine, UINT show);

// Platform layer, not a Windows call.
std::vector<WinRecordedProgram> RecordedPrograms();
std::vector<std::string> WinSplitCommandLine(const std::string& commandLine);
