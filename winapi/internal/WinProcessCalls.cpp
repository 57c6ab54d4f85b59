#include <atomic>
#include <cstdlib>
#include <mutex>

#include "winapi/WinError.h"
#include "winapi/WinProcess.h"
#include "winapi/WinThread.h"
#include "winapi/host/WinHostProcess.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinRecords.h"

namespace {
struct Programs {
    std::mutex mutex;
    uint64_t generation = 0;
    std::vector<WinRecordedProgram> started;
};

Programs& Started() {
    static auto* programs = new Programs; // outlives static destructors
    return *programs;
}

std::atomic<WinProcessEndNotice> g_processEndNotice{nullptr};

void CheckGeneration(Programs& programs) {
    const uint64_t generation = WinHostStore::Instance().Generation();
    if (generation == programs.generation) return;
    programs.generation = generation;
    programs.started.clear();
}
} // namespace

std::vector<std::string> WinSplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false, quoted = false;
    size_t backslashes = 0;
    for (char c : commandLine) {
        if (c == '\\') {
            ++backslashes;
            inArgument = true;
            continue;
        }
        if (c == '"') {
            current.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1)
                current.push_back('"');
            else
                quoted = !quoted;
            backslashes = 0;
            inArgument = true;
            continue;
        }
        current.append(backslashes, '\\');
        backslashes = 0;
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) arguments.push_back(current);
            current.clear();
            inArgument = false;
            continue;
        }
        current.push_back(c);
        inArgument = true;
    }
    current.append(backslashes, '\\');
    if (inArgument) arguments.push_back(current);
    return arguments;
}

UINT WinExec(LPCSTR commandLine, UINT show) {
    if (commandLine == nullptr || *commandLine == 0) return 0;
    WinRecordedProgram program{commandLine, WinSplitCommandLine(commandLine), show};
    Programs& programs = Started();
    std::lock_guard<std::mutex> hold(programs.mutex);
    CheckGeneration(programs);
    programs.started.push_back(std::move(program));
    return 33;
}

std::vector<WinRecordedProgram> RecordedPrograms() {
    Programs& programs = Started();
    std::lock_guard<std::mutex> hold(programs.mutex);
    CheckGeneration(programs);
    return programs.started;
}

WinProcessEndNotice SetProcessEndNotice(WinProcessEndNotice notice) {
    return g_processEndNotice.exchange(notice);
}

BOOL TerminateProcess(HANDLE process, UINT exitCode) {
    if (process != GetCurrentProcess()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (const WinProcessEndNotice notice = g_processEndNotice.load()) notice(exitCode, GetLastError());
    std::_Exit(static_cast<int>(exitCode));
}
