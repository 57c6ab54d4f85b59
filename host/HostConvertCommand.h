#pragma once
// convert PRINTER [--in FILE] --out FILE [--mode convert|convert351|driver-default]:
// DrvConvertDevMode as the spooler calls it. The size comes first (a call
// with *pcbNeeded 0 answers ERROR_INSUFFICIENT_BUFFER and the size); the
// output buffer of a conversion starts as the driver's default DEVMODE, so
// its header names the form to convert to. Without --in the mode is
// driver-default, with it convert.
#include <string>

#include "host/HostSession.h"
#include "host/HostValue.h"

class HostConvertCommand {
public:
    static bool Run(HostSession& session, HostValue& result, std::string& error);
};
