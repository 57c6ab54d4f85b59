#include "winnt40/GNT40OSFactory.h"

#include <exception>
#include <new>
#include <vector>

#include "driver/GPrinterIdentity.h"
#include "winapi/WinSpool.h"
#include "winnt40/GMiniInstallerLoader.h"
#include "winnt40/GNT40Driver.h"

GNT40OSFactory::GNT40OSFactory() = default;

GNT40OSFactory::~GNT40OSFactory() = default;

GOSFactory* GNT40OSFactory::Create() {
    return Install(std::make_unique<GNT40OSFactory>());
}

GDriver* GNT40OSFactory::CreateDriver(const GPrinterIdentity& identity) {
    try {
        return new GNT40Driver(identity.GetPrinterHandle(), identity.GetPrinterName(),
                               identity.GetDriverName(), identity.GetPortName(), 1);
    } catch (const std::exception&) {
        return nullptr;
    }
}

RWWString GNT40OSFactory::GetDriverDataFile(GDriverContext* context) {
    WinScopedPrinter printer = OpenContextPrinter(context, 0);
    if (!printer) return RWWString();
    DWORD needed = 0;
    GetPrinterDriverW(printer.Get(), nullptr, 2, nullptr, 0, &needed);
    if (needed < sizeof(DRIVER_INFO_2W)) return RWWString();
    // Aligned for the record at its start.
    std::vector<uint64_t> buffer((needed + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* bytes = reinterpret_cast<BYTE*>(buffer.data());
    if (!GetPrinterDriverW(printer.Get(), nullptr, 2, bytes, needed, &needed)) return RWWString();
    const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(bytes);
    return info->pDataFile != nullptr ? RWWString(info->pDataFile) : RWWString();
}

GModuleLoader* GNT40OSFactory::LoadSetupLibrary(const RWWString& printerName, HANDLE printer) {
    return new (std::nothrow) GMiniInstallerLoader(printerName, printer);
}

HANDLE GNT40OSFactory::GetPrinterHandle(GDriverContext* context) {
    auto* driver = context != nullptr ? dynamic_cast<GNTDriverBase*>(context) : nullptr;
    return driver != nullptr ? driver->GetPrinterHandle() : nullptr;
}
