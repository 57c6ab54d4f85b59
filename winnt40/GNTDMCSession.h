#pragma once
// The NT driver's configuration exchange: the import of the installed
// options and printing defaults that the auto-configuration printer event
// and DrvConvertDevMode run when the printer is stale, and the export that
// the property sheets ask for. It adds no fields to the exchange; it decides
// which sections move and records a failed import as "RUVLastUpdate" =
// "ERROR" (the exchange itself stamps a successful one).
//
// It stays abstract: the exchange's library calls and section walks are the
// configuration exchange's (GDMCSession).
#include <cstdint>

#include "config/GDMCSession.h"

class GNTDMCSession : public GDMCSession {
public:
    // Import modes.
    static constexpr uint32_t kImportAll = 0;      // physical, then printing
    static constexpr uint32_t kImportPrinting = 2; // printing only (not on NT 4)
    static constexpr uint32_t kExportFlags = 1;
    static constexpr const char16_t* kLastUpdateValue = u"RUVLastUpdate";
    static constexpr const char16_t* kErrorText = u"ERROR";
    static constexpr const char16_t* kPhysicalTarget = u"factory/physical";
    static constexpr const char16_t* kPrintingTarget = u"factory/printing";

    using GDMCSession::GDMCSession;

    // Runs the import for the printer in mode: 1 when the sections the mode
    // names were imported.
    uint32_t Import(const RWWString& printerName, uint32_t mode) override;
    // Exports the settings for target: 1 when both sections were exported.
    uint32_t Export(const RWWString& target);

private:
    void MarkError();
    // The sections that mode names; the result of the last one.
    uint32_t ImportSections(uint32_t mode);
};
