#pragma once
// The concrete Windows NT platform services of the module: the operations
// that need the driver instance's classes (creating a driver instance, the
// driver's data file, the mini-installer loader, the printer handle of a
// driver context).
//
// CreateDriver makes a GNT40Driver; GetPrinterHandle answers a driver
// instance's active handle (null for other contexts, whose printer data is
// reached through a printer opened by name).
#include "winnt40/GNTOSFactory.h"

class GNT40OSFactory : public GNTOSFactory {
public:
    GNT40OSFactory();
    ~GNT40OSFactory() override;

    // Makes a new instance the process-wide one (GOSFactory::Install).
    static GOSFactory* Create();

    GDriver* CreateDriver(const GPrinterIdentity& identity) override;
    // The pDataFile of the printer's driver (GetPrinterDriverW level 2);
    // the printer is opened by name when the context has no handle. Empty
    // when it cannot be had.
    RWWString GetDriverDataFile(GDriverContext* context) override;
    // A new mini-installer loader for the printer (GMiniInstallerLoader),
    // which loads the mini-installer when the printer's driver data allows;
    // the caller owns it. Null when it cannot be made.
    GModuleLoader* LoadSetupLibrary(const RWWString& printerName, HANDLE printer) override;
    HANDLE GetPrinterHandle(GDriverContext* context) override;
};
