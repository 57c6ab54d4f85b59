#include "host/HostProcessEndNotice.h"

#include <unistd.h>

#include <cstdio>

#include "winapi/WinError.h"
#include "winapi/host/WinHostProcess.h"

void HostProcessEndNotice::Install() {
    SetProcessEndNotice(&HostProcessEndNotice::Notice);
}

size_t HostProcessEndNotice::Format(UINT exitCode, DWORD cause, char* buffer, size_t size) {
    int length = 0;
    if (cause == ERROR_NOT_ENOUGH_MEMORY) {
        length = std::snprintf(buffer, size,
                               "qvhost: the driver module ended the process because memory ran out "
                               "(exit code %u)\n",
                               exitCode);
    } else if ((cause & APPLICATION_ERROR_MASK) != 0) {
        length = std::snprintf(buffer, size,
                               "qvhost: the driver module ended the process because of its critical error "
                               "%u (exit code %u)\n",
                               cause & 0xFFFF, exitCode);
    } else {
        length = std::snprintf(buffer, size,
                               "qvhost: the driver module ended the process (exit code %u, "
                               "last error %u)\n",
                               exitCode, cause);
    }
    if (length < 0 || size == 0) return 0;
    return static_cast<size_t>(length) < size ? static_cast<size_t>(length) : size - 1;
}

// Memory may have run out: the line is made on the stack and written by
// the system call itself, past any stream buffer.
void HostProcessEndNotice::Notice(UINT exitCode, DWORD cause) {
    char line[160];
    const size_t length = Format(exitCode, cause, line, sizeof line);
    for (size_t written = 0; written < length;) {
        const ssize_t step = ::write(STDERR_FILENO, line + written, length - written);
        if (step <= 0) return;
        written += static_cast<size_t>(step);
    }
}
