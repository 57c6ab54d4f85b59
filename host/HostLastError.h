#pragma once
// What a last error of the platform means, in the few words a failure line
// of qvhost gives for it.
#include <string>

#include "winapi/WinTypes.h"

class HostLastError {
public:
    // "the file cannot be found" for 2, ...; "an error qvhost cannot name"
    // for a code it does not know, "no error was set" for 0.
    static std::string Meaning(DWORD error);
};
