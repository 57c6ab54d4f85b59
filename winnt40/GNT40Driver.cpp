// GNT40Driver: construction, identity, the printer handles, the test write,
// the default DEVMODE and the property-sheet context block.
#include "winnt40/GNT40Driver.h"

#include <algorithm>
#include <vector>

#include "driver/GJobHookHolder.h"
#include "driver/GOSFactory.h"
#include "driver/GPrinterIdentity.h"
#include "driver/GProviderRegistry.h"
#include "driver/GSettingValues.h"
#include "driver/GSheetContextBlock.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "winapi/WinKernel.h"
#include "winapi/WinModule.h"
#include "winapi/WinPrinterInfo2.h"
#include "winapi/WinSpool.h"
#include "winnt40/GCPSOSUI.h"
#include "winnt40/GJobIdNotice.h"
#include "winnt40/GNTDMCSession.h"
#include "winnt40/GWatermarkBlock.h"

namespace {} // namespace

GNT40Driver::GNT40Driver(HANDLE printer, const RWWString& printerName, const RWWString& driverName,
                         const RWWString& portName, uint32_t)
    : GDriverContext(printerName, driverName, portName), printer_(printer),
      jobHookHolder_(std::make_unique<GJobHookHolder>()) {
    // The flags are taken when the instance is made, whatever the host.
    TakeHostPath();
    InitAppFlags();
}

GNT40Driver::~GNT40Driver() {
    // The notice thread reads this instance.
    WaitForJobIdNotice();
    CloseAdminHandle();
    // A sheet that never saw its DESTROY call leaves its glue and block behind.
    if (GCPSOSUI* sheet = std::exchange(openSheet_, nullptr)) {
        sheet->End(openSheetBlock_);
        delete sheet;
    }
    FreeSheetBlock(std::exchange(openSheetBlock_, nullptr));
}

void GNT40Driver::NoteHostPath() {
    if (TakeHostPath()) InitAppFlags();
}

bool GNT40Driver::TakeHostPath() {
    std::array<WCHAR, kHostPathLength> path{};
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kHostPathLength);
    if (length >= kHostPathLength) path.back() = u'\0';
    if (std::u16string_view(path.data()) == std::u16string_view(hostPath_.data())) return false;
    hostPath_ = path;
    return true;
}

RWWString GNT40Driver::GetHostPath() const {
    return RWWString(hostPath_.data());
}

std::unique_ptr<GPrinterIdentity> GNT40Driver::MakeIdentity() const {
    return std::make_unique<GPrinterIdentity>(printer_, GetPrinterName(), GetDriverName(), GetPortName(), 0);
}

void GNT40Driver::Retarget(const GPrinterIdentity& identity) {
    printer_ = identity.GetPrinterHandle();
    if (!(identity.GetPrinterName() == GetPrinterName())) {
        // The cached printer settings were another printer's.
        SetSettings(nullptr);
    }
    SetNames(identity.GetPrinterName(), identity.GetDriverName(), identity.GetPortName());
    GDriverContext::ResetCache();
}

// --- Printer handles ---------------------------------------------------------------------

HANDLE GNT40Driver::GetActiveHandle() const {
    return useAdminHandle_ == 1 ? adminHandle_ : printer_;
}

int32_t GNT40Driver::OpenAdminHandle() {
    CloseAdminHandle();
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, kAdminAccess};
    const RWWString name = GetPrinterName();
    HANDLE handle = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(name.Data()), &handle, &defaults) || handle == nullptr) {
        adminHandle_ = nullptr;
        return 0;
    }
    adminHandle_ = handle;
    return 1;
}

void GNT40Driver::CloseAdminHandle() {
    if (adminHandle_ != nullptr) ClosePrinter(adminHandle_);
    adminHandle_ = nullptr;
    // A closed handle is never the active one.
    useAdminHandle_ = 0;
}

void GNT40Driver::UseAdminHandle(uint32_t flag) {
    useAdminHandle_ = flag == 1 && adminHandle_ != nullptr ? 1 : 0;
}

int32_t GNT40Driver::IsPrinterDataWritable() {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return 0;
    auto testWrite = [&] { return factory->SetPrinterDataString(this, kWriteTestName, kWriteTestName) != 0; };
    if (testWrite()) return 1;
    if (adminHandle_ != nullptr) return 0;
    if (OpenAdminHandle() == 0) return 0;
    useAdminHandle_ = 1;
    if (testWrite()) return 1;
    CloseAdminHandle();
    return 0;
}

int32_t GNT40Driver::WriteDefaultDevMode() {
    GNTDevMode* devmode = GetDevMode();
    HANDLE printer = GetActiveHandle();
    if (devmode == nullptr || printer == nullptr) return 0;
    WinPrinterInfo2 record(printer);
    PRINTER_INFO_2W* info = record.Get();
    if (info == nullptr) return 0;
    // The whole image, in a block of its own (aligned for its fields).
    std::vector<uint64_t> image((devmode->GetTotalSize() + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* copy = reinterpret_cast<DEVMODEW*>(image.data());
    if (devmode->CopyTo(copy) == 0) return 0;
    info->pDevMode = copy;
    info->pSecurityDescriptor = nullptr;
    SetLastError(0);
    return SetPrinterW(printer, 2, reinterpret_cast<LPBYTE>(info), 0) ? 1 : 0;
}

// --- The property-sheet context block ---------------------------------------------------

GSheetContextBlock* GNT40Driver::CreateSheetBlock() {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return nullptr;
    auto block = std::make_unique<GSheetContextBlock>();
    block->instance = this;
    block->record = factory->Allocate(GSheetContextBlock::kRecordSize);
    if (block->record != nullptr)
        std::fill_n(static_cast<uint8_t*>(block->record), GSheetContextBlock::kRecordSize, 0);
    block->settings = GetCurrentSettings();
    if (block->record == nullptr || block->settings == nullptr) {
        FreeSheetBlock(block.release());
        return nullptr;
    }
    if (GValueAttribute* providers =
            GSettingValues::Find(block->settings.get(), GSettingId::kConfigurationStatus))
        providers->SetValue(GProviderRegistry::Instance().CountAvailable(kSheetProviderMask) > 0 ? 1 : 0);
    block->module = factory->GetModuleHandle();
    block->okWord = GSheetContextBlock::kOkWordInitial;
    return block.release();
}

void GNT40Driver::FreeSheetBlock(GSheetContextBlock* block) {
    if (block == nullptr) return;
    if (GOSFactory* factory = GOSFactory::Instance()) factory->Free(block->record);
    delete block;
}

// --- Names ------------------------------------------------------------------------------

std::unique_ptr<GNTDMCSession> GNT40Driver::CreateConfigSession(GAttributeComposite*) {
    return nullptr;
}

RWWString GNT40Driver::GetResourceModuleName() {
    const RWWString name = resourceModuleName_.IsNull() ? GetResourceLibraryPath() : resourceModuleName_;
    return RWWString(name.ToMultiByte(), RWWString::MultiByte);
}

RWWString GNT40Driver::GetModuleRelativePath() {
    const GStringAttribute* file =
        GSettingValues::FindText(GetPrinterConfiguration(), GSettingId::kHelpFileName);
    const RWWString setting =
        file != nullptr ? RWWString(file->GetValue(), RWWString::MultiByte) : RWWString();
    GOSFactory* factory = GOSFactory::Instance();
    std::array<WCHAR, kHostPathLength> path{};
    const DWORD length = GetModuleFileNameW(factory != nullptr ? factory->GetModuleHandle() : nullptr,
                                            path.data(), kHostPathLength);
    if (length == 0 || length >= kHostPathLength) return setting;
    const size_t separator = std::u16string_view(path.data(), length).rfind(u'\\');
    if (separator == std::u16string_view::npos) return setting;
    return RWWString(path.data(), separator + 1) + setting;
}

void GNT40Driver::GetPrinterNameAndHandle(RWWString& name, HANDLE& printer, uint32_t& word) const {
    name = GetPrinterName();
    printer = printer_;
    word = 0;
}
