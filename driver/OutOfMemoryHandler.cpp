#include "driver/OutOfMemoryHandler.h"

#include <new>

#include "driver/GDriverServer.h"
#include "driver/GLock.h"
#include "driver/GOSFactory.h"
#include "driver/ReportCriticalError.h"

namespace {
// The handler's state: changed only under g_lock, which exists from the
// first installation to the removal.
GLock* g_lock = nullptr;
bool g_installed = false;
std::new_handler g_previous = nullptr;
uint32_t g_reserveSize = kDefaultReserveSize;
char* g_reserve = nullptr;
uint32_t g_reserveHeld = 0;

bool Lock(int line) {
    if (g_lock != nullptr && g_lock->Lock() == 0) return true;
    ReportCriticalError(2, kCriticalLockFailed, kNewHandlerSourceName, line, "handler lock");
    return false;
}

void Unlock(int line) {
    if (g_lock->Unlock() != 0)
        ReportCriticalError(2, kCriticalUnlockFailed, kNewHandlerSourceName, line, "handler lock");
}

// Keeps block (of size bytes, or null) as the reserve and frees the one
// held before. Under the lock.
void KeepReserve(char* block, uint32_t size) {
    delete[] g_reserve;
    g_reserve = block;
    g_reserveHeld = block != nullptr ? size : 0;
}

// A new reserve, allocated outside the lock: a failure here enters the
// handler, which takes the lock.
void PutReserveAside() {
    uint32_t size = 0;
    if (!Lock(__LINE__)) return;
    size = g_reserveSize;
    Unlock(__LINE__);
    char* block = new (std::nothrow) char[size];
    if (!Lock(__LINE__)) {
        delete[] block;
        return;
    }
    KeepReserve(block, size);
    Unlock(__LINE__);
}
} // namespace

void installNewHandler(uint32_t size) {
    if (g_lock == nullptr) {
        GOSFactory* factory = GOSFactory::Instance();
        if (factory != nullptr) factory->CreateSharedLock(&g_lock);
        if (g_lock == nullptr) return;
    }
    if (!Lock(__LINE__)) return;
    if (!g_installed) {
        g_previous = std::set_new_handler(&outOfMemoryHandler);
        g_installed = true;
    }
    if (size != 0) g_reserveSize = size;
    Unlock(__LINE__);
    PutReserveAside();
}

void removeNewHandler() {
    if (g_lock == nullptr) return;
    if (!Lock(__LINE__)) return;
    if (g_installed) std::set_new_handler(g_previous);
    g_installed = false;
    g_previous = nullptr;
    KeepReserve(nullptr, 0);
    Unlock(__LINE__);
    delete g_lock;
    g_lock = nullptr;
}

void outOfMemoryHandler() {
    if (!Lock(__LINE__)) throw std::bad_alloc();
    if (g_reserve == nullptr) {
        Unlock(__LINE__);
        ReportCriticalError(2, kCriticalOutOfMemory, kNewHandlerSourceName, kReserveSpentLine,
                            "reserve spent");
        throw std::bad_alloc();
    }
    KeepReserve(nullptr, 0);
    Unlock(__LINE__);

    // The memory-failure report: whatever the driver server can free.
    GDriverServer* server = GDriverServer::Instance();
    if (server == nullptr || !server->ReclaimMemory()) {
        if (server != nullptr) server->SetFailed();
        ReportCriticalError(2, kCriticalOutOfMemory, kMemoryFailureSourceName, kNothingReclaimedLine,
                            "nothing to reclaim");
        throw std::bad_alloc();
    }
    PutReserveAside();
}

uint32_t NewHandlerReserveSize() {
    if (g_lock == nullptr || !Lock(__LINE__)) return 0;
    const uint32_t held = g_reserveHeld;
    Unlock(__LINE__);
    return held;
}
