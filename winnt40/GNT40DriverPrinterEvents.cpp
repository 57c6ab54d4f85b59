// GNT40Driver: the printer events and the initialisation of a new printer.
//
// Printer-data values the initialisation writes (strings):
//   "LastUpdated"     the local date, "MM/ DD/ YYYY"
//   "LastUpdateType"  "Default", then "Auto" when the automatic configuration ran
//   "EACLastUpdate"   the same date when the automatic configuration ran,
//                     "ERROR" when the mini-installer was wanted and did not load
//   "PrinterUUID"     a new UUID, 36 lower-case characters
//   "Stale"           "FALSE" when the configuration library is consulted
#include <cstdio>
#include <memory>
#include <optional>

#include "driver/GDateTime.h"
#include "driver/GModuleLoader.h"
#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "rw/RWCString.h"
#include "winapi/WinHandle.h"
#include "winapi/WinRpc.h"
#include "winapi/WinSpool.h"
#include "winapi/WinTime.h"
#include "winnt40/GNT40Driver.h"
#include "winnt40/GNTDMCSession.h"

namespace {

// The printer configuration's automatic-configuration state.
constexpr uint16_t kAutoConfigDone = 2;
constexpr uint16_t kAutoConfigNotDone = 0;

constexpr DWORD kReopenPause = 3000; // milliseconds between the two opens

constexpr const char16_t* kEacLastUpdateValue = u"EACLastUpdate";

// The printer opened by name with full access; empty when it cannot be.
WinScopedPrinter OpenWithFullAccess(const RWWString& name) {
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, GNT40Driver::kAdminAccess};
    WinScopedPrinter printer;
    if (name.IsNull() || !OpenPrinterW(const_cast<LPWSTR>(name.Data()), printer.Receive(), &defaults))
        printer.Reset();
    return printer;
}

// "MM/ DD/ YYYY" of the platform's local date.
RWWString LocalDateText(GOSFactory& factory) {
    GDateTime now{};
    if (factory.GetDateTime(&now, nullptr, nullptr) == 0) now = GDateTime{};
    char text[32] = {};
    std::snprintf(text, sizeof text, "%2.2d%s%2.2d%s%4.4d", now.month, "/ ", now.day, "/ ", now.year);
    return RWWString(RWCString(text), RWWString::MultiByte);
}

GAttributeComposite* AsComposite(MPersistentObject* settings) {
    return dynamic_cast<GAttributeComposite*>(settings);
}

// The stamps of one initialisation: the date and kind of the update, and
// the automatic configuration's outcome (313 inside 228 of the printer
// configuration).
void StampUpdate(GNT40Driver& driver, GOSFactory& factory, const GModuleLoader* installer) {
    const RWWString date = LocalDateText(factory);
    factory.SetPrinterDataString(&driver, GNTDriverBase::kLastUpdatedValue, date);
    factory.SetPrinterDataString(&driver, GNTDriverBase::kLastUpdateTypeValue, u"Default");
    MPersistentObject* configuration = driver.GetPrinterConfiguration();
    MPersistentObject* options =
        configuration != nullptr ? configuration->FindById(GSettingId::kPrinterInstalledOptions) : nullptr;
    const std::optional<uint16_t> state = GSettingValues::Get(options, GSettingId::kConfigurationStatus);
    if (state == kAutoConfigDone) {
        factory.SetPrinterDataString(&driver, kEacLastUpdateValue, date);
        factory.SetPrinterDataString(&driver, GNTDriverBase::kLastUpdateTypeValue, u"Auto");
    } else if (state == kAutoConfigNotDone && installer != nullptr && installer->GetSecondNumber() == 0) {
        factory.SetPrinterDataString(&driver, kEacLastUpdateValue, GNTDMCSession::kErrorText);
    }
}

// The installation composite's steps: the mini-installer and the extension
// modules' pass when it asks for them, then the stamps.
void RunInstallation(GNT40Driver& driver, GOSFactory& factory, MPersistentObject& installation,
                     const RWWString& printerName, HANDLE printer) {
    std::unique_ptr<GModuleLoader> installer;
    if (GSettingValues::Get(&installation, GSettingId::kMiniInstallerWanted) == uint16_t{1})
        installer.reset(factory.LoadSetupLibrary(printerName, printer));
    if (GSettingValues::Get(&installation, GSettingId::kConfigToSettingsWanted) == uint16_t{1})
        driver.ConfigToSettings(0);
    StampUpdate(driver, factory, installer.get());
}

// A new unique id for the printer's per-user stores.
void WritePrinterUuid(GNT40Driver& driver, GOSFactory& factory) {
    UUID uuid{};
    const RPC_STATUS created = UuidCreate(&uuid);
    if (created != RPC_S_OK && created != RPC_S_UUID_LOCAL_ONLY) return;
    RPC_WSTR text = nullptr;
    if (UuidToStringW(&uuid, &text) != RPC_S_OK || text == nullptr) return;
    factory.SetPrinterDataString(&driver, GNTDriverBase::kPrinterUuidValue, RWWString(text));
    RpcStringFreeW(&text);
}

} // namespace

BOOL GNT40Driver::DrvPrinterEvent(LPWSTR printerName, INT event, DWORD, LPARAM) {
    try {
        switch (event) {
        case PRINTER_EVENT_ADD_CONNECTION:
        case PRINTER_EVENT_CACHE_REFRESH:
            CopyFontFilesFromServer();
            return TRUE;
        case PRINTER_EVENT_DELETE_CONNECTION:
        case PRINTER_EVENT_CACHE_DELETE:
            DeleteFontFiles();
            return TRUE;
        case PRINTER_EVENT_INITIALIZE:
            return InitializePrinter(printerName != nullptr ? RWWString(printerName) : RWWString());
        case PRINTER_EVENT_DELETE:
            return TRUE;
        default:
            return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

BOOL GNT40Driver::InitializePrinter(const RWWString& printerName) {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return FALSE;
    WinScopedPrinter printer = OpenWithFullAccess(printerName);
    if (!printer) return FALSE;
    // The instance works through the handle opened here; its own comes back
    // when the initialisation ends, however it ends.
    const LentHandle lent(*this, printer.Get());

    BOOL result = FALSE;
    StoreMassStorageFontSettings();
    if (LoadDevMode(nullptr) == 1) {
        RefreshPrinterSettings(0);
        if (MPersistentObject* cached = GetCachedPrinterSettings()) {
            if (MPersistentObject* installation = cached->FindById(GSettingId::kDocumentGroup))
                RunInstallation(*this, *factory, *installation, printerName, printer_);
        }
        CommitSettings(AsComposite(GetCachedPrinterSettings()), 1);
        AddMissingForms();
        result = TRUE;
    }
    WritePrinterUuid(*this, *factory);

    // The spooler finishes setting the printer up meanwhile.
    printer_ = nullptr;
    printer.Reset();
    Sleep(kReopenPause);
    printer = OpenWithFullAccess(printerName);
    if (!printer) return result;
    printer_ = printer.Get();

    GAttributeComposite* cached = AsComposite(GetCachedPrinterSettings());
    if (GSettingValues::Get(cached, GSettingId::kExchangeWithConfigLibrary) == uint16_t{1}) {
        factory->SetPrinterDataString(this, GNTDriverBase::kStaleValue, u"FALSE");
        if (std::unique_ptr<GNTDMCSession> session = CreateConfigSession(cached))
            session->Import(printerName, 0);
    }
    if (CommitSettings(cached, 1) == 1) WriteDefaultDevMode();
    return result;
}

int32_t GNT40Driver::ConfigToSettings(uint32_t) {
    return 0;
}
