#pragma once
// sheet PRINTER [--device] --script FILE --out FILE [--in FILE] [--png DIR]:
// the document property sheet (DrvDocumentPropertySheets, over the DEVMODE
// of --in or the printer's default) or the device property sheet
// (DrvDevicePropertySheets, the printer opened with full access) shown
// through the common property-sheet UI, played from the script of user
// actions. The resulting DEVMODE goes to the out file: the sheet's output
// when it closed with OK, its input when cancelled, and for the device
// sheet the printer's default DEVMODE afterwards. With --png each page
// shown is written as DIR/page-<n>.png.
#include <string>

#include "host/HostSession.h"
#include "host/HostValue.h"

class HostSheetCommand {
public:
    static bool Run(HostSession& session, HostValue& result, std::string& error);
};
