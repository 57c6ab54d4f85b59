// GNTDriverBase: document properties and DEVMODE conversion.
//
// The document sheet: INIT loads the incoming DEVMODE and builds the pages
// through the property-sheet glue (GCPSOSUI); SET_RESULT with OK commits the
// sheet's settings, exports the configuration once when the settings and
// "ExportPrinting" ask for it and the host is the shell, and writes the
// output DEVMODE; DESTROY ends the glue. Without a sheet the same DEVMODE
// work runs directly (DocumentPropertiesNoUI).
//
// Output DEVMODEs are written only into buffers that hold them: a header's
// cbOut, or the size DrvDocumentProperties answers with fMode 0 for the
// roads that give no size.
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "driver/GSheetContextBlock.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "winapi/WinError.h"
#include "winapi/WinModule.h"
#include "winapi/WinUser.h"
#include "winnt40/GCPSOSUI.h"
#include "winnt40/GNTDMCSession.h"
#include "winnt40/GNTDriverBase.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {

constexpr const char16_t* kExportPrintingValue = u"ExportPrinting";
// Context-block flags of the document sheet.
constexpr uint32_t kFlagNoPermission = 0x1;
constexpr uint32_t kFlagAdvanced = 0x2;
constexpr uint32_t kFlagsUserPools = 0x4 | 0x8;
constexpr uint32_t kFirstMajorWithUserPools = 5;
// Info-header flags: no Apply button, "Properties" title (and "Default").
// The private mode that asks for the stub in place of the private area.
constexpr DWORD kStubMode = 0x100A;
constexpr WORD kStubSize = 152;
constexpr std::array<BYTE, 6> kStubHead = {'V', 'Q', 'V', 'Q', 0x98, 0};
constexpr DWORD kAdvancedMode = DM_COPY | DM_PROMPT | DM_ADVANCED;

uint32_t MajorVersion() {
    GOSFactory* factory = GOSFactory::Instance();
    return factory != nullptr ? factory->GetOSVersion().GetMajorVersion() : 0;
}

// The context-block flags of a document sheet opened with mode.
uint32_t SheetFlags(GNTDriverBase& driver, DWORD mode, int32_t noPermission) {
    const uint32_t major = MajorVersion();
    const bool userPools = major >= kFirstMajorWithUserPools;
    uint32_t flags = 0;
    if ((mode & DM_NOPERMISSION) != 0) return kFlagNoPermission | (userPools ? kFlagsUserPools : 0);
    if ((mode & DM_ADVANCED) != 0) return kFlagAdvanced;
    if (noPermission != 0 && userPools) flags |= kFlagsUserPools;
    if ((mode & DM_USER_DEFAULT) != 0) return flags;
    const bool shell = GNTDriverBase::IsShellHost();
    if (driver.IsRemotePrinter() == 1) {
        if (!userPools) flags |= kFlagAdvanced;
        if (major <= 4 || !shell) return flags | kFlagAdvanced;
    }
    if (noPermission != 0) flags |= kFlagAdvanced | (userPools ? kFlagsUserPools : 0);
    return flags;
}

void GiveUpAdminHandle(GNTDriverBase& driver) {
    if (driver.IsAdminHandleOpen() == 0) return;
    driver.UseAdminHandle(0);
    driver.CloseAdminHandle();
}

// The DEVMODE object into out when capacity holds what it writes. 1 or 0.
int32_t WriteOutput(GNTDriverBase& driver, DEVMODEW* out, DWORD capacity) {
    GNTDevMode* devMode = driver.GetDevMode();
    if (devMode == nullptr || out == nullptr || capacity < driver.GetDevModeSize(0)) return 0;
    return devMode->WriteDevMode(out);
}

// The private area after the public part replaced by the stub.
void WriteStub(DEVMODEW* out, DWORD capacity) {
    const WORD publicSize = out->dmSize;
    if (publicSize > GNTDriverBase::kDevModeSize || capacity < static_cast<DWORD>(publicSize) + kStubSize)
        return;
    const WORD extra = static_cast<WORD>(GNTDriverBase::kDevModeSize - publicSize);
    out->dmDriverExtra = extra <= kStubSize ? kStubSize : extra;
    BYTE* stub = reinterpret_cast<BYTE*>(out) + publicSize;
    std::memset(stub, 0, kStubSize);
    std::copy(kStubHead.begin(), kStubHead.end(), stub);
}

} // namespace

// --- The document sheet ---------------------------------------------------------------

bool GNTDriverBase::IsShellHost() {
    std::array<WCHAR, 260> path{};
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::u16string upper(path.data(), std::min<size_t>(length, path.size() - 1));
    for (char16_t& c : upper)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return upper.find(u"EXPLORER.EXE") != std::u16string::npos;
}

void GNTDriverBase::CloseOpenSheet() {
    GSheetContextBlock* block = GetOpenSheetBlock();
    if (GCPSOSUI* sheet = GetOpenSheet()) {
        sheet->End(block);
        delete sheet;
        SetOpenSheet(nullptr);
    }
    FreeSheetBlock(block);
    SetOpenSheetBlock(nullptr);
}

int32_t GNTDriverBase::TestNoPermission() {
    int32_t noPermission = 1;
    if (IsRemotePrinter() == 1) {
        if (IsAdminHandleOpen() != 0) {
            noPermission = 0;
        } else if (OpenAdminHandle() == 1) {
            noPermission = 0;
            CloseAdminHandle();
        }
    } else if (IsPrinterDataWritable() == 1) {
        noPermission = 0;
    }
    SetUseLocalPools(noPermission != 0 && MajorVersion() >= kFirstMajorWithUserPools ? 1 : 0);
    return noPermission;
}

LONG GNTDriverBase::DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(info != nullptr ? info->lParamInit : lParam);
    if (header == nullptr) return -1;
    const int32_t noPermission = TestNoPermission();
    if (info == nullptr) {
        const LONG result = DocumentPropertiesNoUI(header);
        GiveUpAdminHandle(*this);
        return result;
    }
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
        return InitDocumentSheet(*info, *header, noPermission);
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        auto* infoHeader = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
        if (infoHeader == nullptr) return 0;
        infoHeader->Flags = (header->fMode & DM_USER_DEFAULT) != 0 ? kSheetHeaderFlags | PSUIHDRF_DEFTITLE
                                                                   : kSheetHeaderFlags;
        infoHeader->pTitle = header->pszPrinterName;
        GOSFactory* factory = GOSFactory::Instance();
        infoHeader->hInst = factory != nullptr ? factory->GetModuleHandle() : nullptr;
        infoHeader->IconID = 0;
        return 1;
    }
    case PROPSHEETUI_REASON_DESTROY:
        CloseOpenSheet();
        GiveUpAdminHandle(*this);
        return 1;
    case PROPSHEETUI_REASON_SET_RESULT: {
        const auto* result = reinterpret_cast<const SETRESULT_INFO*>(lParam);
        if (result == nullptr) return 1;
        if (result->Result == CPSUI_OK) CommitDocumentSheet(*header);
        info->Result = static_cast<ULONG_PTR>(result->Result);
        return 1;
    }
    default: // PROPSHEETUI_REASON_BEFORE_INIT and any other
        return 0;
    }
}

LONG GNTDriverBase::InitDocumentSheet(PROPSHEETUI_INFO& info, DOCUMENTPROPERTYHEADER& header,
                                      int32_t noPermission) {
    if (GOSFactory* factory = GOSFactory::Instance())
        factory->SetPrinterDataDword(this, kExportPrintingValue, 1);
    LoadDevMode((header.fMode & DM_MODIFY) != 0 ? header.pdmIn : nullptr);
    return OpenSheet(info, GSheetContextBlock::kDocumentSheet, SheetFlags(*this, header.fMode, noPermission));
}

int16_t GNTDriverBase::OpenSheet(PROPSHEETUI_INFO& info, uint32_t kind, uint32_t flags) {
    CloseOpenSheet(); // a sheet whose DESTROY never came
    GSheetContextBlock* block = CreateSheetBlock();
    if (block == nullptr) return 0;
    auto* sheet = new GCPSOSUI;
    SetOpenSheetBlock(block);
    SetOpenSheet(sheet);
    block->hostSheet = info.hComPropSheet;
    block->hostCallBack = info.pfnComPropSheet;
    block->kind = kind;
    block->flags = flags;
    const int16_t pages = sheet->Run(block, 0);
    info.Result = 0;
    return pages > 0 ? 1 : 0;
}

void GNTDriverBase::CommitDocumentSheet(DOCUMENTPROPERTYHEADER& header) {
    GSheetContextBlock* block = GetOpenSheetBlock();
    if (block == nullptr || block->settings == nullptr) return;
    GAttributeComposite* settings = block->settings.get();
    const int32_t store = (block->flags & (kFlagNoPermission | kFlagAdvanced)) == 0 ? 1 : 0;
    if (CommitSettings(settings, store) == 1) ExportWhenAsked(settings);
    if (const std::optional<uint16_t> onPrinter = GSettingValues::Get(settings, GSettingId::kShowJobId))
        SetLocalJobStorage(*onPrinter == 0 ? 1 : 0);
    if ((header.fMode & (DM_UPDATE | DM_COPY)) != 0 && header.pdmOut != nullptr)
        WriteOutput(*this, header.pdmOut, header.cbOut);
}

void GNTDriverBase::ExportWhenAsked(GAttributeComposite* settings) {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return;
    const std::optional<uint16_t> exportSetting =
        GSettingValues::Get(settings, GSettingId::kExchangeWithConfigLibrary);
    if (!exportSetting || *exportSetting != 1 ||
        factory->GetPrinterDataDword(this, kExportPrintingValue, 0) == 0)
        return;
    if (IsShellHost()) {
        if (std::unique_ptr<GNTDMCSession> session = CreateConfigSession(settings))
            session->Export(GetPrinterName());
    }
    factory->SetPrinterDataDword(this, kExportPrintingValue, 0);
}

// --- Document properties without a sheet ----------------------------------------------------

LONG GNTDriverBase::DrvDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                                          PDEVMODEW input, DWORD mode) {
    if (mode == 0 || output == nullptr) return static_cast<LONG>(GetDevModeSize(1));
    const LONG result = RunDocumentProperties(window, printer, deviceName, output, input, mode);
    if (result > 0) return IDOK;
    return result == 0 ? IDCANCEL : result;
}

LONG GNTDriverBase::DrvAdvancedDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName,
                                                  PDEVMODEW output, PDEVMODEW input) {
    if (output == nullptr) return static_cast<LONG>(GetDevModeSize(1));
    return RunDocumentProperties(window, printer, deviceName, output, input, kAdvancedMode) > 0 ? 1 : 0;
}

LONG GNTDriverBase::RunDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                                          PDEVMODEW input, DWORD mode) {
    DOCUMENTPROPERTYHEADER header{};
    header.cbSize = sizeof header;
    header.hPrinter = printer;
    header.pszPrinterName = deviceName;
    header.pdmIn = input;
    header.pdmOut = output;
    // The caller's buffer holds what fMode 0 answered.
    header.cbOut = GetDevModeSize(0);
    header.fMode = mode;
    if ((mode & DM_PROMPT) == 0) return DocumentPropertiesNoUI(&header);
    DWORD result = 0;
    const LONG shown = CommonPropertySheetUIW(window, &::DrvDocumentPropertySheets,
                                              reinterpret_cast<LPARAM>(&header), &result);
    // A sheet that could not be shown is a failure, not a cancel.
    return shown < 0 ? shown : static_cast<LONG>(result);
}

LONG GNTDriverBase::DocumentPropertiesNoUI(DOCUMENTPROPERTYHEADER* header) {
    if (header == nullptr) return -1;
    if (header->fMode == 0 || header->pdmOut == nullptr) return static_cast<LONG>(GetDevModeSize(1));
    LoadDevMode((header->fMode & (DM_PROMPT | DM_MODIFY)) != 0 ? header->pdmIn : nullptr);
    LONG result = 1;
    if ((header->fMode & (DM_UPDATE | DM_COPY)) != 0 &&
        WriteOutput(*this, header->pdmOut, header->cbOut) == 0)
        result = 0;
    if (header->fMode == kStubMode) WriteStub(header->pdmOut, header->cbOut);
    return result;
}
