#pragma once
// The one reporter of critical internal failures. It shows nothing: severity
// 1 aborts the process, severity 2 marks the driver failed and aborts, any
// other severity returns.
#include <cstdint>

enum : uint32_t {
    kCriticalLockFailed = 301,
    kCriticalUnlockFailed = 302,
    kCriticalOutOfMemory = 101,
    kCriticalReleaseFailed = 501,
};

void ReportCriticalError(int severity, uint32_t errorId, const char* sourceName, int line,
                         const char* message);

// The text the reporter formats (not shown anywhere; kept for inspection).
const char* LastCriticalErrorText();

// Replaceable steps, so a host or a test can observe the reporter without
// ending its process: what "mark the driver failed" does (the driver server
// installs its own) and what ends the process (default: abort, exit code 3).
using CriticalFailedHook = void (*)();
using CriticalAbortHook = void (*)();
CriticalFailedHook SetCriticalFailedHook(CriticalFailedHook hook);
CriticalAbortHook SetCriticalAbortHook(CriticalAbortHook hook);
