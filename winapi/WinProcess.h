#pragma once
// Programs and the process. WinExec starts nothing on this platform; it
// records the command line and the arguments Windows would hand the program
// (split at blanks outside double quotes, with the backslash rules of the C
// runtime: 2n backslashes before a quote give n and the quote groups, 2n + 1
// give n and a literal quote), so that tests see exactly what would have run
// (winapi/host/WinRecords.h).
#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

// Answers 33 (started) for any non-empty command line, 0 otherwise.
QV_WINAPI_API UINT WinExec(LPCSTR commandLine, UINT show);

// Ends this process at once with exitCode, as an abnormal termination does:
// no module is detached and no exit handler runs. Just before, the host's
// process-end notice (winapi/host/WinHostProcess.h) is told the exit code and
// the calling thread's last error, which the caller sets to say why it ends
// the process. Any other process than GetCurrentProcess() fails with
// ERROR_INVALID_HANDLE: this platform starts no processes.
QV_WINAPI_API BOOL TerminateProcess(HANDLE process, UINT exitCode);
