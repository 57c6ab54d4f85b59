#pragma once
// The program: parses the command line, opens the store, loads the module,
// runs the command and writes its answer (JSON with --json, text
// otherwise) to out; a failure is one line "qvhost: <message>" on err and
// exit code 1 (2 for a command line that is not one). When the module ends
// the process (exit code 3), one line on the process's standard error says
// why (host/HostProcessEndNotice.h).
#include <ostream>

class HostProgram {
public:
    static int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
};
