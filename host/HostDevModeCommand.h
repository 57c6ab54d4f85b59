#pragma once
// devmode PRINTER [--out FILE]: the printer's default DEVMODE from
// DrvDocumentProperties, written to FILE (default "<store>/<printer>.devmode")
// and summarised by its public fields.
#include <string>

#include "host/HostSession.h"
#include "host/HostValue.h"

class HostDevModeCommand {
public:
    static bool Run(HostSession& session, HostValue& result, std::string& error);
};
