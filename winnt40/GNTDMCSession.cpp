#include "winnt40/GNTDMCSession.h"

#include "driver/GOSFactory.h"

void GNTDMCSession::MarkError() {
    if (GOSFactory* factory = GOSFactory::Instance())
        factory->SetPrinterDataString(GetDriverContext(), kLastUpdateValue, kErrorText);
}

uint32_t GNTDMCSession::Import(const RWWString& printerName, uint32_t mode) {
    if (!IsLibraryLoaded()) {
        MarkError();
        return 0;
    }
    SetPrinterName(printerName);
    if (IsStale() != 0) {
        MarkError();
        return 0;
    }
    if (StartConfig() == 0) return 0;
    const uint32_t result = ImportSections(mode);
    WriteLastUpdate(result);
    EndConfig();
    return result != 0 ? 1 : 0;
}

uint32_t GNTDMCSession::ImportSections(uint32_t mode) {
    if (mode == kImportAll) {
        if (IsPhysicalDiscovered() == 1) {
            ImportPrintingSection();
            return 1;
        }
        return ImportPhysicalSection() != 0 ? ImportPrintingSection() : 0;
    }
    if (mode == kImportPrinting) {
        GOSFactory* factory = GOSFactory::Instance();
        if (factory == nullptr || factory->GetOSVersion().GetMajorVersion() == 4) return 0;
        return ImportPrintingSection();
    }
    return 0;
}

uint32_t GNTDMCSession::Export(const RWWString& target) {
    if (StartExport(target, kExportFlags) == 0) return 0;
    uint32_t result = ExportToConfiguration(kPhysicalTarget);
    if (result == 1) result = ExportToConfiguration(kPrintingTarget);
    EndExport();
    return result;
}
