#include "winnt40/GMiniInstallerLoader.h"

#include "driver/GOSFactory.h"
#include "winapi/WinModule.h"
#include "winapi/WinSpool.h"

namespace {
GMiniInstallerLoader::Entry FindEntry(HMODULE module, const char* name) {
    return reinterpret_cast<GMiniInstallerLoader::Entry>(
        reinterpret_cast<void*>(GetProcAddress(module, name)));
}
} // namespace

GMiniInstallerLoader::GMiniInstallerLoader(const RWWString& printerName, HANDLE printer)
    : GGatedModuleLoader(printerName, printer) {
    if (printer == nullptr) {
        HANDLE opened = nullptr;
        if (OpenPrinterW(const_cast<LPWSTR>(printerName.Data()), &opened, nullptr) && opened != nullptr) {
            SetPrinterHandle(opened);
            openedHere_ = true;
        }
    }
    if (GetPrinterHandle() == nullptr) return;
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return;
    SetModulePath(factory->GetModuleFolder() + u"\\" + kModuleName);
    Load();
}

GMiniInstallerLoader::~GMiniInstallerLoader() {
    if (IsLoaded()) Shutdown();
    if (openedHere_) ClosePrinter(GetPrinterHandle());
}

int32_t GMiniInstallerLoader::Initialize() {
    Entry initialize = FindEntry(GetModule(), kInitializeEntry);
    if (initialize == nullptr) return -1;
    if (GetPrinterHandle() != nullptr) return initialize(GetPrinterHandle(), nullptr, 1);
    if (!GetPrinterName().IsNull()) return initialize(nullptr, GetPrinterName().Data(), 1);
    return -1;
}

int32_t GMiniInstallerLoader::Shutdown() {
    if (!IsLoaded()) return -1;
    Entry kill = FindEntry(GetModule(), kKillEntry);
    const int32_t result =
        kill != nullptr && GetPrinterHandle() != nullptr ? kill(GetPrinterHandle(), nullptr, 1) : -1;
    FreeLibrary(GetModule());
    SetModule(nullptr);
    SetLoaded(0);
    return result;
}
