#pragma once
// The module's start-up and shut-down (DllMain's process attach and
// detach) and the module-wide objects they bring up for the
// printer-interface exports.
//
// Attach, in this order: keep the module handle; make the platform
// services (a GNT40OSFactory) unless there are some; install the
// out-of-memory handler with a 1024-byte reserve; hand the module handle to
// the platform services; make the driver server; make the document-event
// table and its lock; register the network registry agent's provider under
// "VUZER 1.0"; switch the C runtime's locale to the ANSI code page (all
// categories for a Chinese, Japanese or Korean system, else the character
// types only; the platform layer's setting, never the Linux process
// locale); start the keep-alive; read the application flags from the
// sibling module "RUZEVE32.DLL" ("GetAppFlags"; 0 without one).
//
// An attach that fails (no platform services, no driver server, no table)
// undoes what it did, so that a later attach starts clean. Detach stops and
// joins the keep-alive thread, empties and frees the table and its lock,
// frees the driver server's parked objects and empties its tables,
// unregisters and deletes the provider, forgets the application flags and
// removes the out-of-memory handler. The platform services and the driver
// server themselves are deleted when the module is unloaded.
#include <cstdint>

#include "driver/GModuleKeepAlive.h"
#include "winapi/WinTypes.h"

class GDocumentEventTable;
class GLock;
class GNRAProvider;

class GModuleEntry {
public:
    static constexpr const char* kAppFlagsModule = "RUZEVE32.DLL";
    static constexpr const char* kAppFlagsEntry = "GetAppFlags";
    static constexpr uint32_t kModulePathSize = 260;

    // The module's one entry.
    static GModuleEntry& Instance();

    GModuleEntry() = default;
    GModuleEntry(const GModuleEntry&) = delete;
    GModuleEntry& operator=(const GModuleEntry&) = delete;
    // A module still attached is left as it is: the keep-alive joins its
    // thread, nothing else is taken down.
    ~GModuleEntry();

    // TRUE when every object is up.
    BOOL Attach(HMODULE module);
    // Always TRUE; harmless when the attach failed or never ran.
    BOOL Detach();

    HMODULE GetModuleHandle() const { return module_; }
    uint32_t GetApplicationFlags() const { return applicationFlags_; }
    GDocumentEventTable* GetDocumentEventTable() const { return documentEvents_; }
    GLock* GetTableLock() const { return tableLock_; }
    GModuleKeepAlive& KeepAlive() { return keepAlive_; }

private:
    BOOL Fail();
    static void SetLocale();
    void ReadApplicationFlags();

    HMODULE module_ = nullptr;
    uint32_t applicationFlags_ = 0;
    GDocumentEventTable* documentEvents_ = nullptr;
    GLock* tableLock_ = nullptr;
    GNRAProvider* provider_ = nullptr;
    GModuleKeepAlive keepAlive_;
};
