#pragma once
// One exchange of a printer's configuration with the configuration library:
// an import of the library's "physical" (installed options) and "printing"
// (print settings) sections into a settings tree, or an export of the tree
// into "factory/physical" and "factory/printing".
//
// The library binding, the feature mappers and the walks over a section's
// features are the configuration exchange's own; they are not part of the
// module yet. This is the interface through which the driver side
// (GNTDMCSession) runs an import or an export; the library's exchange
// calls (RUVStartConfig/RUVEndConfig, RUVStartExport/RUVEndExport) are
// operations of it too, so that the driver side never calls the library
// itself.
#include <cstdint>

#include "rw/RWWString.h"

class GAttributeComposite;
class GDriverContext;

class GDMCSession {
public:
    // The client name handed to the library.
    static constexpr const char16_t* kClientName = u"RUV_DRIVER";

    // settings and context are the creator's; the session does not own them.
    GDMCSession(GAttributeComposite* settings, GDriverContext* context)
        : settings_(settings), context_(context) {}
    virtual ~GDMCSession() = default;
    GDMCSession(const GDMCSession&) = delete;
    GDMCSession& operator=(const GDMCSession&) = delete;

    // --- In slot order ------------------------------------------------------------
    // 1 when the section was read (changed or not), 0 when it cannot be.
    virtual uint32_t ImportPhysicalSection() = 0;
    virtual uint32_t ImportPrintingSection() = 0;
    // 1 when the section's feature list was read and walked.
    virtual uint32_t ExportToConfiguration(const RWWString& section) = 0;
    // The driver side's import (GNTDMCSession).
    virtual uint32_t Import(const RWWString& printerName, uint32_t kind) = 0;
    // 1 when the import must not run.
    virtual uint32_t IsStale() = 0;
    virtual void SetPrinterName(const RWWString& name) = 0;
    // 1 when the network registry agent already discovered the installed
    // options (313 = 2 inside 228 of the printer configuration).
    virtual uint32_t IsPhysicalDiscovered() = 0;

    // --- The library's exchange ---------------------------------------------------
    // Whether the configuration library is loaded.
    virtual bool IsLibraryLoaded() const = 0;
    // RUVStartConfig for the configuration name: nonzero when it opened.
    virtual uint32_t StartConfig() = 0;
    virtual void EndConfig() = 0;
    // RUVStartExport(printer, client name, flags): nonzero when it opened.
    virtual uint32_t StartExport(const RWWString& printerName, uint32_t flags) = 0;
    virtual void EndExport() = 0;
    // "RUVLastUpdate": the date after a successful import that changed
    // something, "ERROR" after one that changed nothing; nothing for 0.
    virtual void WriteLastUpdate(uint32_t success) = 0;

    GAttributeComposite* GetSettings() const { return settings_; }
    GDriverContext* GetDriverContext() const { return context_; }

private:
    GAttributeComposite* settings_;
    GDriverContext* context_;
};
