// GNTDriverBase: the device property sheet and PrinterProperties.
//
// The device sheet edits the printer's defaults. OK on a sheet that may
// write commits them, exports the configuration once when "ExportConfig"
// and setting 1100 ask for it (from the shell only), records a manual
// change of the installed options ("LastUpdated", "LastUpdateType") and
// writes the printer's default DEVMODE. A read-only sheet
// (DPS_NOPERMISSION) commits nothing.
//
// Printer data: "ExportConfig" (DWORD) 1 while the sheet is open, 0 after
// an export attempt; "PhySetting" the installed options (node 365) as the
// sheet opened; "LastUpdated" the local date "MM/ DD/ YYYY";
// "LastUpdateType" "User".
#include <cstdio>

#include "driver/GDateTime.h"
#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "driver/GSheetContextBlock.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "winnt40/GCPSOSUI.h"
#include "winnt40/GNTDMCSession.h"
#include "winnt40/GNTDriverBase.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {

constexpr const char16_t* kExportConfigValue = u"ExportConfig";
constexpr const char16_t* kPhysicalValue = u"PhySetting";
constexpr const char16_t* kUserUpdate = u"User";
// Context-block flags of the device sheet: read-only, or may write.
constexpr uint32_t kFlagReadOnly = 0x1;
constexpr uint32_t kFlagMayWrite = 0x4;

// The local date as "MM/ DD/ YYYY"; empty when the services give none.
RWWString LocalDate() {
    GOSFactory* factory = GOSFactory::Instance();
    GDateTime local{};
    GDateTime shifted{};
    int16_t offset = 0;
    if (factory == nullptr || factory->GetDateTime(&local, &shifted, &offset) == 0) return RWWString();
    char text[32] = {};
    std::snprintf(text, sizeof text, "%2.2d%s%2.2d%s%4.4d", local.month, "/ ", local.day, "/ ", local.year);
    return RWWString(RWCString(text), RWWString::MultiByte);
}

} // namespace

LONG GNTDriverBase::DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info == nullptr || info->lParamInit == 0) return -1;
    const auto& header = *reinterpret_cast<const DEVICEPROPERTYHEADER*>(info->lParamInit);
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
        return InitDeviceSheet(*info, header);
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        auto* infoHeader = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
        if (infoHeader == nullptr) return 1;
        infoHeader->Flags = kSheetHeaderFlags;
        infoHeader->pTitle = header.pszPrinterName;
        GOSFactory* factory = GOSFactory::Instance();
        infoHeader->hInst = factory != nullptr ? factory->GetModuleHandle() : nullptr;
        infoHeader->IconID = IDI_CPSUI_PRINTER;
        return 1;
    }
    case PROPSHEETUI_REASON_DESTROY:
        CloseOpenSheet();
        return 1;
    case PROPSHEETUI_REASON_SET_RESULT: {
        const auto* result = reinterpret_cast<const SETRESULT_INFO*>(lParam);
        if (result == nullptr) return 1;
        const GSheetContextBlock* block = GetOpenSheetBlock();
        if (result->Result == CPSUI_OK && block != nullptr && (block->flags & kFlagReadOnly) == 0)
            CommitDeviceSheet();
        info->Result = static_cast<ULONG_PTR>(result->Result);
        return 1;
    }
    default:
        return 1;
    }
}

LONG GNTDriverBase::InitDeviceSheet(PROPSHEETUI_INFO& info, const DEVICEPROPERTYHEADER& header) {
    LoadDevMode(nullptr);
    const int16_t opened = OpenSheet(info, GSheetContextBlock::kDeviceSheet,
                                     (header.Flags & DPS_NOPERMISSION) != 0 ? kFlagReadOnly : kFlagMayWrite);
    GSheetContextBlock* block = GetOpenSheetBlock();
    if (block == nullptr) return 0;
    if (GOSFactory* factory = GOSFactory::Instance())
        factory->SetPrinterDataDword(this, kExportConfigValue, 1);
    if (MPersistentObject* installed = block->settings->FindById(GSettingId::kInstalledOptionsGroup))
        StoreValue(kPhysicalValue, installed);
    return opened;
}

void GNTDriverBase::CommitDeviceSheet() {
    GSheetContextBlock* block = GetOpenSheetBlock();
    GOSFactory* factory = GOSFactory::Instance();
    if (block == nullptr || block->settings == nullptr || factory == nullptr) return;
    GAttributeComposite* settings = block->settings.get();
    if (CommitSettings(settings, 1) != 1) return;
    const std::optional<uint16_t> exchange =
        GSettingValues::Get(settings, GSettingId::kExchangeWithConfigLibrary);
    if (exchange && *exchange == 1 && factory->GetPrinterDataDword(this, kExportConfigValue, 0) != 0) {
        if (IsShellHost()) {
            if (std::unique_ptr<GNTDMCSession> session = CreateConfigSession(settings))
                session->Export(GetDriverName());
        }
        factory->SetPrinterDataDword(this, kExportConfigValue, 0);
    }
    MPersistentObject* installed = settings->FindById(GSettingId::kInstalledOptionsGroup);
    if (installed != nullptr && IsPhysicalSettingCurrent(installed) == 0) {
        factory->SetPrinterDataString(this, GNTDriverBase::kLastUpdatedValue, LocalDate());
        factory->SetPrinterDataString(this, GNTDriverBase::kLastUpdateTypeValue, kUserUpdate);
    }
    WriteDefaultDevMode();
}

BOOL GNTDriverBase::PrinterProperties(HWND window, HANDLE printer) {
    DEVICEPROPERTYHEADER header{};
    header.cbSize = sizeof header;
    header.hPrinter = printer;
    DWORD result = 1;
    const LONG shown = CommonPropertySheetUIW(window, &::DrvDevicePropertySheets,
                                              reinterpret_cast<LPARAM>(&header), &result);
    // A sheet the common UI could not show is a failure, whatever the result.
    return shown >= 0 && result != 0 ? TRUE : FALSE;
}
