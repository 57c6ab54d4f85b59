#pragma once
// What the NT driver tests share: a fresh host store with one printer, the
// module's own platform services installed, an instance whose process-wide
// application flags the test sets, and the model printers' data files read
// into an instance the way the driver server does.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/GDriverServer.h"
#include "driver/GOSFactory.h"
#include "model/GSettingsClassFilter.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentObject.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWLibraryError.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinSpool.h"
#include "winapi/host/WinHostStore.h"
#include "winnt40/GModuleEntry.h"
#include "winnt40/GNT40Driver.h"
#include "winnt40/GNT40OSFactory.h"

namespace ntdrivertest {

using platformtest::kDriver;
using platformtest::kPort;
using platformtest::kPrinter;
using platformtest::kPrinterDataPath;

// An instance whose process-wide application flags are the test's.
class TestDriver : public GNT40Driver {
public:
    explicit TestDriver(HANDLE printer, const RWWString& name = kPrinter, const RWWString& driver = kDriver)
        : GDriverContext(name, driver, kPort), GNT40Driver(printer, name, driver, kPort, 1) {}

    uint32_t processFlags = 0;

protected:
    uint32_t ProcessApplicationFlags() const override { return processFlags; }
};

// Reads the model printer's data file (QVCOLOR, QVMONO or QVCOLORPS) into the context
// as the driver server does. blobForm: the value 940 is given (the platform
// services store composites in the class library's form only while it is 0).
inline bool LoadDataFile(GDriverContext& context, const std::string& name, uint16_t blobForm) {
    std::ifstream file(std::string(QV_PRINTERS_DIR) + "/" + name + ".QVD", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::stringbuf buffer(bytes.str());
    RWBinaryInStream in(&buffer);
    RWCollectable* restored = nullptr;
    try {
        const GSettingsClassFilter allowlist;
        in >> restored;
    } catch (const RWLibraryError&) {
        return false;
    }
    GCountedPtr root(dynamic_cast<MPersistentObject*>(restored));
    if (!root) return false;
    context.SetConfiguration(root->FindById(353));
    context.SetResourceMappings(root->FindById(191));
    context.SetOSTrayMap(root->FindById(84));
    context.SetResourceMappingList(root->FindById(194));
    MPersistentObject* defaults = context.GetPrinterConfiguration()->FindById(359);
    MPersistentObject* watermarks = defaults != nullptr ? defaults->FindById(366) : nullptr;
    auto* form = watermarks != nullptr ? dynamic_cast<GValueAttribute*>(watermarks->FindById(940)) : nullptr;
    if (form == nullptr) return false;
    form->SetValue(blobForm);
    return true;
}

// A fresh machine with kPrinter and the module's platform services.
class NTDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore& store = WinHostStore::Instance();
        store.Reset();
        AddPrinter(kPrinter, PRINTER_ALL_ACCESS);
        GOSFactory::Install(std::make_unique<GNT40OSFactory>());
    }

    void TearDown() override {
        GOSFactory::Install(std::make_unique<GNT40OSFactory>());
        WinHostStore::Instance().Reset();
    }

    static void AddPrinter(const std::u16string& name, DWORD allowedAccess,
                           const std::u16string& server = u"") {
        WinPrinterRecord printer;
        printer.name = name;
        printer.serverName = server;
        printer.portName = kPort;
        printer.driverName = kDriver;
        printer.allowedAccess = allowedAccess;
        WinHostStore::Instance().AddPrinter(printer);
    }

    // kDriver's data file: a model printer's ("QVCOLOR", "QVMONO" or "QVCOLORPS") from
    // the build's printers folder, mapped as drive C.
    static void UseModelDataFile(const std::u16string& model) {
        WinHostStore& store = WinHostStore::Instance();
        store.MapDrive(u'C', QV_PRINTERS_DIR);
        WinDriverRecord driver;
        driver.name = kDriver;
        driver.dataFile = u"C:\\" + model + u".QVD";
        store.AddDriver(driver);
    }

    // The module's start-up run as the spooler's load runs it, over the
    // stand-in entry module and the resource library; DetachModule undoes it.
    void AttachModule() {
        WinHostStore& store = WinHostStore::Instance();
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        store.RegisterModule(u"QVSTANDIN.DLL", QV_TEST_MODULE_DIR "/libqvtestentries.so",
                             u"C:\\Drivers\\QVSTANDIN.DLL");
        standInModule_.Reset(LoadLibraryW(u"QVSTANDIN.DLL"));
        ASSERT_TRUE(standInModule_);
        ASSERT_EQ(GModuleEntry::Instance().Attach(standInModule_.Get()), TRUE);
    }
    void DetachModule() {
        if (!standInModule_) return;
        GModuleEntry::Instance().Detach();
        GDriverServer::Destroy();
        standInModule_.Reset();
    }

    // The printer opened with the rights asked for (null when refused).
    static WinScopedPrinter Open(const std::u16string& name, DWORD access) {
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
        WinScopedPrinter printer;
        if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), printer.Receive(), &defaults)) printer.Reset();
        return printer;
    }

    static std::optional<WinRegistryValue> Value(HKEY root, std::u16string_view path,
                                                 std::u16string_view name) {
        return platformtest::RegistryValue(root, path, name);
    }
    static std::optional<WinRegistryValue> PrinterData(std::u16string_view name) {
        return platformtest::PrinterDataValue(name);
    }
    static std::vector<BYTE> Dword(uint32_t value) { return platformtest::LittleEndianDword(value); }

    // UTF-16LE bytes of text (no terminating NUL).
    static std::vector<BYTE> Utf16(std::u16string_view text) {
        std::vector<BYTE> bytes;
        for (const char16_t c : text) {
            bytes.push_back(static_cast<BYTE>(c));
            bytes.push_back(static_cast<BYTE>(c >> 8));
        }
        return bytes;
    }

private:
    WinScopedModule standInModule_;
};

} // namespace ntdrivertest
