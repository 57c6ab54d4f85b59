#pragma once
// The one process-wide object that hands driver instances to the
// printer-interface exports and takes them back. An export asks for the
// instance of its printer (GetDriver), calls it, and gives it back
// (ReleaseDriver) with the release cookie it got; whether the instance was
// made for the call or reused stays hidden.
//
// Two tables map cookies to live objects (GCookieTable): the driver table
// (driver instances) and the job table (job-side objects, which the job
// pipeline looks up). Beside each table one object is parked: the last one
// released, kept so that the next request for the same driver (the same
// driver name, exact and case-sensitive; printer, handle and port are not
// compared) needs no new instance and no new read of the driver's data
// file. A reused instance is re-targeted to the caller's printer
// (GDriverContext::ResetCache). Releasing another object displaces the
// parked one, which is deleted.
//
// Failed state: after a critical error (ReportCriticalError at severity 2)
// or a memory failure nothing is parked any more (released objects are
// deleted at once) and releases of unknown cookies are not reported. Only
// the job table's becoming empty clears it.
//
// Locks: each table with its parked slot is guarded by its own GLock from
// the platform services; no operation holds both, and nothing is created,
// initialised, deleted or allocated while one is held (the out-of-memory
// handler takes the same locks when it reclaims memory). Lock failures are
// critical errors 301 and 302 (source "drvrsrvr"); when a report returns
// (a test's handler) the operation gives up.
#include <atomic>
#include <cstdint>
#include <memory>

#include "driver/GCookieTable.h"
#include "winapi/WinTypes.h"

class GDriver;
class GDriverContext;
class GJobContext;
class GLock;
class GPrinterIdentity;

class GDriverServer {
public:
    static constexpr const char* kSourceName = "drvrsrvr";
    // The data file's encoding: the class library's raw binary stream.
    static constexpr int32_t kDataFileFormat = 1;

    // Makes the process-wide server when there is none (a server that
    // cannot have its locks is not kept) and returns it, or null.
    static GDriverServer* Create();
    // The process-wide server, or null.
    static GDriverServer* Instance();
    // Deletes the process-wide server (at unload, and when the module's
    // start-up fails after making it).
    static void Destroy();

    // Empty tables; the locks come from the platform services' shared-lock
    // operation (none without platform services: HasLocks says so).
    GDriverServer();
    GDriverServer(const GDriverServer&) = delete;
    GDriverServer& operator=(const GDriverServer&) = delete;
    // Clears both tables, deletes the parked objects and the locks.
    virtual ~GDriverServer();

    bool HasLocks() const { return drivers_.lock != nullptr && jobs_.lock != nullptr; }

    // The driver instance for identity's printer, registered under a new
    // cookie written to *cookie; null on failure (the cookie is then not
    // written). The parked instance is reused when it has the same driver;
    // else the platform services make one and it is initialised from the
    // driver's data file. identity is deleted on every path. A failure to
    // make the instance ready sets the last error to its cause (see
    // InitialiseDriver; ERROR_NOT_ENOUGH_MEMORY when none can be made or
    // registered); success keeps the caller's last error. An instance never
    // outlives a request that fails or throws.
    GDriver* GetDriver(std::unique_ptr<GPrinterIdentity> identity, uint32_t* cookie);
    // Unregisters cookie and parks its instance (deletes it when failed). A
    // cookie that is not registered is critical error 501 at severity 1,
    // unless the server is failed.
    void ReleaseDriver(uint32_t cookie);
    // The instance registered under cookie, or null; the entry stays.
    GDriver* LookupDriver(uint32_t cookie);

    // The same three on the job table; job-side objects come from the
    // platform services' job-side creation.
    GJobContext* GetJobObject(std::unique_ptr<GPrinterIdentity> identity, uint32_t* cookie);
    void ReleaseJobObject(uint32_t cookie);
    GJobContext* Lookup(uint32_t cookie);

    // Deletes both parked objects; true when there was at least one.
    bool FreeParked();
    // Empties both tables, deleting their objects: the driver table, then
    // the job table (whose objects are first told PrepareToPark).
    void Clear();
    // Enters the failed state and frees the parked objects; FreeParked's
    // answer.
    bool SetFailed();
    // Called by the out-of-memory handler: frees the parked objects, else
    // asks each registered object (driver table first, bucket order) to
    // release memory until one does. True when memory was freed.
    bool ReclaimMemory();
    bool IsFailed() const { return failed_.load() != 0; }

    uint32_t DriverCount();
    uint32_t JobCount();

    // What the job table's becoming empty re-creates: the process-wide font
    // file pool, which the page-description writers own. Called outside the
    // job lock. Null: nothing.
    using FontPoolReset = void (*)();
    void SetFontPoolReset(FontPoolReset reset) { fontPoolReset_.store(reset); }

private:
    struct Slot {
        GCookieTable table;
        GLock* lock = nullptr;
        GDriverContext* parked = nullptr;
    };
    using Creator = GDriverContext* (*)(const GPrinterIdentity& identity);

    bool Lock(Slot& slot, int line);
    void Unlock(Slot& slot, int line);
    GDriverContext* GetObject(Slot& slot, std::unique_ptr<GPrinterIdentity> identity, uint32_t* cookie,
                              Creator create);
    static GDriverContext* Refuse(std::unique_ptr<GDriverContext> object, DWORD cause);
    std::unique_ptr<GDriverContext> TakeParkedFor(Slot& slot, const GPrinterIdentity& identity);
    void ParkOrDelete(Slot& slot, GDriverContext* object);
    uint32_t Register(Slot& slot, GDriverContext* object);
    void Release(Slot& slot, uint32_t cookie, bool jobTable);
    GDriverContext* Find(Slot& slot, uint32_t cookie);
    bool TakeParked(Slot& slot);
    uint32_t Count(Slot& slot);
    // Loads a new instance from its driver's data file: ERROR_SUCCESS, or the
    // cause of the failure (ERROR_FILE_NOT_FOUND: no data file, or it cannot
    // be opened; ERROR_INVALID_DATA: it cannot be restored;
    // ERROR_NOT_ENOUGH_MEMORY).
    static DWORD InitialiseDriver(GDriverContext& context);
    static void DeleteAll(GCookieTable::Buckets& buckets);

    Slot drivers_;
    Slot jobs_;
    std::atomic<uint32_t> failed_{0};
    std::atomic<FontPoolReset> fontPoolReset_{nullptr};
};
