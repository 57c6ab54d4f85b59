// GNT40Driver: DevQueryPrintEx, the spooler's question whether a job's
// DEVMODE can print on this printer.
//
// A refusal names the first refused fields with one of six messages of the
// resource module's string table (12001 to 12006). The message is loaded
// into a buffer of our own and at most cchErrorStr - 1 characters of it are
// copied to the caller, whatever the caller says it needs.
#include <algorithm>
#include <array>

#include "driver/GNTDevMode.h"
#include "winapi/WinDevMode.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winnt40/GNT40Driver.h"

namespace {

constexpr UINT kInvalidDevMode = 12001;
constexpr UINT kInvalidResolution = 12002;
constexpr UINT kPaperNotSupported = 12003;
constexpr UINT kTrayNotInstalled = 12004;
constexpr UINT kDuplexNotInstalled = 12005;
constexpr UINT kCollationNotEnabled = 12006;

constexpr WORD kQueryLevel = 1;
constexpr DWORD kCountMask = 0x7FFFFFFF; // the count's top bit is not part of it
constexpr size_t kMessageLength = 256;

// The message into the caller's buffer, within its count; cchNeeded says
// how much the whole message takes.
void WriteMessage(DEVQUERYPRINT_INFO& info, const RWWString& modulePath, UINT id) {
    std::array<WCHAR, kMessageLength> text{};
    int length = 0;
    if (!modulePath.IsNull()) {
        const WinScopedModule module(LoadLibraryW(modulePath.Data()));
        if (module) length = LoadStringW(module.Get(), id, text.data(), static_cast<int>(text.size()));
    }
    const DWORD capacity = info.cchErrorStr & kCountMask;
    if (length > 0) {
        if (info.pszErrorStr != nullptr && capacity > 0) {
            const size_t copied = std::min<size_t>(static_cast<size_t>(length), capacity - 1);
            std::copy_n(text.data(), copied, info.pszErrorStr);
            info.pszErrorStr[copied] = u'\0';
        }
        info.cchNeeded = static_cast<DWORD>(length) + 1;
    } else if (info.pszErrorStr != nullptr && capacity >= 2) {
        info.pszErrorStr[0] = u'\0';
        info.cchNeeded = 2;
    }
}

} // namespace

UINT GNT40Driver::QueryMessageId(uint32_t refusedFields) {
    switch (refusedFields) {
    case DM_PAPERSIZE:
    case DM_PAPERLENGTH:
    case DM_PAPERWIDTH:
    case DM_PAPERLENGTH | DM_PAPERWIDTH:
    case DM_FORMNAME:
        return kPaperNotSupported;
    case DM_DEFAULTSOURCE:
        return kTrayNotInstalled;
    case DM_PRINTQUALITY:
    case DM_YRESOLUTION:
    case DM_PRINTQUALITY | DM_YRESOLUTION:
        return kInvalidResolution;
    case DM_DUPLEX:
        return kDuplexNotInstalled;
    case DM_COLLATE:
        return kCollationNotEnabled;
    default:
        return kInvalidDevMode;
    }
}

BOOL GNT40Driver::DevQueryPrintEx(PDEVQUERYPRINT_INFO info) {
    try {
        if (info == nullptr || info->cbSize != sizeof(DEVQUERYPRINT_INFO) || info->Level != kQueryLevel ||
            info->hPrinter == nullptr)
            return FALSE;
        if (info->pDevMode == nullptr) return TRUE;
        if (LoadDevMode(nullptr) == 0) return FALSE;
        RefreshPrinterSettings(0);
        MPersistentObject* settings = GetCachedPrinterSettings();
        if (settings == nullptr) return FALSE;
        // The paper-handling maps as the printer's data has them now.
        ApplySettings(settings);
        uint32_t refused = 0;
        if (GetDevMode()->ValidatePublic(info->pDevMode, 0, &refused) == 1) return TRUE;
        WriteMessage(*info, GetResourceModulePath(), QueryMessageId(refused));
        return FALSE;
    } catch (...) {
        return FALSE;
    }
}
