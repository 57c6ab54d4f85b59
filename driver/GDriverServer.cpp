#include "driver/GDriverServer.h"

#include <exception>
#include <new>
#include <utility>

#include "driver/GDriver.h"
#include "driver/GDriverContext.h"
#include "driver/GJobContextTable.h"
#include "driver/GLock.h"
#include "driver/GOSFactory.h"
#include "driver/GPrinterIdentity.h"
#include "driver/ReportCriticalError.h"
#include "model/GCountedPtr.h"
#include "model/GPersistInputStream.h"
#include "model/GResourceMappingList.h"
#include "model/GSettingIds.h"
#include "model/MPersistentObject.h"
#include "rw/RWLibraryError.h"
#include "rw/RWVirtualInStream.h"
#include "winapi/WinError.h"

namespace {
std::atomic<GDriverServer*> g_instance{nullptr};

// How the job pipeline reaches the server's job table: a command restored
// from a stored graph finds its job by key through this.
class ServerJobTable : public GJobContextTable {
public:
    GJobContext* Lookup(uint32_t key) override {
        GDriverServer* server = g_instance.load();
        return server != nullptr ? server->Lookup(key) : nullptr;
    }
} g_jobTable;

// Deletes the server when the module is unloaded.
struct InstanceOwner {
    ~InstanceOwner() { GDriverServer::Destroy(); }
} g_instanceOwner;

GDriverContext* CreateDriverInstance(const GPrinterIdentity& identity) {
    GOSFactory* factory = GOSFactory::Instance();
    return factory != nullptr ? factory->CreateDriver(identity) : nullptr;
}

GDriverContext* CreateJobSideObject(const GPrinterIdentity& identity) {
    GOSFactory* factory = GOSFactory::Instance();
    return factory != nullptr ? factory->CreateJobObject(identity) : nullptr;
}
} // namespace

GDriverServer* GDriverServer::Create() {
    if (g_instance.load() != nullptr) return g_instance.load();
    std::unique_ptr<GDriverServer> server(new (std::nothrow) GDriverServer);
    if (server == nullptr || !server->HasLocks()) return nullptr;
    g_instance.store(server.release());
    GJobContextTable::Install(&g_jobTable);
    return g_instance.load();
}

GDriverServer* GDriverServer::Instance() {
    return g_instance.load();
}

void GDriverServer::Destroy() {
    GDriverServer* server = g_instance.exchange(nullptr);
    if (server != nullptr) GJobContextTable::Install(nullptr);
    delete server;
}

GDriverServer::GDriverServer() {
    if (GOSFactory* factory = GOSFactory::Instance()) {
        factory->CreateSharedLock(&drivers_.lock);
        factory->CreateSharedLock(&jobs_.lock);
    }
}

GDriverServer::~GDriverServer() {
    if (HasLocks()) {
        Clear();
        FreeParked();
    }
    delete drivers_.lock;
    delete jobs_.lock;
}

// --- Locks ---------------------------------------------------------------------

bool GDriverServer::Lock(Slot& slot, int line) {
    if (slot.lock != nullptr && slot.lock->Lock() == 0) return true;
    ReportCriticalError(2, kCriticalLockFailed, kSourceName, line, "table lock");
    return false;
}

void GDriverServer::Unlock(Slot& slot, int line) {
    if (slot.lock->Unlock() != 0)
        ReportCriticalError(2, kCriticalUnlockFailed, kSourceName, line, "table lock");
}

// --- Get, release, look up ---------------------------------------------------------

GDriver* GDriverServer::GetDriver(std::unique_ptr<GPrinterIdentity> identity, uint32_t* cookie) {
    GDriverContext* object = GetObject(drivers_, std::move(identity), cookie, &CreateDriverInstance);
    return object != nullptr ? object->AsDriver() : nullptr;
}

GJobContext* GDriverServer::GetJobObject(std::unique_ptr<GPrinterIdentity> identity, uint32_t* cookie) {
    GDriverContext* object = GetObject(jobs_, std::move(identity), cookie, &CreateJobSideObject);
    return object != nullptr ? object->AsJobObject() : nullptr;
}

void GDriverServer::ReleaseDriver(uint32_t cookie) {
    Release(drivers_, cookie, false);
}

void GDriverServer::ReleaseJobObject(uint32_t cookie) {
    Release(jobs_, cookie, true);
}

GDriver* GDriverServer::LookupDriver(uint32_t cookie) {
    GDriverContext* object = Find(drivers_, cookie);
    return object != nullptr ? object->AsDriver() : nullptr;
}

GJobContext* GDriverServer::Lookup(uint32_t cookie) {
    GDriverContext* object = Find(jobs_, cookie);
    return object != nullptr ? object->AsJobObject() : nullptr;
}

// A new object is held by an owner until it is registered, so that nothing
// leaving the creation, the initialisation or the registration (an error of
// any kind) keeps it alive. A request that fails here sets the last error to
// its cause; one that succeeds leaves the caller's last error as it was,
// whatever the spooler questions on the way set.
GDriverContext* GDriverServer::GetObject(Slot& slot, std::unique_ptr<GPrinterIdentity> identity,
                                         uint32_t* cookie, Creator create) {
    if (identity == nullptr || cookie == nullptr) return nullptr;
    const DWORD callersError = GetLastError();
    std::unique_ptr<GDriverContext> object = TakeParkedFor(slot, *identity);
    if (object == nullptr) {
        object.reset(create(*identity));
        // The platform services make no instance only when memory runs out.
        const DWORD cause = object != nullptr ? InitialiseDriver(*object) : ERROR_NOT_ENOUGH_MEMORY;
        if (cause != ERROR_SUCCESS) return Refuse(std::move(object), cause);
    }
    identity.reset();
    const uint32_t issued = Register(slot, object.get());
    if (issued == 0) return Refuse(std::move(object), ERROR_NOT_ENOUGH_MEMORY);
    *cookie = issued;
    SetLastError(callersError);
    return object.release();
}

// Deletes the object of a request that failed, then sets the last error to
// the cause (a deletion may set one of its own). Null, the request's answer.
GDriverContext* GDriverServer::Refuse(std::unique_ptr<GDriverContext> object, DWORD cause) {
    object.reset();
    SetLastError(cause);
    return nullptr;
}

// The parked object when it has identity's driver, re-targeted to it; else
// null, the parked object staying parked. The object is out of the slot
// while its identity is copied and compared, so nothing is allocated under
// the lock; no other request can have it meanwhile. Should the comparison or
// the re-targeting throw, the owner deletes it.
std::unique_ptr<GDriverContext> GDriverServer::TakeParkedFor(Slot& slot, const GPrinterIdentity& identity) {
    if (!Lock(slot, __LINE__)) return nullptr;
    std::unique_ptr<GDriverContext> parked(std::exchange(slot.parked, nullptr));
    Unlock(slot, __LINE__);
    if (parked == nullptr) return nullptr;
    std::unique_ptr<GPrinterIdentity> copy = parked->CopyIdentity();
    if (copy != nullptr && copy->IsSameDriver(&identity)) {
        parked->ResetCache(identity);
        return parked;
    }
    ParkOrDelete(slot, parked.release());
    return nullptr;
}

// Puts a parked object that was not taken back in its slot, unless another
// object was parked meanwhile or the server has failed: it is then deleted.
void GDriverServer::ParkOrDelete(Slot& slot, GDriverContext* object) {
    if (Lock(slot, __LINE__)) {
        if (slot.parked == nullptr && !IsFailed()) object = std::exchange(slot.parked, object);
        Unlock(slot, __LINE__);
    }
    delete object;
}

uint32_t GDriverServer::Register(Slot& slot, GDriverContext* object) {
    std::unique_ptr<GCookieTable::Entry> entry = GCookieTable::NewEntry();
    if (entry == nullptr || !Lock(slot, __LINE__)) return 0;
    const uint32_t cookie = slot.table.Add(GCookieTable::Seed(object), object, std::move(entry));
    Unlock(slot, __LINE__);
    return cookie;
}

void GDriverServer::Release(Slot& slot, uint32_t cookie, bool jobTable) {
    if (!Lock(slot, __LINE__)) return;
    GDriverContext* released = slot.table.Remove(cookie);
    GDriverContext* doomed = nullptr;
    if (released != nullptr) {
        if (IsFailed()) {
            doomed = released;
        } else {
            released->PrepareToPark();
            doomed = std::exchange(slot.parked, released);
        }
    }
    const bool jobsEmptied = jobTable && released != nullptr && slot.table.Count() == 0;
    if (jobsEmptied) failed_.store(0);
    const bool report = released == nullptr && !IsFailed();
    Unlock(slot, __LINE__);
    delete doomed;
    if (jobsEmptied) {
        if (FontPoolReset reset = fontPoolReset_.load()) reset();
    }
    if (report) ReportCriticalError(1, kCriticalReleaseFailed, kSourceName, __LINE__, "release");
}

GDriverContext* GDriverServer::Find(Slot& slot, uint32_t cookie) {
    if (!Lock(slot, __LINE__)) return nullptr;
    GDriverContext* object = slot.table.Find(cookie);
    Unlock(slot, __LINE__);
    return object;
}

// --- Initialisation of a new instance -------------------------------------------------

DWORD GDriverServer::InitialiseDriver(GDriverContext& context) {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return ERROR_FILE_NOT_FOUND; // no platform services: no data file
    try {
        const RWWString path = factory->GetDriverDataFile(&context);
        if (path.IsNull()) return ERROR_FILE_NOT_FOUND;
        MPersistentObject* restored = nullptr;
        {
            std::unique_ptr<GPersistInputStream> stream =
                factory->OpenFileInStream(path.Data(), kDataFileFormat);
            if (stream == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
            // A file that cannot be opened leaves the byte source failed.
            RWVirtualInStream* in = stream->GetStream();
            if (in == nullptr || !in->good() || !stream->ByteSource().good()) return ERROR_FILE_NOT_FOUND;
            RestoreMPersistentObjectPtr(*in, restored, RWRestoreHold::Owned);
        }
        GCountedPtr root(restored);
        if (root.Get() == nullptr) return ERROR_INVALID_DATA;
        context.SetConfiguration(root->FindById(GSettingId::kConfigurationTree));
        context.SetResourceMappings(root->FindById(GSettingId::kPaperNumberTable));
        context.SetOSTrayMap(root->FindById(GSettingId::kOsTrayMap));
        MPersistentObject* list = root->FindById(GSettingId::kResourceMappingList);
        if (list != nullptr)
            context.SetResourceMappingList(list);
        else
            context.SetResourceMappingList(new GResourceMappingList(GSettingId::kResourceMappingList));
        return ERROR_SUCCESS;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (const RWOutOfMemoryError&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (const std::exception&) {
        // A data file the class library refuses (its errors are standard
        // exceptions too).
        return ERROR_INVALID_DATA;
    }
}

// --- Parked objects, clearing, failure, memory -------------------------------------------

bool GDriverServer::TakeParked(Slot& slot) {
    if (!Lock(slot, __LINE__)) return false;
    GDriverContext* parked = std::exchange(slot.parked, nullptr);
    Unlock(slot, __LINE__);
    delete parked;
    return parked != nullptr;
}

bool GDriverServer::FreeParked() {
    const bool driver = TakeParked(drivers_);
    const bool job = TakeParked(jobs_);
    return driver || job;
}

void GDriverServer::DeleteAll(GCookieTable::Buckets& buckets) {
    for (std::unique_ptr<GCookieTable::Entry>& head : buckets)
        for (GCookieTable::Entry* entry = head.get(); entry != nullptr; entry = entry->next.get())
            delete entry->object;
}

void GDriverServer::Clear() {
    GCookieTable::Buckets drivers;
    if (Lock(drivers_, __LINE__)) {
        drivers = drivers_.table.TakeAll();
        Unlock(drivers_, __LINE__);
    }
    DeleteAll(drivers);
    GCookieTable::Buckets jobs;
    if (Lock(jobs_, __LINE__)) {
        jobs_.table.AnyOf([](GDriverContext* object) {
            object->PrepareToPark();
            return false;
        });
        jobs = jobs_.table.TakeAll();
        Unlock(jobs_, __LINE__);
    }
    DeleteAll(jobs);
}

bool GDriverServer::SetFailed() {
    failed_.store(1);
    return FreeParked();
}

bool GDriverServer::ReclaimMemory() {
    if (FreeParked()) return true;
    for (Slot* slot : {&drivers_, &jobs_}) {
        if (!Lock(*slot, __LINE__)) continue;
        const bool released =
            slot->table.AnyOf([](GDriverContext* object) { return object->ReleaseMemory() != 0; });
        Unlock(*slot, __LINE__);
        if (released) return true;
    }
    return false;
}

uint32_t GDriverServer::Count(Slot& slot) {
    if (!Lock(slot, __LINE__)) return 0;
    const uint32_t count = slot.table.Count();
    Unlock(slot, __LINE__);
    return count;
}

uint32_t GDriverServer::DriverCount() {
    return Count(drivers_);
}

uint32_t GDriverServer::JobCount() {
    return Count(jobs_);
}
