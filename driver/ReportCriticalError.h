#pragma once
// The one reporter of critical internal failures: lock failures, memory
// failures and broken invariants anywhere in the module. It shows, writes
// and logs nothing. What a report does is one replaceable function, the
// handler; the default handler keeps the module's rules:
//   severity 1: the process ends (abnormal termination, exit code 3);
//   severity 2: the driver server is marked failed (it parks nothing any
//               more and drops what it had parked), then the process ends
//               the same way;
//   any other severity: the report returns.
// A test (or a host) installs its own handler to watch reports without
// ending its process; death tests run the default one. Callers go on after
// a report only as far as is safe: under a handler that returns they give
// up the operation that failed.
#include <cstdint>
#include <string>

#include "winapi/WinTypes.h"

enum : uint32_t {
    kCriticalOutOfMemory = 101,
    kCriticalLockFailed = 301,
    kCriticalUnlockFailed = 302,
    kCriticalReleaseFailed = 501,
};

// The exit code of a process ended by a report.
constexpr int kCriticalExitCode = 3;

using CriticalErrorHandler = void (*)(int severity, uint32_t errorId, const char* sourceName, int line,
                                      const char* message);

// Hands the report to the installed handler.
void ReportCriticalError(int severity, uint32_t errorId, const char* sourceName, int line,
                         const char* message);

// Installs handler (null: the default) and returns the handler it replaces.
CriticalErrorHandler SetCriticalErrorHandler(CriticalErrorHandler handler);

// The module's rules above. The process ends through the platform
// (TerminateProcess), with the report's cause as the last error. The source
// name, line and message are not used.
void DefaultCriticalErrorHandler(int severity, uint32_t errorId, const char* sourceName, int line,
                                 const char* message);

// The cause a report that ends the process gives the platform: running out
// of memory as the system's own error, ERROR_NOT_ENOUGH_MEMORY; any other
// error id as an error code the application defines (APPLICATION_ERROR_MASK
// with the id as an unsigned 16-bit number), so the host can name it.
DWORD CriticalErrorCause(uint32_t errorId);

// The text a report formats (into a 256-byte buffer; shown nowhere): the
// error id as an unsigned 16-bit number in the severity's sentence.
std::string CriticalErrorText(int severity, uint32_t errorId);
