#include "winnt40/GModuleEntry.h"

#include <exception>
#include <new>
#include <string>

#include "config/GNRAProvider.h"
#include "driver/GDocumentEventTable.h"
#include "driver/GDriverServer.h"
#include "driver/GLock.h"
#include "driver/GProviderRegistry.h"
#include "driver/OutOfMemoryHandler.h"
#include "winapi/WinCrtLocale.h"
#include "winapi/WinModule.h"
#include "winapi/WinSystem.h"
#include "winnt40/GNT40OSFactory.h"

namespace {
// The primary languages (low 8 bits of the system language) whose every
// locale category follows the ANSI code page: Chinese, Japanese, Korean.
constexpr LANGID kChinese = 0x04;
constexpr LANGID kJapanese = 0x11;
constexpr LANGID kKorean = 0x12;

using AppFlagsProc = uint32_t (*)();
} // namespace

GModuleEntry& GModuleEntry::Instance() {
    static GModuleEntry entry;
    return entry;
}

GModuleEntry::~GModuleEntry() = default;

BOOL GModuleEntry::Attach(HMODULE module) {
    try {
        module_ = module;
        applicationFlags_ = 0;
        if (GOSFactory::Instance() == nullptr) GNT40OSFactory::Create();
        GOSFactory* factory = GOSFactory::Instance();
        if (factory == nullptr) return Fail();
        installNewHandler(kDefaultReserveSize);
        factory->SetModuleHandle(module);
        if (GDriverServer::Create() == nullptr) return Fail();
        documentEvents_ = new (std::nothrow) GDocumentEventTable;
        if (documentEvents_ == nullptr) return Fail();
        factory->CreateSharedLock(&tableLock_);
        provider_ = new GNRAProvider;
        GProviderRegistry::Instance().Register(provider_, GNRAProvider::kRegisteredName);
        SetLocale();
        keepAlive_.Start(module);
        ReadApplicationFlags();
        return TRUE;
    } catch (const std::exception&) {
        return Fail();
    }
}

// Undoes an attach that could not finish.
BOOL GModuleEntry::Fail() {
    Detach();
    GDriverServer::Destroy();
    GOSFactory::Install(nullptr);
    return FALSE;
}

BOOL GModuleEntry::Detach() {
    keepAlive_.StopAndJoin();
    if (documentEvents_ != nullptr) documentEvents_->Clear();
    delete documentEvents_;
    documentEvents_ = nullptr;
    delete tableLock_;
    tableLock_ = nullptr;
    if (GDriverServer* server = GDriverServer::Instance()) {
        server->FreeParked();
        server->Clear();
    }
    if (provider_ != nullptr) {
        // Only the entry made at attach: a name taken by another provider
        // stays that provider's.
        GProviderRegistry& registry = GProviderRegistry::Instance();
        if (registry.FindProvider(GNRAProvider::kRegisteredName) == provider_)
            registry.Unregister(GNRAProvider::kRegisteredName);
        delete provider_;
        provider_ = nullptr;
    }
    module_ = nullptr;
    applicationFlags_ = 0;
    removeNewHandler();
    return TRUE;
}

void GModuleEntry::SetLocale() {
    const LANGID primary = GetSystemDefaultLangID() & 0xFF;
    const bool everyCategory = primary == kChinese || primary == kJapanese || primary == kKorean;
    CrtSetLocale(everyCategory ? CRT_LC_ALL : CRT_LC_CTYPE, ".ACP");
}

void GModuleEntry::ReadApplicationFlags() {
    char path[kModulePathSize] = {};
    const DWORD length = GetModuleFileNameA(module_, path, kModulePathSize);
    std::string sibling = kAppFlagsModule;
    if (length > 0 && length < kModulePathSize) {
        const std::string own(path, length);
        const size_t separator = own.rfind('\\');
        if (separator != std::string::npos) sibling = own.substr(0, separator + 1) + kAppFlagsModule;
    }
    HMODULE flagsModule = LoadLibraryA(sibling.c_str());
    if (flagsModule == nullptr) return;
    auto entry =
        reinterpret_cast<AppFlagsProc>(reinterpret_cast<void*>(GetProcAddress(flagsModule, kAppFlagsEntry)));
    if (entry != nullptr) applicationFlags_ = entry();
    FreeLibrary(flagsModule);
}
