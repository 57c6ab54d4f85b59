#include "driver/ReportCriticalError.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "driver/GDriverServer.h"
#include "winapi/WinError.h"
#include "winapi/WinProcess.h"
#include "winapi/WinThread.h"

namespace {
std::atomic<CriticalErrorHandler> g_handler{&DefaultCriticalErrorHandler};

constexpr size_t kTextSize = 256;

void FormatText(int severity, uint32_t errorId, char (&text)[kTextSize]) {
    const unsigned id = static_cast<uint16_t>(errorId);
    if (severity == 2) {
        std::snprintf(text, sizeof text,
                      "There has been a critical error and the printer driver cannot continue.  Save your "
                      "work, and exit the current application.  (Error id = %u)",
                      id);
    } else {
        std::snprintf(text, sizeof text, "Error id = %u  (No error string table, yet...)", id);
    }
}
} // namespace

void ReportCriticalError(int severity, uint32_t errorId, const char* sourceName, int line,
                         const char* message) {
    g_handler.load()(severity, errorId, sourceName, line, message);
}

CriticalErrorHandler SetCriticalErrorHandler(CriticalErrorHandler handler) {
    return g_handler.exchange(handler != nullptr ? handler : &DefaultCriticalErrorHandler);
}

void DefaultCriticalErrorHandler(int severity, uint32_t errorId, const char*, int, const char*) {
    // Formatted as the module always did, though nobody reads it: the
    // formatting allocates nothing, so a report from the out-of-memory
    // handler cannot fail here.
    char text[kTextSize];
    FormatText(severity, errorId, text);
    if (severity != 1 && severity != 2) return;
    if (severity == 2) {
        if (GDriverServer* server = GDriverServer::Instance()) server->SetFailed();
    }
    // The process ends through the platform, which tells whoever hosts the
    // module why: the cause goes as the last error, the text stays here.
    SetLastError(CriticalErrorCause(errorId));
    TerminateProcess(GetCurrentProcess(), kCriticalExitCode);
    std::_Exit(kCriticalExitCode); // not reached: the platform ends the process
}

DWORD CriticalErrorCause(uint32_t errorId) {
    const uint16_t id = static_cast<uint16_t>(errorId); // as the text names it
    if (id == kCriticalOutOfMemory) return ERROR_NOT_ENOUGH_MEMORY;
    return APPLICATION_ERROR_MASK | id;
}

std::string CriticalErrorText(int severity, uint32_t errorId) {
    char text[kTextSize];
    FormatText(severity, errorId, text);
    return text;
}
