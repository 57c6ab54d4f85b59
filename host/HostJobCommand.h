#pragma once
// job PRINTER [--pages N]: a scripted document on a printer device context
// through DrvDocumentEvent, from CREATEDCPRE to DELETEDC (N pages, 1 when
// not given): each event with its answer and the private escapes the module
// sent to the rendering module during it (code, size, payload as text when
// it is a NUL-terminated printable text, else as hexadecimal bytes).
#include <string>

#include "host/HostSession.h"
#include "host/HostValue.h"

class HostJobCommand {
public:
    static constexpr int kMostPages = 1000;

    static bool Run(HostSession& session, HostValue& result, std::string& error);
};
