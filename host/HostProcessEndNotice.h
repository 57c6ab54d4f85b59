#pragma once
// The host's notice of an end it did not choose: when the module ends the
// process through the platform (a critical error inside it, such as running
// out of memory), one line on stderr says so before the process goes, since
// the module itself shows and writes nothing.
#include <cstddef>

#include "winapi/WinTypes.h"

class HostProcessEndNotice {
public:
    // Registers the notice with the platform layer for the rest of the
    // process.
    static void Install();

    // The line, newline included, for an end with this exit code and cause
    // (the last error the module set: ERROR_NOT_ENOUGH_MEMORY when memory
    // ran out, an application's error code carrying the id of any other
    // critical error), written into buffer without allocating; its length,
    // cut to size - 1.
    static size_t Format(UINT exitCode, DWORD cause, char* buffer, size_t size);

private:
    static void Notice(UINT exitCode, DWORD cause);
};
