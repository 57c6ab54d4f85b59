#pragma once
// Installs a printer as the spooler does: its record in the store, then the
// driver's printer-initialisation event (DrvPrinterEvent with
// PRINTER_EVENT_INITIALIZE), which gives the new printer its printer data
// and its default DEVMODE, so that later calls find it set up. A driver
// that does not export the event gets the printer as it is. A printer
// whose event fails is taken out of the store again: none is kept half-made.
#include <string>

#include "host/HostModelPrinter.h"
#include "host/HostModule.h"

class HostPrinterInstaller {
public:
    // False with a message when the name is taken or empty, or the driver's
    // event fails (the printer is then not in the store).
    static bool Install(const HostModule& module, const std::u16string& name, const HostModelPrinter& model,
                        std::string& error);
    // One printer of each model printer, named after its driver, as a fresh
    // store gets them; false at the first that cannot be installed.
    static bool InstallModelPrinters(const HostModule& module, std::string& error);

private:
    static bool Initialize(const HostModule& module, const std::u16string& name,
                           const HostModelPrinter& model, std::string& error);
};
