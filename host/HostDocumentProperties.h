#pragma once
// DrvDocumentProperties as an application calls it without a window: the
// size of the driver's DEVMODE (fMode 0), the printer's default one
// (DM_OUT_BUFFER) and a DEVMODE merged and validated (DM_IN_BUFFER |
// DM_OUT_BUFFER) into a buffer of the driver's size.
#include <string>

#include "host/HostDevMode.h"
#include "host/HostExports.h"
#include "host/HostPrinter.h"
#include "host/HostSession.h"

class HostDocumentProperties {
public:
    // False with a message when the module does not export it.
    bool Bind(HostSession& session, std::string& error);

    // The bytes the driver's DEVMODE takes; false with a message.
    bool Size(HostPrinter& printer, size_t& size, std::string& error);
    bool Default(HostPrinter& printer, HostDevMode& out, std::string& error);
    // input must stay as it is: the export reads it only.
    bool Merge(HostPrinter& printer, HostDevMode& input, HostDevMode& out, std::string& error);

private:
    bool Call(HostPrinter& printer, HostDevMode* input, HostDevMode& out, DWORD mode, std::string& error);

    DrvDocumentPropertiesProc properties_ = nullptr;
};
