#include "winnt40/GExportFront.h"

#include <memory>
#include <new>

#include "driver/GDocumentEventTable.h"
#include "driver/GDriverServer.h"
#include "driver/GLock.h"
#include "driver/GPrinterIdentity.h"
#include "driver/ReportCriticalError.h"
#include "winapi/WinDriverUI.h"
#include "winnt40/GModuleEntry.h"

void GExportFront::MarkActivity() {
    GModuleEntry::Instance().KeepAlive().MarkActivity();
}

GDriver* GExportFront::Get(HANDLE printer, const RWWString& name, uint32_t* cookie) {
    GDriverServer* server = GDriverServer::Instance();
    if (server == nullptr) return nullptr;
    std::unique_ptr<GPrinterIdentity> identity;
    try {
        identity = std::make_unique<GPrinterIdentity>(printer, name, 0);
    } catch (const std::bad_alloc&) {
        // The server answers a missing identity with no instance.
    }
    return server->GetDriver(std::move(identity), cookie);
}

void GExportFront::Release(uint32_t cookie) {
    if (GDriverServer* server = GDriverServer::Instance()) server->ReleaseDriver(cookie);
}

LONG GExportFront::PropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, bool device) noexcept {
    try {
        MarkActivity();
        const LPARAM header = info != nullptr ? info->lParamInit : (device ? 0 : lParam);
        if (header == 0) return -1;
        if (device)
            return OpenSheetCall(info, lParam, reinterpret_cast<PDEVICEPROPERTYHEADER>(header)->hPrinter,
                                 true);
        HANDLE printer = reinterpret_cast<PDOCUMENTPROPERTYHEADER>(header)->hPrinter;
        if (info != nullptr) return OpenSheetCall(info, lParam, printer, false);
        return Run<LONG>(printer, RWWString(), 0,
                         [&](GDriver& driver) { return driver.DrvDocumentPropertySheets(nullptr, lParam); });
    } catch (...) {
        return 0;
    }
}

LONG GExportFront::SheetCall(GDriver& driver, PPROPSHEETUI_INFO info, LPARAM lParam, bool device) {
    return device ? driver.DrvDevicePropertySheets(info, lParam)
                  : driver.DrvDocumentPropertySheets(info, lParam);
}

LONG GExportFront::OpenSheetCall(PPROPSHEETUI_INFO info, LPARAM lParam, HANDLE printer, bool device) {
    GDriver* driver = nullptr;
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
        uint32_t cookie = 0;
        driver = Get(printer, RWWString(), &cookie);
        if (driver == nullptr) return 0;
        driver->SetSheetCookie(cookie);
        info->UserData = reinterpret_cast<ULONG_PTR>(driver);
    } else {
        driver = reinterpret_cast<GDriver*>(info->UserData);
        if (driver == nullptr) return 0;
    }
    LONG result = 0;
    try {
        result = SheetCall(*driver, info, lParam, device);
    } catch (...) {
        // A sheet whose INIT failed sees no DESTROY: give its instance back now.
        if (info->Reason == PROPSHEETUI_REASON_INIT) {
            info->UserData = 0;
            Release(driver->GetSheetCookie());
        }
        throw;
    }
    if (info->Reason == PROPSHEETUI_REASON_DESTROY) Release(driver->GetSheetCookie());
    return result;
}

INT GExportFront::DocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, void* input, ULONG outSize,
                                void* output) noexcept {
    try {
        MarkActivity();
        uint32_t cookie = 0;
        GDriver* driver = StartDocumentEvents(printer, escape, cookie);
        if (driver == nullptr) return -1;
        INT result = -1;
        bool threw = false;
        try {
            result = driver->DrvDocumentEvent(printer, dc, escape, inSize, input, outSize, output);
        } catch (...) {
            threw = true;
        }
        const bool created = escape == DOCUMENTEVENT_CREATEDCPRE;
        if (escape == DOCUMENTEVENT_DELETEDC || (created && (result == 0 || threw)))
            EndDocumentEvents(printer, cookie);
        return threw ? -1 : result;
    } catch (...) {
        return -1;
    }
}

// CREATEDCPRE gets an instance and enters its cookie (giving back the
// cookie a handle still held, which would otherwise never be released);
// any other event finds the cookie entered before. The instance, or null.
GDriver* GExportFront::StartDocumentEvents(HANDLE printer, INT escape, uint32_t& cookie) {
    GDocumentEventTable* table = GModuleEntry::Instance().GetDocumentEventTable();
    if (escape != DOCUMENTEVENT_CREATEDCPRE) {
        if (table == nullptr || !LockTable(__LINE__)) return nullptr;
        const bool found = table->Find(printer, cookie);
        UnlockTable(__LINE__);
        GDriverServer* server = GDriverServer::Instance();
        return found && server != nullptr ? server->LookupDriver(cookie) : nullptr;
    }
    GDriver* driver = Get(printer, RWWString(), &cookie);
    if (driver == nullptr) return nullptr;
    if (table == nullptr || !LockTable(__LINE__)) {
        Release(cookie);
        return nullptr;
    }
    uint32_t earlier = 0;
    const bool held = table->Find(printer, earlier);
    table->Set(printer, cookie);
    // Under the table lock, so that a last deletion on another thread
    // cannot clear the hold after this entry was made.
    GModuleEntry::Instance().KeepAlive().SetHold(1);
    UnlockTable(__LINE__);
    if (held) Release(earlier);
    return driver;
}

void GExportFront::EndDocumentEvents(HANDLE printer, uint32_t cookie) {
    GDocumentEventTable* table = GModuleEntry::Instance().GetDocumentEventTable();
    if (table != nullptr && LockTable(__LINE__)) {
        table->Remove(printer);
        // The hold follows the table under its lock (see the creation).
        if (table->Count() == 0) GModuleEntry::Instance().KeepAlive().SetHold(0);
        UnlockTable(__LINE__);
    }
    Release(cookie);
}

bool GExportFront::LockTable(int line) {
    GLock* lock = GModuleEntry::Instance().GetTableLock();
    if (lock != nullptr && lock->Lock() == 0) return true;
    ReportCriticalError(2, kLockError, kSourceName, line, nullptr);
    return false;
}

void GExportFront::UnlockTable(int line) {
    GLock* lock = GModuleEntry::Instance().GetTableLock();
    if (lock == nullptr || lock->Unlock() != 0)
        ReportCriticalError(2, kUnlockError, kSourceName, line, nullptr);
}
