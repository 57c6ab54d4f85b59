#include "driver/ReportCriticalError.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {
void AbortProcess() {
    std::_Exit(3);
}

std::atomic<CriticalFailedHook> g_failedHook{nullptr};
std::atomic<CriticalAbortHook> g_abortHook{&AbortProcess};
thread_local char t_lastText[256] = "";
} // namespace

void ReportCriticalError(int severity, uint32_t errorId, const char*, int, const char*) {
    const unsigned id = static_cast<uint16_t>(errorId);
    if (severity == 2) {
        std::snprintf(t_lastText, sizeof t_lastText,
                      "There has been a critical error and the printer driver cannot continue.  Save your "
                      "work, and exit the current application.  (Error id = %u)",
                      id);
    } else {
        std::snprintf(t_lastText, sizeof t_lastText, "Error id = %u  (No error string table, yet...)", id);
    }
    if (severity != 1 && severity != 2) return;
    if (severity == 2) {
        if (CriticalFailedHook failed = g_failedHook.load()) failed();
    }
    g_abortHook.load()();
}

const char* LastCriticalErrorText() {
    return t_lastText;
}

CriticalFailedHook SetCriticalFailedHook(CriticalFailedHook hook) {
    return g_failedHook.exchange(hook);
}

CriticalAbortHook SetCriticalAbortHook(CriticalAbortHook hook) {
    return g_abortHook.exchange(hook != nullptr ? hook : &AbortProcess);
}
