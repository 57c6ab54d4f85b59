#include "driver/ReportCriticalError.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "driver/GDriverServer.h"

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
    std::_Exit(kCriticalExitCode);
}

std::string CriticalErrorText(int severity, uint32_t errorId) {
    char text[kTextSize];
    FormatText(severity, errorId, text);
    return text;
}
