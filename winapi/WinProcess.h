#pragma once
// Starting programs: WinExec starts nothing on this platform; it records the
// command line and the arguments Windows would hand the program (split at
// blanks outside double quotes, with the backslash rules of the C runtime:
// 2n backslashes before a quote give n and the quote groups, 2n + 1 give n
// and a literal quote), so that tests see exactly what would have run
// (winapi/host/WinRecords.h).
#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

// Answers 33 (started) for any non-empty command line, 0 otherwise.
QV_WINAPI_API UINT WinExec(LPCSTR commandLine, UINT show);
