#pragma once
// The per-printer context that every driver instance extends (and the job
// context too). The platform services name the printer of a printer-data
// call by it, the job hook reads the printer's names and configuration
// through it, and the driver server reaches every instance through it.
//
// Only what those callers need is here so far: the printer, driver and port
// names, the configuration tree (which holds the printer node, id 76), the
// printer node's own configuration, the model objects the driver server
// takes from the driver's data file, and the operations the server calls on
// an instance. The driver instance adds the rest.
#include <cstdint>
#include <memory>

#include "model/GCountedPtr.h"
#include "rw/RWWString.h"

class GDriver;
class GJobContext;
class GPrinterIdentity;
class MPersistentObject;

class GDriverContext {
public:
    GDriverContext(const GDriverContext&) = delete;
    GDriverContext& operator=(const GDriverContext&) = delete;
    virtual ~GDriverContext();

    // --- What the driver server calls -----------------------------------------
    // The job-side interface; null for a driver instance.
    virtual GJobContext* AsJobObject() = 0;
    // The driver-instance interface the exports call; null for a job object.
    virtual GDriver* AsDriver() = 0;
    // Takes over the printer of a new request (a parked instance reused for
    // another printer of the same driver). The context marks its caches
    // stale; it keeps none yet.
    virtual void ResetCache(const GPrinterIdentity& identity);
    // Called when the driver server parks the object.
    virtual void PrepareToPark() = 0;
    // Non-zero when the object gave memory back; the context has none to give.
    virtual int32_t ReleaseMemory() { return 0; }
    // A new identity equal to the object's own; the caller owns it.
    virtual std::unique_ptr<GPrinterIdentity> CopyIdentity() const = 0;

    const RWWString& GetPrinterName() const { return printerName_; }
    const RWWString& GetDriverName() const { return driverName_; }
    const RWWString& GetPortName() const { return portName_; }
    void SetNames(const RWWString& printerName, const RWWString& driverName, const RWWString& portName);

    // The configuration tree, or null before one was set. The context holds
    // it through a counted pointer; callers do not release it.
    MPersistentObject* GetConfiguration() const { return configuration_.Get(); }
    // Holds tree (null allowed), releasing the tree it held.
    void SetConfiguration(MPersistentObject* tree);

    // The model objects the driver server takes from the data file: the
    // resource mappings (node 191), the OS tray map (node 84) and the
    // resource-mapping list (node 194). Each setter holds its object through
    // a counted pointer and releases the one it held.
    MPersistentObject* GetResourceMappings() const { return resourceMappings_.Get(); }
    MPersistentObject* GetOSTrayMap() const { return osTrayMap_.Get(); }
    MPersistentObject* GetResourceMappingList() const { return resourceMappingList_.Get(); }
    void SetResourceMappings(MPersistentObject* mappings);
    void SetOSTrayMap(MPersistentObject* trayMap);
    void SetResourceMappingList(MPersistentObject* list);

    // The printer node's own configuration, or null. The printer node gives
    // it through its peripheral configuration operation, which the device
    // model supplies; until a context can reach one this answers null.
    virtual MPersistentObject* GetPrinterConfiguration();

protected:
    // Empty names: an instance reached through virtual bases names its
    // printer with SetNames.
    GDriverContext() = default;
    GDriverContext(const RWWString& printerName, const RWWString& driverName, const RWWString& portName);

private:
    RWWString printerName_;
    RWWString driverName_;
    RWWString portName_;
    GCountedPtr configuration_;
    GCountedPtr resourceMappings_;
    GCountedPtr osTrayMap_;
    GCountedPtr resourceMappingList_;
};
