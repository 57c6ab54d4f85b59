#pragma once
// props PRINTER --in FILE [--set FIELD=VALUE ...] --out FILE: the DEVMODE
// of FILE with the fields set, merged and validated by
// DrvDocumentProperties (DM_IN_BUFFER | DM_OUT_BUFFER); the answer is
// written to the out file and summarised.
#include <string>

#include "host/HostSession.h"
#include "host/HostValue.h"

class HostPropsCommand {
public:
    static bool Run(HostSession& session, HostValue& result, std::string& error);
};
