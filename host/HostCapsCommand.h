#pragma once
// caps PRINTER CODE: DrvDeviceCapabilities for one code, its answer in
// readable form (ids as numbers, names as text, sizes in tenths of a
// millimetre, resolutions as pairs). A list is asked for twice, as the
// spooler does: its count, then into a buffer of that many elements.
#include <string>

#include "host/HostSession.h"
#include "host/HostValue.h"

class HostCapsCommand {
public:
    static bool Run(HostSession& session, HostValue& result, std::string& error);
};
