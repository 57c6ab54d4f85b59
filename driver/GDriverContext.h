#pragma once
// The per-printer context that every driver instance extends. The platform
// services name the printer of a printer-data call by it, and the job hook
// reads the printer's names and configuration through it.
//
// Only what those callers need is here so far: the printer, driver and port
// names, the configuration tree (which holds the printer node, id 76) and
// the printer node's own configuration. The driver instance adds the rest.
#include "model/GCountedPtr.h"
#include "rw/RWWString.h"

class MPersistentObject;

class GDriverContext {
public:
    GDriverContext(const GDriverContext&) = delete;
    GDriverContext& operator=(const GDriverContext&) = delete;
    virtual ~GDriverContext();

    const RWWString& GetPrinterName() const { return printerName_; }
    const RWWString& GetDriverName() const { return driverName_; }
    const RWWString& GetPortName() const { return portName_; }

    // The configuration tree, or null before one was set. The context holds
    // it through a counted pointer; callers do not release it.
    MPersistentObject* GetConfiguration() const { return configuration_.Get(); }
    // Holds tree (null allowed), releasing the tree it held.
    void SetConfiguration(MPersistentObject* tree);

    // The printer node's own configuration, or null. The printer node gives
    // it through its peripheral configuration operation, which the device
    // model supplies; until a context can reach one this answers null.
    virtual MPersistentObject* GetPrinterConfiguration();

protected:
    GDriverContext(const RWWString& printerName, const RWWString& driverName, const RWWString& portName);

private:
    RWWString printerName_;
    RWWString driverName_;
    RWWString portName_;
    GCountedPtr configuration_;
};
