#include "host/HostStoreSetup.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <system_error>

#include "winapi/WinText.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinSqliteStore.h"

namespace {

constexpr const char16_t* kPort = u"LPT1:";

} // namespace

std::u16string HostStoreSetup::WindowsPath(const std::string& hostPath) {
    std::u16string path = u"C:" + WinText::FromUtf8(hostPath);
    for (char16_t& c : path)
        if (c == u'/') c = u'\\';
    return path;
}

bool HostStoreSetup::Open(const std::string& folder, const std::string& printersFolder,
                          const std::string& modulePath, bool& fresh, std::string& error) {
    for (const HostModelPrinter& model : HostModelPrinter::All()) {
        const std::filesystem::path dataFile = std::filesystem::path(printersFolder) / model.dataFile;
        if (!std::filesystem::is_regular_file(dataFile)) {
            error = "no driver data file " + dataFile.string() +
                    " (the build's printer_data_files target makes it)";
            return false;
        }
    }
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure || !std::filesystem::is_directory(folder)) {
        error = "cannot create the store folder " + folder + (failure ? ": " + failure.message() : "");
        return false;
    }
    const std::string file = (std::filesystem::path(folder) / "store.sqlite").string();
    fresh = !std::filesystem::exists(file);
    WinHostStore& store = WinHostStore::Instance();
    store.Reset();
    auto persistence = std::make_unique<WinSqliteStore>(file);
    WinMachineState probe;
    if (!fresh && !persistence->Load(probe)) {
        error = "cannot read the host store " + file;
        return false;
    }
    store.AttachPersistence(std::move(persistence));
    AddModelDrivers(printersFolder, modulePath);
    return fresh || Save(error);
}

bool HostStoreSetup::Save(std::string& error) {
    if (WinHostStore::Instance().Save()) return true;
    error = "cannot write the host store";
    return false;
}

void HostStoreSetup::AddModelDrivers(const std::string& printersFolder, const std::string& modulePath) {
    WinHostStore& store = WinHostStore::Instance();
    std::lock_guard hold(store.Mutex());
    for (const HostModelPrinter& model : HostModelPrinter::All()) {
        const std::u16string dataFile =
            WindowsPath((std::filesystem::path(printersFolder) / model.dataFile).lexically_normal().string());
        const std::u16string module = WindowsPath(modulePath);
        if (WinDriverRecord* driver = store.FindDriver(model.driver, kEnvironment)) {
            driver->dataFile = dataFile;
            driver->driverPath = driver->configFile = module;
            continue;
        }
        WinDriverRecord driver;
        driver.name = model.driver;
        driver.environment = kEnvironment;
        driver.dataFile = dataFile;
        driver.driverPath = driver.configFile = module;
        store.AddDriver(driver);
    }
}

bool HostStoreSetup::AddPrinter(const std::u16string& name, const HostModelPrinter& model,
                                std::string& error) {
    WinHostStore& store = WinHostStore::Instance();
    if (name.empty()) {
        error = "a printer needs a name";
        return false;
    }
    if (store.FindPrinter(name) != nullptr) {
        error = "a printer named \"" + WinText::ToUtf8(name) + "\" is already in the store";
        return false;
    }
    WinPrinterRecord printer;
    printer.name = name;
    printer.driverName = model.driver;
    printer.portName = kPort;
    store.AddPrinter(printer);
    return true;
}
